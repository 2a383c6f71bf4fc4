// The main frame's part of the channel editor: the structure replay, the
// reduced state, the continuation rule and the element commands of the
// element toolbar.
#include "app/commandids.h"
#include "app/elementrules.h"
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "app/structreplay.h"
#include "app/structwalk.h"
#include "app/wiredialoghost.h"
#include "model/branches.h"
#include "model/document.h"
#include "platform/format.h"
#include "platform/messages.h"

void CMainFrame::RecalcStructure(bool report)
{
    if (!g_pDoc)
        return;
    StructureReplay(*g_pDoc, m_Struct, report).Run();
    if (g_pMainView)
        g_pMainView->m_nSplit = m_Struct.split;
}

bool CMainFrame::GetStructState(unsigned short index, CStructState& st)
{
    if (!g_pDoc || (m_Struct.Broken() && index >= m_Struct.brokenAt))
        return false;
    return ::GetStructState(*g_pDoc, index, st);
}

bool CMainFrame::CanContinue(const CElement& e) const
{
    return g_pDoc && m_bEditing && ::CanContinue(e, *g_pDoc, m_Struct);
}

void CMainFrame::FillElementRules(ElementRuleContext& c) const
{
    c.doc = g_pDoc;
    c.state = &m_Struct;
    c.editing = m_bEditing != 0;
    c.rangeSelected = m_bRange != 0;
    c.selectedIndex = m_bSelected ? m_nSelected : -1;
    c.templateType = m_Template.type;
    c.templateHasData = m_Template.data != nullptr;
    c.wireDialogs = GetWireDialogHost() != nullptr;
    if (g_pMainView) {
        c.gapOpen = g_pMainView->m_bInsertGap != 0;
        c.moving = g_pMainView->m_nMoveMode != 0;
        c.mousePlacement = g_pMainView->m_bMousePlacing != 0;
    }
}

void CMainFrame::ChooseElement(int type)
{
    m_Template.SetType(type);
    SelectElement(nullptr);
    if (!g_pMainView)
        return;
    // Lines, impedances, transpositions, coupling devices and bypasses also
    // fit into an open insertion gap.
    const bool fitsGap = type <= kSeriesImpedance || type == kTransposition || type == kCouplingDevice ||
                         type == kBypass;
    if (fitsGap && g_pMainView->m_bInsertGap) {
        g_pMainView->m_bGapOffered = 1;
        g_pMainView->Redraw();
        return;
    }
    g_pMainView->ShowInsertCandidates();
}

bool CMainFrame::OnElementCommand(int id)
{
    switch (id) {
    case cmd::ID_ELEM_VLINE:
        OnInsertVLine();
        break;
    case cmd::ID_ELEM_KLINE:
        OnInsertKLine();
        break;
    case cmd::ID_ELEM_SHUNT:
        OnInsertShunt();
        break;
    case cmd::ID_ELEM_SERIES_Z:
        OnInsertSeriesZ();
        break;
    case cmd::ID_ELEM_TAP_LOAD:
        OnInsertTapLoad();
        break;
    case cmd::ID_ELEM_TRANSP:
        OnInsertTransp();
        break;
    case cmd::ID_ELEM_COUPLING:
        OnInsertCoupling();
        break;
    case cmd::ID_ELEM_BYPASS:
        OnInsertBypass();
        break;
    case cmd::ID_ELEM_TAP:
        OnInsertTap();
        break;
    case cmd::ID_ELEM_WIRE_CHANGE:
        OnInsertWireChange();
        break;
    case cmd::ID_ELEM_DOUBLING:
        OnInsertDoubling();
        break;
    case cmd::ID_ELEM_CIRCUIT_END:
        OnInsertCircuitEnd();
        break;
    case cmd::ID_ELEM_BRANCH_START:
        OnBranchStart();
        break;
    case cmd::ID_ELEM_BRANCH_END:
        OnBranchEnd();
        break;
    case cmd::ID_ELEM_END_LOAD:
        OnInsertEndLoad();
        break;
    default:
        return false;
    }
    return true;
}

