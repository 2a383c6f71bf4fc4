// The scheme view's element commands: clicks that select, repeat, place and
// mark ranges, the insertion gap, delete, move and rotate, the replace
// commands and "Параметры".
#include "app/commandids.h"
#include "app/elemparams.h"
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "app/structreplay.h"
#include "dialogs/otvetdlg.h"
#include "model/coupling.h"
#include "model/document.h"

#include <algorithm>

using namespace cmd;

namespace {

// Types a range may repeat at the chain end, and that fit an insertion gap.
bool Repeatable(const CElement& e)
{
    if (e.type <= 3 || e.type == kTransposition || e.type == kCouplingDevice)
        return true;
    if (e.type != kBypass)
        return false;
    const CEObhod* b = e.Data<CEObhod>();
    return !b || !b->insideDoubling;
}

int StateSum(const CStructState& st)
{
    return st.kind + st.subState + st.depth + st.branchPhase;
}

} // namespace

int CKestrinView::ElementAtCell(int x, int y) const
{
    if (!g_pDoc)
        return -1;
    for (std::size_t i = 0; i < g_pDoc->elements.size(); ++i) {
        const CElement& e = *g_pDoc->elements[i];
        if (!IsInvisibleMarker(e) && e.cellX == x && e.cellY == y)
            return int(i);
    }
    return -1;
}

ElemMenuState CKestrinView::MenuState() const
{
    ElemMenuState s;
    s.doc = g_pDoc;
    if (!g_pMainFrame)
        return s;
    const CMainFrame& f = *g_pMainFrame;
    s.editing = f.m_bEditing != 0;
    s.selectedIndex = f.m_bSelected ? f.m_nSelected : -1;
    s.range = f.m_bRange != 0;
    s.gapOpen = m_bInsertGap != 0;
    s.moving = m_nMoveMode != 0;
    s.templateType = f.m_Template.type;
    s.templateEntered = f.m_Template.entered != 0;
    return s;
}

void CKestrinView::OnElemParams()
{
    if (!g_pMainFrame || !g_pDoc)
        return;
    CMainFrame& frame = *g_pMainFrame;
    const int index = frame.m_nSelected;
    bool replay = false;
    const bool written = RunElemParams(*g_pDoc, index, frame.m_bEditing != 0, replay);
    if (replay)
        frame.RecalcStructure(true);
    if (written) {
        frame.m_Template = *g_pDoc->elements[std::size_t(index)];
        RecalcLayout();
        const CElement& e = *g_pDoc->elements[std::size_t(index)];
        InvalidateCell(e.cellX, e.cellY, 0);
    }
}

