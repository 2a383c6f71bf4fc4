#include "app/kestrinview.h"

#include "app/cataloglisting.h"
#include "app/currentbase.h"
#include "app/docfile.h"
#include "app/mainframe.h"
#include "app/tasklisting.h"
#include "model/base.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "platform/format.h"

#include <algorithm>
#include <cstdarg>

CKestrinView* g_pMainView = nullptr;

CKestrinView::CKestrinView()
{
    g_pMainView = this;
}

CKestrinView::~CKestrinView()
{
    if (g_pMainView == this)
        g_pMainView = nullptr;
}

void CKestrinView::ClearModeFlags()
{
    m_Text.ResetSelection();
    m_bPrintingText = 0;
    m_bPrintSelection = 0;
    m_bFitted = 0;
    m_bLarger = 0;
    m_bCandidates = 0;
    m_Candidates.Withdraw();
    m_bInsertGap = 0;
    m_bGapOffered = 0;
    m_bRotate = 0;
    m_nMoveMode = 0;
}

void CKestrinView::ResetView()
{
    ClearModeFlags();
    m_dZoom = 1.0;
    m_nOriginX = 0;
    m_nOriginY = 0;
}

void CKestrinView::ResetEditMode()
{
    ClearModeFlags();
    if (g_pMainFrame)
        g_pMainFrame->ResetTemplate();
    RecalcLayout();
    if (g_pMainFrame && g_nTaskCompletion == 0)
        g_pMainFrame->RecalcStructure();
    Redraw();
}

bool CKestrinView::TextMode() const
{
    return g_pMainFrame && g_pMainFrame->m_nViewMode != 0;
}

ViewMetrics CKestrinView::HostMetrics() const
{
    return m_pHost ? m_pHost->Metrics() : ViewMetrics{};
}

void CKestrinView::RecalcLayout()
{
    const ViewMetrics m = HostMetrics();
    m_dFactor = DeviceFactor(m.logicalDpiY);
    if (TextMode())
        LayoutText(m);
    else
        LayoutScheme(m);
}

void CKestrinView::LayoutScheme(const ViewMetrics& m)
{
    if (!g_pDoc || g_pDoc->elements.empty())
        return;
    m_nCell = CellSize(m_dFactor, m_dZoom, false);
    SchemeExtent extent;
    ComputeSchemeExtent(*g_pDoc, m_nCell, extent);
    // The origin always follows the extent: a view reset puts it back to
    // (0, 0) while the extent may be unchanged.
    m_nOriginX = -extent.left;
    m_nOriginY = -extent.top;
    if (extent != m_Extent || m_nScrollWidth != extent.Width() || m_nScrollHeight != extent.Height()) {
        m_Extent = extent;
        m_nScrollWidth = extent.Width();
        m_nScrollHeight = extent.Height();
        m_nPageScrollX = m_nPageScrollY = 0;
        m_nLineScrollX = m_nLineScrollY = 0;
        if (m_pHost)
            m_pHost->ScrollSizesChanged(true);
    }
    m_bLarger = m.clientWidth < m_nScrollWidth || m.clientHeight < m_nScrollHeight;
    Redraw();
}

void CKestrinView::LayoutText(const ViewMetrics& m)
{
    m_nLineHeight = std::max(m.lineHeight, 1);
    int widest = 0;
    if (m_pHost)
        for (const std::string& line : m_Text.lines)
            widest = std::max(widest, m_pHost->TextWidth(line));
    m_nScrollWidth = m_Text.lines.empty() ? 0 : widest + 10;
    m_nTextHeight = m_Text.lines.empty() ? 0 : m_Text.TextHeight(m_nLineHeight);
    // Qt's scroll ranges are not 16-bit: the whole listing is one part.
    m_nTextPages = 1;
    m_nCurTextPage = 0;
    m_nScrollHeight = m_nTextHeight;
    m_nLineScrollX = m_nLineScrollY = m_nLineHeight;
    m_nPageScrollX = int(0.9 * m.clientWidth);
    m_nPageScrollY = int(0.9 * m.clientHeight);
    if (m_pHost)
        m_pHost->ScrollSizesChanged(false);
    ScrollToTop();
}

