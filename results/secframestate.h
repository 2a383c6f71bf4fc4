// What the results window keeps of the engineer's choice: the view mode, one
// choice flag per stored modal and tract result of the open task, the legend,
// task-title and decimal-separator settings.  It also decides what a run of
// the result-choice dialog changes, for the main window's "Результаты
// расчетов..." and the results window's "Выбор результатов..." alike.
#pragma once

#include "results/reporttext.h"

#include <cstdint>
#include <string>
#include <vector>

class CKestrinDoc;
class CVibRezDlg;

class SecFrameState {
public:
    std::uint8_t ViewMode = 0;     // 0 modal report, 1-7 tract tables, 8-13 graphs
    std::vector<int> chosenModal;  // one flag per stored modal result, in list order
    std::vector<int> chosenTract;  // one flag per stored tract result
    int showLegend = 1;
    int decimalComma = 0;          // the Excel copy's separator: 1 a comma
    int showTaskTitle = 1;

    bool TextMode() const { return ViewMode < 8; }

    // What the reports are built from.
    ReportSource Source(const CKestrinDoc& doc, const std::string& pathName) const;
    // Index of the first chosen tract result, or -1.
    int FirstChosenTract(const CKestrinDoc& doc) const;
    // Whether the view mode has a result to show: a chosen modal result in
    // mode 0, a chosen tract result otherwise.
    bool HasChosenResult(const CKestrinDoc& doc) const;

    // The dialog starts from the window's choice, on copies of its arrays.
    void PrepareChoice(CVibRezDlg& dlg) const;
    // Takes the outcome of the dialog (IDOK or another answer): after
    // "Просмотр" the mode and the arrays; after "Возврат" the arrays only when
    // a result was deleted (the old ones no longer fit the lists), otherwise
    // nothing.  Returns whether the window must rebuild its view.
    bool TakeChoice(const CVibRezDlg& dlg, int answer);

    // The task's result lists changed under the window (an edit finished or
    // was cancelled): the arrays follow the lists' lengths, keeping the flags
    // that still have a result.
    void FitToDocument(const CKestrinDoc& doc);
};