void CKestrinView::OnSchemeLButtonDown(int px, int py, bool shift)
{
    if (!g_pMainFrame || !g_pDoc)
        return;
    CMainFrame& frame = *g_pMainFrame;
    CKestrinDoc& doc = *g_pDoc;
    const SchemePoint cell = Geometry().CellAt(px, py);

    if (m_nMoveMode != 0) {
        // A move or turn under way: an offered cell is its target, any other
        // click ends it.
        const int k = m_Candidates.Find(cell.x, cell.y);
        const bool second = m_nMoveMode == 2 && k >= 4;
        m_nMoveMode = 0;
        WithdrawCandidates();
        if (k >= 0) {
            m_nTargetX = cell.x;
            m_nTargetY = cell.y;
            const SchemePoint pivot = second ? SchemePoint{m_nPivot2X, m_nPivot2Y} : SchemePoint{m_nPivotX, m_nPivotY};
            ApplyMoveRotate(doc, m_nStart, pivot, cell, m_bRotate != 0, [&](int i, int& sum) {
                CStructState st;
                if (!frame.GetStructState(static_cast<unsigned short>(i), st))
                    return false;
                sum = StateSum(st);
                return true;
            });
            frame.RecalcStructure(true);
        }
        m_bRotate = 0;
        frame.ResetTemplate();
        RecalcLayout();
        Redraw();
        return;
    }

    const int index = ElementAtCell(cell.x, cell.y);
    if (m_bInsertGap) {
        if (m_bGapOffered && cell.x == m_nPivotX && cell.y == m_nPivotY) {
            InsertElementAt();
            return;
        }
        m_bGapOffered = 0;
        if (index >= 0) {
            const CElement& e = *doc.elements[std::size_t(index)];
            frame.m_Template = e;
            const CEObhod* b = e.Data<CEObhod>();
            const bool fits = e.type == kBypass ? (!b || (b->selectionMode == 0 && !b->insideDoubling)) && m_nGapKind != 2
                                                : Repeatable(e);
            m_bGapOffered = fits && e.wirePositions == m_nGapWires ? 1 : 0;
        }
        InvalidateCell(m_nPivotX, m_nPivotY, 0);
        return;
    }

    if (shift && index >= 0 && frame.m_bSelected) {
        SelectRange(index);
        return;
    }
    if (index >= 0) {
        CElement& e = *doc.elements[std::size_t(index)];
        frame.m_nSelected = frame.SelectElement(&e);
        frame.m_Template = e;
        if (!frame.m_bEditing)
            return;
        // The element may be repeated at the chain end.
        if (frame.CanContinue(e) && e.wirePositions == frame.m_Struct.wireCount)
            ShowInsertCandidates();
        else
            WithdrawCandidates();
        Redraw();
        return;
    }
    if (m_bCandidates && m_Candidates.Find(cell.x, cell.y) >= 0) {
        frame.m_Template.cellX = cell.x;
        frame.m_Template.cellY = cell.y;
        AddElementOrRange(cell.x, cell.y);
        Redraw();
        return;
    }
    if (!m_bCandidates) {
        frame.m_nSelected = frame.SelectElement(nullptr);
        Redraw();
    }
}

void CKestrinView::SelectRange(int clicked)
{
    CMainFrame& frame = *g_pMainFrame;
    CKestrinDoc& doc = *g_pDoc;
    const int last = int(doc.elements.size()) - 1;
    int start = frame.m_nSelected;
    int end = clicked;
    if (start == 0 && end != last)
        start = 1;
    if (end == 0 && start != last)
        end = 1;
    if (start != end && start != last && end != last)
        end = BalanceRange(doc, start, end, [&](int i, CStructState& st) {
            return frame.GetStructState(static_cast<unsigned short>(i), st);
        });
    if (start == end) {
        // One element: an ordinary selection, offered for repetition.
        CElement& e = *doc.elements[std::size_t(start)];
        frame.m_nSelected = frame.SelectElement(&e);
        frame.m_Template = e;
        if (frame.m_bEditing && frame.CanContinue(e) && e.wirePositions == frame.m_Struct.wireCount)
            ShowInsertCandidates();
        else
            WithdrawCandidates();
        Redraw();
        return;
    }
    frame.m_bRange = 1;
    frame.m_bSelected = 1;
    frame.m_nSelected = static_cast<unsigned short>(start);
    frame.m_nRangeEnd = static_cast<unsigned short>(end);
    const int lo = std::min(start, end), hi = std::max(start, end);
    bool keep = !m_bInsertGap && m_nMoveMode == 0;
    for (int i = 0; i <= last; ++i) {
        CElement& e = *doc.elements[std::size_t(i)];
        const int inside = i >= lo && i <= hi ? 1 : 0;
        if (inside && !(Repeatable(e) && e.wirePositions == frame.m_Struct.wireCount && frame.CanContinue(e)))
            keep = false;
        if (e.selected != inside) {
            e.selected = inside;
            InvalidateCell(e.cellX, e.cellY, 0);
        }
    }
    if (!keep)
        WithdrawCandidates();
    Redraw();
}

void CKestrinView::OnSchemeRButtonDown(int px, int py)
{
    if (g_pMainFrame && !g_pMainFrame->m_bRange)
        OnSchemeLButtonDown(px, py, false);
}

