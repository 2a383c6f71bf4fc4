// The overhead line sheet's check on OK: whether the line is completely
// entered.  The checks run in the order of the sheet's pages; the first that
// fails shows its message, and the element's entered flag says whether all
// passed.  (The calculation has its own, stricter check of what it can model.)
#pragma once

class CElement;
class CVLine;

// Shows the first failure and sets element.entered; true when the line is complete.
bool ValidateVLineSheet(CElement& element, const CVLine& line);
