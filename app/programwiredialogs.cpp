#include "app/programwiredialogs.h"

#include "app/mainframe.h"
#include "dialogs/izmprovdlg.h"
#include "dialogs/otvetdlg.h"
#include "dialogs/razvetvdlg.h"
#include "model/document.h"
#include "model/element.h"

namespace {

bool Editing()
{
    return !g_pMainFrame || g_pMainFrame->m_bEditing;
}

int IndexInChain(const CElement& element)
{
    if (!g_pDoc)
        return -1;
    for (std::size_t i = 0; i < g_pDoc->elements.size(); ++i)
        if (g_pDoc->elements[i].get() == &element)
            return int(i);
    return -1;
}

} // namespace

int ProgramWireDialogs::RunOtvetDlg(CElement& element, int endsDoubling)
{
    COtvetDlg dlg;
    dlg.m_pElement = &element;
    dlg.m_bEndsDoubling = endsDoubling;
    dlg.m_bKeepCounts = 0;
    dlg.m_pChain = g_pDoc ? &g_pDoc->elements : nullptr;
    dlg.m_nElementIndex = IndexInChain(element);
    dlg.editing = Editing();
    dlg.dc = g_bDC != 0;
    return dlg.DoModal();
}

int ProgramWireDialogs::RunRazvetvDlg(CElement& element)
{
    CRazvetvDlg dlg;
    dlg.m_pElement = &element;
    dlg.m_bKeepCounts = 0;
    dlg.editing = Editing();
    return dlg.DoModal();
}

int ProgramWireDialogs::RunIzmProvDlg(WireCountChoice& choice)
{
    CIzmProvDlg dlg;
    dlg.viewOnly = choice.viewOnly;
    dlg.currentCircuits = choice.currentCircuits;
    dlg.newCircuits = choice.newCircuits;
    dlg.currentGround = choice.currentGround;
    dlg.newGround = choice.newGround;
    dlg.varMod = choice.varMod;
    dlg.editing = Editing();
    dlg.dc = g_bDC != 0;
    dlg.chainCircuits = g_nLabelCircuits;
    dlg.chainGround = g_nLabelGround;
    dlg.entryPositions = choice.entryPositions;
    const int result = dlg.DoModal();
    if (result == IDOK) {
        choice.newCircuits = dlg.newCircuits;
        choice.newGround = dlg.newGround;
    }
    return result;
}

bool InstallProgramWireDialogs()
{
    static ProgramWireDialogs host;
    if (!ModalRunner<COtvetDlg>::Get() || !ModalRunner<CRazvetvDlg>::Get() || !ModalRunner<CIzmProvDlg>::Get())
        return false;
    SetWireDialogHost(&host);
    return true;
}
