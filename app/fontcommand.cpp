#include "app/fontcommand.h"

#include "app/displayfont.h"
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "platform/modal.h"

std::function<void()> g_OnDisplayFontChanged;

bool ChooseFont()
{
    FontDialogModel dlg{g_LogFont};
    if (RunModal(dlg) != IDOK)
        return false;
    g_LogFont = dlg.font;
    if (g_OnDisplayFontChanged)
        g_OnDisplayFontChanged();
    // The results view's text is laid out again by the results window when it
    // shows text; the scheme view's listing when it shows one.
    if (g_pMainFrame && g_pMainFrame->m_nViewMode != 0 && g_pMainView) {
        g_pMainView->RecalcLayout();
        g_pMainView->Redraw();
    }
    return true;
}
