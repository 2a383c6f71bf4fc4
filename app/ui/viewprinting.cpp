#include "app/ui/viewprinting.h"

#include "app/docfile.h"
#include "app/kestrinview.h"
#include "app/ui/printer.h"
#include "app/ui/schemepainter.h"
#include "app/ui/schemeview.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "platform/messages.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

void RenderText(QPainter& p, QPrinter& printer, CKestrinView& view, int pageHeight)
{
    p.setFont(TextFont(printer.logicalDpiY(), true));
    const QFontMetrics fm(p.font(), &printer);
    const int lineHeight = std::max(1, fm.height() + fm.leading());
    const TextPaging paging = PageText(view.m_Text, view.m_bPrintSelection != 0, pageHeight, lineHeight);
    for (int page = 1; page <= paging.Pages(); ++page) {
        if (page > 1)
            printer.newPage();
        const LineSpan lines = paging.PageLines(page);
        PaintTextLines(p, view.m_Text, lines.first, lines.last, TextLines::kMargin, lineHeight, false, 0);
    }
}

void RenderScheme(QPainter& p, QPrinter& printer, CKestrinView& view, int pageWidth, int pageHeight)
{
    if (!g_pDoc)
        return;
    // Extent and origin at the printer's own cell size, so that the pages
    // cover the whole scheme at any resolution.
    const int cell = CellSize(DeviceFactor(printer.logicalDpiY()), view.m_dZoom, true);
    SchemeExtent extent;
    if (!ComputeSchemeExtent(*g_pDoc, cell, extent))
        return;
    const SchemeGeometry g{cell, -extent.left, -extent.top};
    const PageTiling tiling = TileScheme(extent, pageWidth, pageHeight);
    const QString title = QString::fromStdString(GetDocTitle());
    for (int page = 1; page <= tiling.Pages(); ++page) {
        if (page > 1)
            printer.newPage();
        const SchemePoint offset = tiling.PageOffset(page, pageWidth, pageHeight);
        p.save();
        p.translate(-offset.x, -offset.y);
        PaintScheme(p, *g_pDoc, view, g, true, title);
        p.restore();
    }
}

} // namespace

void RenderView(QPrinter& printer, CKestrinView& view)
{
    QPainter p;
    if (!p.begin(&printer))
        return;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    view.m_bPrintingText = view.TextMode() ? 1 : 0;
    if (view.TextMode())
        RenderText(p, printer, view, page.height());
    else
        RenderScheme(p, printer, view, page.width(), page.height());
    p.end();
    view.m_bPrintingText = 0;
    view.m_bPrintSelection = 0;
}

void PrintView(QWidget* parent, CKestrinView& view, bool withDialog)
{
    QPrinter& printer = AppPrinter();
    view.m_bPrintSelection = 0;
    if (withDialog) {
        QPrintDialog dlg(&printer, parent);
        dlg.setOption(QAbstractPrintDialog::PrintSelection, view.TextMode() && view.m_Text.selection);
        dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (dlg.exec() != QDialog::Accepted)
            return;
        view.m_bPrintSelection = printer.printRange() == QPrinter::Selection ? 1 : 0;
    }
    printer.setPrintRange(QPrinter::AllPages);
    RenderView(printer, view);
}

void PreviewView(QWidget* parent, CKestrinView& view)
{
    QPrintPreviewDialog dlg(&AppPrinter(), parent);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&view](QPrinter* printer) {
        view.m_bPrintSelection = 0;
        RenderView(*printer, view);
    });
    RunPreview(dlg);
}

void CopyView(SchemeView& widget, CKestrinView& view)
{
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) {
        ShowMessage("Ошибка копирования в буфер", kAppName, MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    if (view.TextMode())
        clipboard->setText(QString::fromStdString(view.CopyText()));
    else
        clipboard->setImage(widget.viewport()->grab().toImage());
}
