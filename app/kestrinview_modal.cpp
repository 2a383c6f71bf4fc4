#include "app/kestrinview.h"

#include "app/mainframe.h"
#include "app/modraschdlg.h"
#include "model/document.h"

void CKestrinView::OnCalcModal()
{
    CMainFrame* frame = g_pMainFrame;
    if (!frame || !g_pDoc || frame->m_bEditing)
        return;
    CElement& line = frame->m_Template;
    if ((line.type != kOverheadLine && line.type != kCableLine) || !line.entered || !line.data)
        return;
    if (frame->Host())
        frame->Host()->DestroyResultWindows();
    CModRaschDlg dlg(*g_pDoc, line, frame->m_nSelected);
    dlg.DoModal();
}