void CKestrinView::InvalidateCell(int x, int y, int r)
{
    if (!m_pHost)
        return;
    const int c = m_nCell;
    auto square = [&](int cx, int cy, int radius) {
        const double lo = -radius - 0.6, hi = radius + 0.6;
        m_pHost->InvalidateRect(m_nOriginX + int((cx + lo) * c), m_nOriginY + int((cy + lo) * c),
                                m_nOriginX + int((cx + hi) * c) + 1, m_nOriginY + int((cy + hi) * c) + 1);
    };
    square(x, y, r);
    for (const CandidateCell& cell : m_Candidates.cells)
        if (cell.offered)
            square(cell.x, cell.y, 1);
}

void CKestrinView::AddTextLineF(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    m_Text.lines.push_back(StrFormatV(fmt, args));
    va_end(args);
}

void CKestrinView::BuildTextView()
{
    FreeTextLines();
    const int mode = g_pMainFrame ? g_pMainFrame->m_nViewMode : 0;
    std::vector<std::string> lines;
    if (mode == 1 && g_pDoc) {
        lines = TaskListing::Build(*g_pDoc, g_pDoc->title, g_DocFile.pathName);
    } else if (mode == 2 && g_pDoc) {
        CollectTaskItems();
        lines = CatalogListing::Build(g_TaskBase, CatalogListing::TaskBaseHeading(GetDocTitle()));
    } else if (mode == 3) {
        lines = CatalogListing::Build(g_CurBase, CatalogListing::CurrentBaseHeading(g_strBasePath));
    }
    for (std::string& line : lines)
        AddTextLine(line);
    RecalcLayout();
    Redraw();
}

void CKestrinView::ResetZoom()
{
    m_dZoom = 1.0;
    m_bFitted = 0;
    RecalcLayout();
    ScrollToTop();
    Redraw();
}

void CKestrinView::ZoomToFit()
{
    // An unshown or minimised window has no client to fit into.
    const ViewMetrics m = HostMetrics();
    if (m.clientWidth <= 0 || m.clientHeight <= 0 || m_nScrollWidth <= 0 || m_nScrollHeight <= 0)
        return;
    const double r = std::max(double(m_nScrollWidth) / m.clientWidth, double(m_nScrollHeight) / m.clientHeight);
    if (!(r > 0))
        return;
    // The cell stays at least 2 units: the zoom does not go below what gives it.
    m_dZoom = std::max(m_dZoom / r, 2.0 / (24.0 * m_dFactor));
    m_bFitted = 1;
    RecalcLayout();
    Redraw();
}

void CKestrinView::InvalidateLines(const LineSpan& lines)
{
    if (!m_pHost || lines.Empty())
        return;
    m_pHost->InvalidateRect(0, TextLines::LineTop(lines.first, m_nLineHeight), m_nScrollWidth + 10,
                            TextLines::LineTop(lines.last + 1, m_nLineHeight));
}

void CKestrinView::OnTextButtonDown(int y)
{
    InvalidateLines(m_Text.Press(y, m_nLineHeight));
}

void CKestrinView::OnTextMouseMove(int y)
{
    InvalidateLines(m_Text.DragTo(y, m_nLineHeight));
}

void CKestrinView::OnTextButtonUp()
{
    m_Text.Release();
}

bool CKestrinView::OnEscape()
{
    const LineSpan ended = m_Text.EndSelection();
    InvalidateLines(ended);
    return !ended.Empty();
}

void CKestrinView::OnSelectAll()
{
    if (m_Text.SelectAll())
        Redraw();
}

void CKestrinView::ScrollToTop()
{
    if (m_pHost)
        m_pHost->ScrollViewTo(0, 0);
}

void CKestrinView::Redraw()
{
    if (m_pHost)
        m_pHost->InvalidateView();
}

void CKestrinView::SetFocus()
{
    if (m_pHost)
        m_pHost->FocusView();
}
