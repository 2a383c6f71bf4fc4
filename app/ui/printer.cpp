#include "app/ui/printer.h"

#include "app/kestrinapp.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

QPrinter& AppPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void RunPreview(QPrintPreviewDialog& dlg)
{
    auto* preview = dlg.findChild<QPrintPreviewWidget*>();
    if (preview && g_pApp && g_pApp->m_nNumPreviewPages == 2)
        preview->setViewMode(QPrintPreviewWidget::FacingPagesView);
    dlg.exec();
    if (!preview || !g_pApp)
        return;
    // The overview of all pages is a passing look, not a page choice.
    switch (preview->viewMode()) {
    case QPrintPreviewWidget::SinglePageView:
        g_pApp->m_nNumPreviewPages = 1;
        break;
    case QPrintPreviewWidget::FacingPagesView:
        g_pApp->m_nNumPreviewPages = 2;
        break;
    default:
        break;
    }
}
