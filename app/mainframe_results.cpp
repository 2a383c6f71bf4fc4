// The main frame's results command: the result-choice dialog, then the
// results window opened, rebuilt or left alone.
#include "app/docfile.h"
#include "app/mainframe.h"
#include "model/document.h"
#include "platform/modal.h"
#include "results/secframestate.h"
#include "results/vibrezdlg.h"

void CMainFrame::OnViewResults()
{
    if (!g_pDoc)
        return;
    CVibRezDlg dlg(*g_pDoc);
    dlg.pathName = g_DocFile.pathName;
    dlg.setModified = [] { SetModifiedFlag(); };
    SecFrameState* window = m_pHost ? m_pHost->ResultsFrameState() : nullptr;
    if (window)
        window->PrepareChoice(dlg);
    const int answer = RunModal(dlg);
    if (!window) {
        // Without a window only "Просмотр" opens one; the dialog's arrays
        // die with it otherwise.
        if (answer != IDOK || !m_pHost)
            return;
        window = m_pHost->CreateResultsFrame();
        if (!window)
            return;
    }
    if (window->TakeChoice(dlg, answer))
        m_pHost->RebuildResults(answer == IDOK);
}

void CMainFrame::RefitResultsWindow()
{
    SecFrameState* window = m_pHost ? m_pHost->ResultsFrameState() : nullptr;
    if (!window || !g_pDoc)
        return;
    window->FitToDocument(*g_pDoc);
    m_pHost->RebuildResults(false);
}
