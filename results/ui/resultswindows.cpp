#include "results/ui/resultswindows.h"

#include "dialogs/ui/modaldialog.h"
#include "results/razdelitel.h"
#include "results/ui/razdelitelwidget.h"
#include "results/ui/secframe.h"
#include "results/ui/bufframe.h"
#include "results/ui/bufview.h"
#include "results/ui/masshtabdialog.h"
#include "results/ui/prosmchastdialog.h"
#include "results/ui/secview.h"
#include "results/ui/stillindialog.h"
#include "results/ui/vibrezbufdialog.h"
#include "results/ui/vibrezdialog.h"

#include <QApplication>

namespace {

// Shows a new results or comparison window; when the other one is open the
// new one opens down and to the right of it, so that neither hides the
// other exactly.
void ShowBeside(QWidget* window, const QWidget* other)
{
    if (other && other->isVisible())
        window->move(other->pos() + QPoint(40, 40));
    window->show();
}

} // namespace

void RegisterResultsDialogs()
{
    RegisterModalDialog<VibRezDialog, CVibRezDlg>();
    RegisterModalDialog<RazdelitelDialog, CRazdelitelDlg>();
    RegisterModalDialog<VibRezBufDialog, CVibRezBufDlg>();
    RegisterModalDialog<MasshtabDialog, ScaleDialogModel>();
    RegisterModalDialog<StilLinDialog, LineStyleEditModel>();
    ModalRunner<FrequencyViewRequest>::Set([](FrequencyViewRequest& request) {
        ProsmChastDialog dlg(request, DialogParent());
        if (request.published)
            *request.published = &dlg;
        const int answer = dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
        if (request.published)
            *request.published = nullptr;
        return answer;
    });
}

void ReloadGraphPens()
{
    if (g_pSecView)
        g_pSecView->ReloadPens();
    if (g_pBufView)
        g_pBufView->ReloadPens();
}

bool FocusBufferFrame()
{
    if (!g_pBufFrame)
        return false;
    // Every change of the buffer has reloaded the window already; a reload
    // here would only drop the engineer's zoom.
    g_pBufFrame->FocusFrame();
    return true;
}

void ReloadBufferFrame()
{
    if (g_pBufFrame)
        g_pBufFrame->TakeChoice(g_pBufFrame->quantity, g_pBufFrame->selectedCount);
}

void CreateBufferFrame(int quantity, int selectedCount)
{
    if (!g_pBufFrame)
        ShowBeside(new CBufFrame, g_pResFrame);
    g_pBufFrame->TakeChoice(quantity, selectedCount);
    g_pBufFrame->FocusFrame();
}

SecFrameState* ResultsFrameState()
{
    return g_pResFrame ? &g_pResFrame->State() : nullptr;
}

SecFrameState* CreateResultsFrame()
{
    if (!g_pResFrame)
        ShowBeside(new CSecFrame, g_pBufFrame);
    return &g_pResFrame->State();
}

void RebuildResultsFrame(bool focus)
{
    if (g_pResFrame)
        g_pResFrame->Rebuild(focus);
}

void RelayoutResultsText()
{
    if (g_pResFrame)
        g_pResFrame->OnFontChanged();
}

void DestroyResultsWindows()
{
    delete g_pResFrame;
    delete g_pBufFrame;
}
