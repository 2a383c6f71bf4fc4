#include "results/ui/resultswindows.h"

#include "results/razdelitel.h"
#include "results/ui/razdelitelwidget.h"
#include "results/ui/secframe.h"
#include "results/ui/vibrezdialog.h"

#include <QApplication>

void RegisterResultsDialogs()
{
    ModalRunner<CVibRezDlg>::Set([](CVibRezDlg& model) {
        VibRezDialog dlg(model, QApplication::activeWindow());
        return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
    ModalRunner<CRazdelitelDlg>::Set([](CRazdelitelDlg& model) {
        RazdelitelDialog dlg(model, QApplication::activeWindow());
        return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
}

SecFrameState* ResultsFrameState()
{
    return g_pResFrame ? &g_pResFrame->State() : nullptr;
}

SecFrameState* CreateResultsFrame()
{
    if (!g_pResFrame)
        (new CSecFrame)->show();
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
}
