// Printing, print preview and the clipboard copy of the main view: the
// scheme as a grid of pages at the printer's cell size, a listing by lines
// (all, or the selected ones), and the selected lines or the visible scheme
// on the clipboard.
#pragma once

class CKestrinView;
class QPrinter;
class QWidget;
class SchemeView;

// Prints on the printer as it is set up (what the view shows, the selection
// only when m_bPrintSelection is set).
void RenderView(QPrinter& printer, CKestrinView& view);
// 57607 with the print dialog (the selection offered in a text mode with a
// selection), 57608 at once.
void PrintView(QWidget* parent, CKestrinView& view, bool withDialog);
// 57609: the preview of every page, one or two side by side as last chosen.
void PreviewView(QWidget* parent, CKestrinView& view);
// 57634: the selected lines, each ended by "\r\n", as text; in the scheme
// mode the visible client area as an image.
void CopyView(SchemeView& widget, CKestrinView& view);
