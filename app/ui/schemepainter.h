// Painting of the main view's two faces on any paint device (the screen, a
// printer, a PDF file): the scheme of the chain in a given cell geometry, and
// the text lines.  The same code paints the screen, the print and the preview.
#pragma once

#include "app/schemegeometry.h"

#include <QFont>
#include <QString>

class CKestrinDoc;
class CKestrinView;
class QPainter;
class TextLines;

// The scheme font: bold sans-serif of pixel size int(0.4 × cell).  Built
// for each paint: the display font of the listings is never touched.
QFont SchemeFont(int cell);
// The display font at a device resolution: pixel height dpi × height / 72
// on the screen, / 60 when printing.
QFont TextFont(int logicalDpiY, bool printing);

// The scheme: the title at (20, 10), every visible element with its
// abbreviation or fork and its number, the connectors of the ends of
// branching, and the cells the view offers.  printing: white cell fills and
// black text.
void PaintScheme(QPainter& p, const CKestrinDoc& doc, const CKestrinView& view, const SchemeGeometry& g,
                 bool printing, const QString& title);

// Lines first..last of a text, the first at y, lineHeight apart, from x = 10;
// selected lines (when markSelection) in yellow on a dark band selectionWidth wide.
void PaintTextLines(QPainter& p, const TextLines& text, int first, int last, int y, int lineHeight,
                    bool markSelection, int selectionWidth);
