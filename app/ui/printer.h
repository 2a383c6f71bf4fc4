#pragma once

class QPrinter;
class QPrintPreviewDialog;

// The printer the program prints on; print setup changes its page.
QPrinter& AppPrinter();

// Runs a print preview with one page or two side by side, as the engineer
// last chose in any preview; the choice made in this one is kept for the
// next and, through the profile, for the next start.
void RunPreview(QPrintPreviewDialog& dlg);
