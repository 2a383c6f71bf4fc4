// The circuit drawings of the coupling-filter and line-trap editors as plain
// data: a frame of fixed pixel size and the symbols, wires and labels inside
// it, in pixels from the frame's top-left corner.  The Qt side only paints
// them (catalog/ui/schemewidget.h); tests read them.
#pragma once

#include <string>
#include <vector>

struct SchemeItem {
    enum class Kind {
        Wire,      // a line from (x1, y1) to (x2, y2)
        Capacitor, // two plates 16 px long and 5 px apart, centred on the segment, leads to its ends
        Inductor,  // three half-circle arcs of 10 px (30 px), centred on the segment
        Resistor,  // a rectangle 10 px wide and `length` px long, centred on the segment
        Terminal,  // a dot of radius 2 at (x1, y1)
        Label,     // `text` at (x1, y1) (top left), `sub` 8 px right of and 4 px below it
    };
    Kind kind = Kind::Wire;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int bulge = 1;   // inductor: the arcs bulge toward -1 (up or left) or +1 (down or right)
    int length = 30; // resistor body along the segment
    std::string text;
    std::string sub;
};

struct SchemeDrawing {
    int width = 0;
    int height = 0;
    std::vector<SchemeItem> items;
};

// A coupling filter of type 1..7; type 7 takes the full width of the area.
SchemeDrawing FiltrSchemeDrawing(int type, int areaWidth);
// A line trap of scheme 0..2.
SchemeDrawing TrapSchemeDrawing(int scheme);

// Top-left corner of a frame of w x h centred in an area of areaW x areaH.
inline int CentredOffset(int area, int size)
{
    return (area - size) / 2;
}