void CKestrinView::InsertElementAt()
{
    CMainFrame& frame = *g_pMainFrame;
    CKestrinDoc& doc = *g_pDoc;
    auto e = std::make_unique<CElement>(frame.m_Template);
    e->cellX = m_nPivotX;
    e->cellY = m_nPivotY;
    e->wirePositions = m_nGapWires;
    e->selected = 0;
    if (e->type == kBypass && !e->data) {
        auto b = std::make_unique<CEObhod>();
        b->insideDoubling = 0;
        e->data = std::move(b);
        e->circuitsAfter = e->circuits;
        e->groundWiresAfter = e->groundWires;
        COtvetDlg dlg;
        dlg.m_pElement = e.get();
        dlg.m_pChain = &doc.elements;
        dlg.m_nElementIndex = m_nStart;
        dlg.editing = true;
        dlg.dc = doc.dc != 0;
        // The choice is repeated until OK; a program without the dialog's
        // window cannot answer, and the insertion is then given up.
        int answer = IDCANCEL;
        for (int tries = 0; tries < 100 && answer != IDOK; ++tries)
            answer = dlg.DoModal();
        if (answer != IDOK)
            return;
        std::copy(std::begin(e->inMap), std::end(e->inMap), std::begin(e->outMap));
    }
    const int start = std::min<int>(m_nStart, int(doc.elements.size()));
    doc.elements.insert(doc.elements.begin() + start, std::move(e));
    doc.elementCount = static_cast<std::uint16_t>(doc.elements.size());
    m_bInsertGap = 0;
    m_bGapOffered = 0;
    m_Gap = {};
    frame.RecalcStructure(true);
    frame.ResetTemplate();
    frame.m_nSelected = frame.SelectElement(nullptr);
    RecalcLayout();
    Redraw();
}

void CKestrinView::OnElemCommand(int id)
{
    if (!g_pMainFrame || !g_pDoc)
        return;
    CMainFrame& frame = *g_pMainFrame;
    CKestrinDoc& doc = *g_pDoc;
    const int selected = frame.m_bSelected ? frame.m_nSelected : -1;
    const int count = int(doc.elements.size());
    switch (id) {
    case ID_ELEM_PARAMS:
        OnElemParams();
        return;
    case ID_ELEM_DELETE: {
        if (selected < 0 || selected >= count)
            return;
        WithdrawCandidates();
        int lo = selected, hi = selected;
        if (frame.m_bRange) {
            lo = std::min<int>(frame.m_nSelected, frame.m_nRangeEnd);
            hi = std::min(std::max<int>(frame.m_nSelected, frame.m_nRangeEnd), count - 1);
        }
        DeleteElements(doc, lo, hi);
        frame.RecalcStructure(true);
        frame.m_nSelected = frame.SelectElement(nullptr);
        frame.ResetTemplate();
        break;
    }
    case ID_ELEM_INSERT: {
        if (selected <= 0 || selected >= count)
            return;
        WithdrawCandidates();
        m_nStart = static_cast<unsigned short>(selected);
        m_Gap = OpenInsertGap(doc, selected);
        m_bInsertGap = 1;
        m_bGapOffered = 0;
        m_nPivotX = m_Gap.cell.x;
        m_nPivotY = m_Gap.cell.y;
        m_nShiftX = m_Gap.shift.x;
        m_nShiftY = m_Gap.shift.y;
        m_nGapWires = doc.elements[std::size_t(selected)]->wirePositions;
        CStructState st;
        m_nGapKind = frame.GetStructState(static_cast<unsigned short>(selected - 1), st) ? st.kind : 0;
        // The toolbar's rules judge what may go into the gap by the section
        // the gap lies in (no bypass or cable line inside a doubled section),
        // not by the chain end's; the replay that closes the gap restores it.
        frame.m_Struct.kind = m_nGapKind;
        frame.m_nSelected = frame.SelectElement(nullptr);
        frame.ResetTemplate();
        break;
    }
    case ID_ELEM_CANCEL_INSERT:
        if (!m_bInsertGap)
            return;
        CancelInsertion();
        break;
    case ID_ELEM_SHIFT:
    case ID_ELEM_ROTATE:
        if (selected <= 0 || selected >= count)
            return;
        PrepareMove(selected, id == ID_ELEM_ROTATE);
        break;
    case ID_REPLACE_BY_COUPLING:
    case ID_REPLACE_BY_END_LOAD: {
        const std::vector<int> changed = id == ID_REPLACE_BY_COUPLING ? ReplaceByCoupling(doc) : ReplaceByEndLoad(doc);
        for (int i : changed)
            InvalidateCell(doc.elements[std::size_t(i)]->cellX, doc.elements[std::size_t(i)]->cellY, 0);
        // The chain end changed kind: the cells offered to repeat the old
        // end, and the template that would fill them, no longer apply.
        WithdrawCandidates();
        frame.RecalcStructure(true);
        frame.ResetTemplate();
        break;
    }
    default:
        return;
    }
    RecalcLayout();
    Redraw();
}

