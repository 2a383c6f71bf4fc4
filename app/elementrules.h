// The rules of the element toolbar: which of the fifteen element commands may
// be chosen at the chain end, whether a chosen or copied element may follow
// the chain end, the wire-order checks that refuse an overhead line, a cable
// line or a rejoining change of wires, and whether the task may be calculated.
#pragma once

#include "app/structstate.h"

#include <string>

class CKestrinDoc;
struct CommandState;

// What the rules read besides the chain, its structure state and the
// globals of the chain end.
struct ElementRuleContext {
    const CKestrinDoc* doc = nullptr;
    const StructureState* state = nullptr;
    bool editing = false;
    bool gapOpen = false;          // an insertion gap is open in the chain
    bool moving = false;           // the view moves or rotates elements
    bool rangeSelected = false;    // a range of elements is selected
    int selectedIndex = -1;        // the selected element
    bool mousePlacement = false;   // the view offers cells and places elements by a click
    bool wireDialogs = false;      // the wire-choice dialogs are there (WireDialogHost)
    int templateType = kNoType;    // the element template
    bool templateHasData = false;
};

// The element type of an element command, -1 for any other command.
int ElementCommandType(int id);
// The element command of a type 0 to 14.
int ElementTypeCommand(int type);

// Enabled and checked state of an element command.  Beyond the structure
// rule: only while editing, with a sound chain, no move and no range;
// elements after the first need the view's placing by the mouse, and an
// element whose placing asks for a wire choice needs the wire dialogs.
CommandState ElementCommandState(int id, const ElementRuleContext& c);
// The structure rule of an element type at the chain end.
bool ElementRuleMet(int type, const ElementRuleContext& c);
// Whether placing an element of that type now opens a wire-choice dialog.
bool PlacingNeedsWireDialog(int type, const StructureState& st);

// Whether element e (chosen by a click or copied) may be appended at the
// chain end now.
bool CanContinue(const CElement& e, const CKestrinDoc& doc, const StructureState& st);

// An overhead line needs the phase wires of the chain end before its ground
// wires.
bool PhaseWiresFirst();
// A cable line with screens needs phases and screens alternating.
bool PhasesAlternateWithScreens();
// A rejoining change of wires: the wires of the attached circuit must be the
// last ones at the chain end.  On refusal, message gets the text to show.
bool CanRejoinAttachedCircuit(const CKestrinDoc& doc, std::string& message);

// The calculation's rule: outside editing, a non-empty complete task whose
// chain replays soundly, is closed (end state not 0) and has every element
// but the invisible end-of-branching marker entered.  Replays into st
// without messages.
bool CalcTractEnabled(CKestrinDoc& doc, StructureState& st, bool editing);
