// The catalog's item editors behind the element dialogs' item requests: each
// category's editor opens on the requested item in the caller's mode.
#pragma once

// Registers the editors of towers, phase and ground wires, both power cables,
// influence matrices and HF cables as the editors of their categories.
void RegisterItemEditors();
