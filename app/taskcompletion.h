// "Дополнить данные": completes a task imported from Dalvex or read from an
// old task file.  The base data are asked first; then the elements are walked
// in chain order, the wire maps and counts are rebuilt, and the phasing of the
// first element and the counts of every attached circuit are asked element
// by element.  A cancel anywhere, or a damaged chain, puts every element back
// and leaves the task waiting for completion.
#pragma once

class CKestrinDoc;

// Runs the completion on the document; true when it was completed.
bool CompleteTaskData(CKestrinDoc& doc);
