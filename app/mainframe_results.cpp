// The main frame's results command: the result-choice dialog, then the
// results window opened, rebuilt or left alone.
#include "app/docfile.h"
#include "app/mainframe.h"
#include "model/document.h"
#include "platform/modal.h"
#include "results/secframestate.h"
#include "results/vibrezbufdlg.h"
#include "results/vibrezdlg.h"

void CMainFrame::OnViewResults()
{
    if (!g_pDoc)
        return;
    CVibRezDlg dlg(*g_pDoc);
    dlg.pathName = g_DocFile.pathName;
    dlg.setModified = [] { SetModifiedFlag(); };
    // A deletion refills the task's comparison-buffer groups.
    dlg.buffer = &compareBuffer;
    SecFrameState* window = m_pHost ? m_pHost->ResultsFrameState() : nullptr;
    if (window)
        window->PrepareChoice(dlg);
    const int answer = RunModal(dlg);
    if (dlg.deleted && m_pHost)
        m_pHost->BufferChanged();
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

void CMainFrame::OnViewCompareBuffer()
{
    if (!m_pHost)
        return;
    // An open window only takes the focus: every change of the buffer has
    // reloaded it already (BufferChanged), and a reload here would drop the
    // engineer's zoom, scale and curves.
    if (m_pHost->FocusBufferFrame())
        return;
    CVibRezBufDlg dlg(compareBuffer);
    dlg.quantity = 0;
    if (RunModal(dlg) != IDOK)
        return;
    m_pHost->CreateBufferFrame(dlg.quantity, dlg.selectedCount);
}
