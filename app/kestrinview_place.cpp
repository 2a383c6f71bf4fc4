// The scheme view's part of placing elements: the cells it offers next to
// the chain end and the appending of the chosen element or copied range.
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "app/structwalk.h"
#include "app/wiredialoghost.h"
#include "model/document.h"

void CKestrinView::ShowInsertCandidates()
{
    if (!g_pMainFrame || !g_pDoc)
        return;
    m_Candidates.Show(*g_pDoc, g_pMainFrame->m_Struct.lastPlaced, g_pMainFrame->m_Template.type);
    m_bCandidates = 1;
    const CElement& end = g_pMainFrame->m_Struct.lastPlaced;
    InvalidateCell(end.cellX, end.cellY, 1);
}

void CKestrinView::WithdrawCandidates()
{
    m_Candidates.Withdraw();
    m_bCandidates = 0;
}

void CKestrinView::AddElementOrRange(int x, int y)
{
    if (!g_pMainFrame || !g_pDoc)
        return;
    CMainFrame& frame = *g_pMainFrame;
    CKestrinDoc& doc = *g_pDoc;
    StructureWalk walk(doc, frame.m_Struct, GetWireDialogHost());
    ElementRange range{frame.m_nSelected, frame.m_nRangeEnd};
    const int placed = ::AddElementOrRange(walk, frame.m_Template, x, y, frame.m_bRange ? &range : nullptr,
                                           [&](const PlacedElement& p) {
                                               WithdrawCandidates();
                                               CElement* e = doc.GetElement(p.index);
                                               frame.m_nSelected = frame.SelectElement(e);
                                               if (doc.elements.size() > 1 && e) {
                                                   InvalidateCell(e->cellX, e->cellY, 1);
                                                   InvalidateCell(frame.m_Struct.lastPlaced.cellX,
                                                                  frame.m_Struct.lastPlaced.cellY, 0);
                                               }
                                               if (frame.m_bWarnings)
                                                   ShowPlacementPrompt(p);
                                           });
    if (placed == 0)
        return;
    // Every change of the chain is followed by the replay of its structure.
    frame.RecalcStructure(true);
    RecalcLayout();
}
