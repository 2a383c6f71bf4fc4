// The dialog of each element type for "Параметры": one row per type.  A
// runner prepares what its dialog needs from the call, runs it and answers
// IDOK or IDCANCEL; the command writes the copy back.  Add a row here when a
// type's dialog lands.
#include "app/elemparams.h"

#include "app/structreplay.h"
#include "dialogs/endmoddlg.h"
#include "dialogs/klinedlg.h"
#include "dialogs/nagrotvdlg.h"
#include "dialogs/nagruzdlg.h"
#include "dialogs/obhodsheet.h"
#include "dialogs/otvetdlg.h"
#include "dialogs/poslsoprdlg.h"
#include "dialogs/prisoeddlg.h"
#include "dialogs/razvetvdlg.h"
#include "dialogs/shuntdlg.h"
#include "dialogs/transpdlg.h"
#include "dialogs/vlinesheet.h"
#include "model/conductors.h"
#include "model/document.h"
#include "model/shunts.h"

namespace {

int RunOverheadLine(ElemParamsCall& c)
{
    return RunVLineSheet(c.element, c.doc, c.index, c.editing);
}

int RunShunt(ElemParamsCall& c)
{
    return RunShuntDialog(c.element, c.index, c.editing, &c.doc.elements);
}

int RunSeriesImpedance(ElemParamsCall& c)
{
    return RunPoslSoprDialog(c.element, c.index, c.editing, &c.doc.elements);
}

// The cable line: the neighbour scan's scope is the section kind of the
// structure state at the element.
int RunCableLine(ElemParamsCall& c)
{
    CStructState st;
    const int sectionKind = GetStructState(c.doc, c.index, st) ? st.kind : 0;
    return RunCableLineDialog(c.element, c.doc.elements, c.index, sectionKind, c.editing);
}

int RunBypass(ElemParamsCall& c)
{
    return RunBypassSheet(c.element, c.index, &c.doc.elements, c.editing);
}

int RunTransposition(ElemParamsCall& c)
{
    CTranspDlg dlg;
    dlg.element = &c.element;
    dlg.transp = c.element.Data<CTransp>();
    dlg.transp->count = c.element.wirePositions;
    dlg.editing = c.editing;
    dlg.dc = IsDCTask();
    return dlg.DoModal();
}

// A selective tap or doubling: the wire choice, its counts kept.
int RunTapOrDoubling(ElemParamsCall& c)
{
    COtvetDlg dlg;
    dlg.m_pElement = &c.element;
    dlg.m_pChain = &c.doc.elements;
    dlg.m_nElementIndex = c.index;
    dlg.m_bKeepCounts = 1;
    dlg.editing = c.editing;
    dlg.dc = IsDCTask();
    return dlg.DoModal();
}

int RunBranchingStart(ElemParamsCall& c)
{
    CRazvetvDlg dlg;
    dlg.m_pElement = &c.element;
    dlg.m_bKeepCounts = 1;
    dlg.editing = c.editing;
    return dlg.DoModal();
}

int RunCouplingDevice(ElemParamsCall& c)
{
    return RunPrisoedDialog(c.element, c.index, c.editing, &c.doc.elements);
}

int RunTapLoad(ElemParamsCall& c)
{
    return RunNagrOtvDialog(c.element, c.editing);
}

int RunEndLoad(ElemParamsCall& c)
{
    return RunNagruzDialog(c.element, c.editing, c.index == 0);
}

int RunAttachedEnd(ElemParamsCall& c)
{
    return RunEndModDialog(c.element, c.editing);
}

const ElemParamsRow kRows[] = {
    {kOverheadLine, RunOverheadLine},
    {kCableLine, RunCableLine},
    {kShuntImpedance, RunShunt},
    {kSeriesImpedance, RunSeriesImpedance},
    {kTransposition, RunTransposition},
    {kTap, RunTapOrDoubling},
    {kDoubling, RunTapOrDoubling},
    {kBranchingStart, RunBranchingStart},
    {kCouplingDevice, RunCouplingDevice},
    {kBypass, RunBypass},
    {kTapLoad, RunTapLoad},
    {kEndLoad, RunEndLoad},
    {kAttachedEnd, RunAttachedEnd},
};

} // namespace

std::span<const ElemParamsRow> ElemParamsRows()
{
    return kRows;
}
