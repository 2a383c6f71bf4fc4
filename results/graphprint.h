// How a printed graph falls onto pages: the graph is the window's client area
// scaled to 0.95 of the page width, so it is one page wide and as many pages
// high as its scaled height needs.
#pragma once

struct GraphPrintPages {
    double printScale = 1.0;  // printer pixels per screen pixel
    int printedHeight = 0;    // the graph's height on paper, printer pixels
    int rows = 1;             // pages, each shifted up by one printable height
};

// clientWidth and clientHeight: the screen client the graph was laid out in;
// pageWidth and pageHeight: the printable area in printer pixels.
GraphPrintPages PlanGraphPages(int clientWidth, int clientHeight, int pageWidth, int pageHeight);
