#include "results/secframestate.h"

#include "model/document.h"
#include "platform/modal.h"
#include "results/vibrezdlg.h"

ReportSource SecFrameState::Source(const CKestrinDoc& doc, const std::string& pathName) const
{
    ReportSource s;
    s.doc = &doc;
    s.pathName = pathName;
    s.viewMode = ViewMode;
    s.chosenModal = chosenModal;
    s.chosenTract = chosenTract;
    return s;
}

int SecFrameState::FirstChosenTract(const CKestrinDoc& doc) const
{
    return FirstChosen(chosenTract, doc.responseResults.size());
}

bool SecFrameState::HasChosenResult(const CKestrinDoc& doc) const
{
    if (ViewMode == 0)
        return FirstChosen(chosenModal, doc.modalResults.size()) >= 0;
    return FirstChosenTract(doc) >= 0;
}

void SecFrameState::PrepareChoice(CVibRezDlg& dlg) const
{
    dlg.viewMode = ViewMode;
    dlg.chosenModal = chosenModal;
    dlg.chosenTract = chosenTract;
}

bool SecFrameState::TakeChoice(const CVibRezDlg& dlg, int answer)
{
    if (answer != IDOK && !dlg.deleted)
        return false;
    chosenModal = dlg.chosenModal;
    chosenTract = dlg.chosenTract;
    if (answer == IDOK)
        ViewMode = dlg.viewMode;
    return true;
}

void SecFrameState::FitToDocument(const CKestrinDoc& doc)
{
    chosenModal.resize(doc.modalResults.size(), 0);
    chosenTract.resize(doc.responseResults.size(), 0);
}
