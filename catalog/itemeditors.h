// The catalog's item editors behind the element dialogs' item requests: each
// category's editor opens on the requested item in the caller's mode.
#pragma once

// Registers the editors of towers, phase and ground wires, both power cables,
// line traps, influence matrices, HF cables and the coupling filters of every
// type as the editors of their categories.
void RegisterItemEditors();
