// The element context menu of the scheme: its items in order, with the
// conditional ones, and their enabled states as one function of the state.
#pragma once

#include <vector>

class CKestrinDoc;

struct ElemMenuState {
    const CKestrinDoc* doc = nullptr;
    bool editing = false;
    int selectedIndex = -1;  // -1 when no element is selected
    bool range = false;
    bool gapOpen = false;
    bool moving = false;
    int templateType = 22;
    bool templateEntered = false;
};

struct ElemMenuItem {
    int id = 0;  // 0: a separator
    const char* text = "";
    bool enabled = false;
};

std::vector<ElemMenuItem> ElemMenuItems(const ElemMenuState& s);
