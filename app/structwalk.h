// Placing elements at the chain end: one step of the structure walk gives the
// new element its input conductor map, asks for the wire choice that a tap,
// a doubling, a bypass, a change of the number of wires or a branching needs,
// and advances the structure state with the same step as the replay, so that
// a replay of the stored chain afterwards finds the same state.
#pragma once

#include "app/structstate.h"
#include "platform/messages.h"

#include <functional>
#include <string>

class CKestrinDoc;
class WireDialogHost;

// What placing an element tells the user in warnings mode.
struct PlacedElement {
    int index = -1;
    std::string prompt;  // empty: nothing to tell
    MsgIcon icon = MsgIcon::Information;
};

class StructureWalk {
public:
    // host: the wire-choice dialogs (null: elements that need one are refused).
    StructureWalk(CKestrinDoc& doc, StructureState& st, WireDialogHost* host);

    // Appends a copy of the template at its cell (the first element of a
    // task at (1, 3)) and advances the structure state; the template then
    // becomes no type.  False when nothing was appended: a template of no
    // type, or an element that cannot follow the chain end (Problem() says
    // why; the chain and the state are as before).
    bool AddElement(CElement& tmpl, PlacedElement& placed);
    // Ends the first branch of the open branching with the invisible marker
    // (an end of branching with no circuits after it); the second branch
    // then starts at the branching.
    bool AppendBranchMarker();

    // Why the last refused element could not follow ("" when none was refused).
    const std::string& Problem() const { return m_problem; }
    CKestrinDoc& Doc() const { return m_doc; }
    StructureState& State() const { return m_st; }

private:
    bool StartChain(CElement& e);
    bool ChooseWires(CElement& e, int previousType);
    bool ChooseNestedWires(CElement& e);
    bool ChooseWireCount(CElement& e);
    bool SplitBranches(CElement& e);
    void PrepareAttachedEnd(CElement& e, int previousType);
    bool RunUntilOk(const std::function<int()>& dialog);
    std::string Prompt(const CElement& e, bool closedDoubling, MsgIcon& icon) const;
    bool Refuse(const char* reason);

    CKestrinDoc& m_doc;
    StructureState& m_st;
    WireDialogHost* m_host;
    std::string m_problem;
};

// Shows the prompt of a placed element (in warnings mode).
void ShowPlacementPrompt(const PlacedElement& placed);

// A range of elements of the chain to copy at its end (indices in either order).
struct ElementRange {
    int from = 0;
    int to = 0;
};

// Appends the template at cell (x, y); with a range, appends copies of the
// range's elements instead, laid out in a straight line from the chain end
// towards (x, y) whatever the shape of the copied range.  placedFn runs after
// each appended element.  A refused element is reported as a structure
// violation and ends the range.  Returns the number of elements appended.
int AddElementOrRange(StructureWalk& walk, CElement& tmpl, int x, int y, const ElementRange* range,
                      const std::function<void(const PlacedElement&)>& placedFn);