void CKestrinView::CancelInsertion()
{
    if (!m_bInsertGap || !g_pMainFrame || !g_pDoc)
        return;
    CloseInsertGap(*g_pDoc, m_Gap);
    m_Gap = {};
    m_bInsertGap = 0;
    m_bGapOffered = 0;
    g_pMainFrame->RecalcStructure(true);
    g_pMainFrame->ResetTemplate();
}

void CKestrinView::PrepareMove(int s, bool rotate)
{
    CMainFrame& frame = *g_pMainFrame;
    CKestrinDoc& doc = *g_pDoc;
    WithdrawCandidates();
    const CElement& e = *doc.elements[std::size_t(s)];
    auto diagonal = [&](int first, const CElement& around) {
        const int dx[4] = {-1, -1, 1, 1}, dy[4] = {-1, 1, -1, 1};
        for (int k = 0; k < 4; ++k)
            m_Candidates.cells[first + k] = {around.cellX + dx[k], around.cellY + dy[k], true};
    };
    if (e.type == kBranchingEnd) {
        // The end of the second branch and the end of the first one.
        int marker = s - 1;
        while (marker >= 0 && !IsInvisibleMarker(*doc.elements[std::size_t(marker)]))
            --marker;
        if (marker < 1)
            return;
        const CElement& pivot = *doc.elements[std::size_t(s - 1)];
        const CElement& pivot2 = *doc.elements[std::size_t(marker - 1)];
        m_nMoveMode = 2;
        m_nPivotIndex = static_cast<unsigned short>(s - 1);
        m_nPivot2Index = static_cast<unsigned short>(marker - 1);
        m_nPivotX = pivot.cellX;
        m_nPivotY = pivot.cellY;
        m_nPivot2X = pivot2.cellX;
        m_nPivot2Y = pivot2.cellY;
        diagonal(0, pivot);
        diagonal(4, pivot2);
    } else {
        const int p = FindMovePivot(doc, s);
        if (p < 0)
            return; // cells that do not touch: nothing to move around
        const CElement& pivot = *doc.elements[std::size_t(p)];
        m_nMoveMode = 1;
        m_nPivotIndex = static_cast<unsigned short>(p);
        m_nPivotX = pivot.cellX;
        m_nPivotY = pivot.cellY;
        if (pivot.type == kBranchingStart) {
            diagonal(0, pivot);
        } else {
            const int dx[4] = {-1, 0, 1, 0}, dy[4] = {0, -1, 0, 1};
            for (int k = 0; k < 4; ++k)
                m_Candidates.cells[k] = {pivot.cellX + dx[k], pivot.cellY + dy[k], true};
        }
    }
    for (CandidateCell& c : m_Candidates.cells)
        if (c.offered && ElementAtCell(c.x, c.y) >= 0)
            c.offered = false;
    m_Candidates.shown = true;
    m_nStart = static_cast<unsigned short>(s);
    m_bRotate = rotate ? 1 : 0;
    InvalidateCell(m_nPivotX, m_nPivotY, 1);
    frame.ResetTemplate();
}
