// The scheme view's element commands.
#include "app/elemparams.h"
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "model/document.h"

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