void CMainFrame::OnInsertVLine()
{
    if (!PhaseWiresFirst()) {
        ShowMessage("Для вставки воздушной линии\nнеобходимо предварительно транспонировать провода так,\n"
                    "чтобы тросы шли после всех фаз",
                    kAppName, MsgIcon::Stop);
        return;
    }
    ChooseElement(kOverheadLine);
}

void CMainFrame::OnInsertKLine()
{
    if (!PhasesAlternateWithScreens()) {
        ShowMessage("Для вставки кабеля с использованием\nподключения к экранам\n"
                    "необходимо предварительно транспонировать\nлинию так, чтобы фазы перемежались с экранами",
                    kAppName, MsgIcon::Stop);
        return;
    }
    ChooseElement(kCableLine);
}

void CMainFrame::OnInsertShunt()
{
    ChooseElement(kShuntImpedance);
}

void CMainFrame::OnInsertSeriesZ()
{
    ChooseElement(kSeriesImpedance);
}

void CMainFrame::OnInsertTapLoad()
{
    ChooseElement(kTapLoad);
}

void CMainFrame::OnInsertTransp()
{
    ChooseElement(kTransposition);
}

void CMainFrame::OnInsertBypass()
{
    ChooseElement(kBypass);
}

void CMainFrame::OnInsertTap()
{
    ChooseElement(kTap);
}

void CMainFrame::OnInsertDoubling()
{
    ChooseElement(kDoubling);
}

void CMainFrame::OnInsertCircuitEnd()
{
    ChooseElement(kAttachedEnd);
}

void CMainFrame::OnBranchStart()
{
    ChooseElement(kBranchingStart);
}

void CMainFrame::OnInsertCoupling()
{
    ChooseElement(kCouplingDevice);
    // The first element of a task is placed at once, on the task's wires.
    if (g_pDoc && g_pDoc->elements.empty() && g_pMainView) {
        m_Struct.wireCount = g_pDoc->conductorCount;
        g_pMainView->AddElementOrRange(1, 3);
    }
}

void CMainFrame::OnInsertEndLoad()
{
    ChooseElement(kEndLoad);
    if (g_pDoc && g_pDoc->elements.empty() && g_pMainView) {
        m_Struct.wireCount = g_pDoc->conductorCount;
        g_pMainView->AddElementOrRange(1, 3);
    }
}

void CMainFrame::OnInsertWireChange()
{
    if (g_pDoc && m_Struct.kind == kSectionAttached) {
        std::string message;
        if (!CanRejoinAttachedCircuit(*g_pDoc, message)) {
            ShowMessage(message, kAppName, MsgIcon::Stop);
            return;
        }
    }
    ChooseElement(kWireCountChange);
}

void CMainFrame::OnBranchEnd()
{
    if (!g_pDoc || m_Struct.branchPhase != 1 || m_Struct.TopType() != kBranchingStart) {
        ChooseElement(kBranchingEnd);
        return;
    }
    const CElement& branching = *m_Struct.Top();
    const int circuits = branching.circuitsPart;
    const int ground = branching.groundWiresPart;
    const std::string question =
        StrFormat("Подтвердите завершение описания первой ветви\nи переходите к описанию второй\n"
                  "Число проводов во второй цепи - %d (цепей - %d, тросов %d)",
                  3 * circuits + ground, circuits, ground);
    if (ShowMessage(question, kAppName, MsgIcon::Exclamation, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    // The first branch ends with the invisible marker; the second starts at
    // the branching.
    StructureWalk walk(*g_pDoc, m_Struct, GetWireDialogHost());
    if (!walk.AppendBranchMarker())
        return;
    RecalcStructure(true);
    if (g_pMainView) {
        g_pMainView->RecalcLayout();
        g_pMainView->Redraw();
    }
}

void CMainFrame::OnUpdateInsertEndLoad()
{
    if (m_pHost && m_bElementBar)
        m_pHost->ShowElementBar(m_bEditing != 0);
}
