#include "app/structwalk.h"

#include "app/structreplay.h"
#include "app/wiredialoghost.h"
#include "dialogs/izmprovdlg.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/shunts.h"
#include "platform/format.h"
#include "platform/modal.h"

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

int WiresPerCircuit()
{
    return g_bDC ? 1 : 3;
}

template <class T>
T& DataOf(CElement& e)
{
    if (!e.Data<T>())
        e.data = std::make_unique<T>();
    return *e.Data<T>();
}

} // namespace

StructureWalk::StructureWalk(CKestrinDoc& doc, StructureState& st, WireDialogHost* host)
    : m_doc(doc), m_st(st), m_host(host)
{
}

bool StructureWalk::Refuse(const char* reason)
{
    m_problem = reason;
    return false;
}

bool StructureWalk::StartChain(CElement& e)
{
    // The first element takes the task's wires: the three phases of every
    // circuit (one pole each on a DC line), then the ground wires.
    StructureState& s = m_st;
    const int conductors = WiresPerCircuit() * m_doc.circuits + m_doc.groundWires;
    if (conductors > kMaxWires || m_doc.conductorCount > kMaxWires)
        return Refuse("число проводов больше 40");
    s.Reset(m_doc.conductorCount);
    std::fill(std::begin(e.inMap), std::end(e.inMap), -1);
    int j = 0;
    for (int k = 0; k < m_doc.circuits; ++k) {
        if (g_bDC) {
            e.inMap[j++] = k;
        } else {
            for (int p = 0; p < 3; ++p)
                e.inMap[j++] = 4 * k + p;
        }
    }
    for (int k = 0; k < m_doc.groundWires; ++k)
        e.inMap[j++] = 4 * k + 3;
    g_nCurCircuits = g_nLabelCircuits = m_doc.circuits;
    g_nCurGround = g_nLabelGround = m_doc.groundWires;
    s.split = m_doc.splitConductor;
    e.cellX = 1;
    e.cellY = 3;
    return true;
}

bool StructureWalk::AddElement(CElement& tmpl, PlacedElement& placed)
{
    m_problem.clear();
    if (tmpl.type > kEndLoad)
        return false;
    StructureState& s = m_st;
    if (!m_doc.elements.empty() && s.Broken())
        return Refuse(s.brokenReason.c_str());

    auto owned = std::make_unique<CElement>(tmpl);
    CElement& e = *owned;
    int previousType = -1;
    if (m_doc.elements.empty()) {
        if (!StartChain(e))
            return false;
    } else {
        std::copy(std::begin(s.wireMap), std::end(s.wireMap), e.inMap);
        previousType = m_doc.elements.back()->type;
    }
    e.splitConductor = s.split;
    e.wirePositions = s.wireCount;
    e.circuits = g_nCurCircuits;
    e.groundWires = g_nCurGround;
    e.conductors = std::uint8_t(g_nCurGround + WiresPerCircuit() * g_nCurCircuits);

    // What cannot follow is refused before any wire choice is asked for.
    const bool opens = e.type == kTap || e.type == kWireCountChange || e.type == kDoubling ||
                       e.type == kBranchingStart;
    if (opens && s.depth >= kStructStackSize)
        return Refuse("вложенность ответвлений и участков больше 100");
    if (e.type == kTapLoad || e.type == kAttachedEnd || e.type == kBranchingEnd)
        if (const char* problem = StructuralProblem(s, e))
            return Refuse(problem);

    // The wire dialogs see the element in the chain.
    m_doc.AppendElement(std::move(owned));
    const int index = int(m_doc.elements.size()) - 1;
    auto removeRefused = [&](const char* reason) {
        m_doc.elements.pop_back();
        m_doc.elementCount = std::uint16_t(m_doc.elements.size());
        return Refuse(reason);
    };
    if (!ChooseWires(e, previousType))
        return removeRefused(m_problem.c_str());
    StructureReplay step(m_doc, s, false);
    if (const char* problem = step.Problem(e, index))
        return removeRefused(problem);

    const bool closesDoubling = BypassClosesDoubling(s, e);
    step.Apply(e, index);
    placed.index = index;
    placed.icon = MsgIcon::Information;
    placed.prompt = Prompt(e, closesDoubling, placed.icon);
    tmpl.SetType(kNoType);
    return true;
}

bool StructureWalk::AppendBranchMarker()
{
    m_problem.clear();
    StructureState& s = m_st;
    if (s.Broken() || s.branchPhase != 1 || s.TopType() != kBranchingStart || m_doc.elements.empty())
        return Refuse("конец разветвления без начала разветвления");
    auto owned = std::make_unique<CElement>();
    CElement& e = *owned;
    e.SetType(kBranchingEnd);
    e.circuitsAfter = 0;
    // Never drawn: it shares the cell of the first branch's last element.
    e.cellX = m_doc.elements.back()->cellX;
    e.cellY = m_doc.elements.back()->cellY;
    const int index = int(m_doc.elements.size());
    StructureReplay step(m_doc, s, false);
    if (const char* problem = step.Problem(e, index))
        return Refuse(problem);
    m_doc.AppendElement(std::move(owned));
    step.Apply(e, index);
    return true;
}

bool StructureWalk::RunUntilOk(const std::function<int()>& dialog)
{
    if (!m_host)
        return Refuse("нет диалога выбора проводов");
    // The wire dialogs have no Cancel: the element needs the choice.
    while (dialog() != IDOK) {
    }
    return true;
}

bool StructureWalk::ChooseWires(CElement& e, int previousType)
{
    StructureState& s = m_st;
    switch (e.type) {
    case kTapLoad:
        if (previousType == kCouplingDevice) {
            // A tap that ends at a coupling device is loaded by it.
            DataOf<CNagrOtv>(e).mode = 0;
            e.entered = 1;
        }
        return true;
    case kBypass: {
        if (e.data)
            return true;
        const bool endsDoubling = s.kind == kSectionDoubling && s.TopType() == kDoubling;
        DataOf<CEObhod>(e).insideDoubling = endsDoubling;
        e.circuitsAfter = g_nCurCircuits;
        e.groundWiresAfter = g_nCurGround;
        return RunUntilOk([&] { return m_host->RunOtvetDlg(e, endsDoubling ? 1 : 0); });
    }
    case kTap:
    case kDoubling:
        return ChooseNestedWires(e);
    case kWireCountChange:
        return ChooseWireCount(e);
    case kAttachedEnd:
        PrepareAttachedEnd(e, previousType);
        return true;
    case kBranchingStart:
        return SplitBranches(e);
    case kBranchingEnd:
        e.entered = 1;
        return true;
    default:
        return true;
    }
}

bool StructureWalk::ChooseNestedWires(CElement& e)
{
    COtvet& part = DataOf<COtvet>(e);
    e.circuitsAfter = g_nCurCircuits;
    e.groundWiresAfter = g_nCurGround;
    if (!g_bDC && g_nCurCircuits > 1) {
        if (!RunUntilOk([&] { return m_host->RunOtvetDlg(e, 0); }))
            return false;
    } else {
        // One circuit or a DC line: every wire takes part.
        e.circuitsPart = g_nCurCircuits;
        e.groundWiresPart = g_nCurGround;
        if (e.type == kDoubling)
            std::copy(std::begin(e.inMap), std::end(e.inMap), part.map);
        part.selectionMode = 0;
        part.count = m_st.wireCount;
        std::fill(std::begin(part.flags), std::end(part.flags), std::uint8_t(1));
    }
    if (e.type == kDoubling) {
        // The doubled section carries every chosen wire twice.
        const int doubled = 2 * part.count;
        if (doubled > kMaxWires)
            return Refuse("число проводов больше 40");
        part.count = std::uint8_t(doubled);
    }
    e.entered = 1;
    return true;
}

bool StructureWalk::ChooseWireCount(CElement& e)
{
    StructureState& s = m_st;
    CVarMod& change = DataOf<CVarMod>(e);
    int circuitsPart = 0, groundPart = 0;
    if (s.kind == kSectionNone) {
        // Opening an attached circuit: the user chooses the counts after it.
        // With no count able to grow the dialog could never end with OK.
        if (!CIzmProvDlg::AnyCountCanGrow(g_nCurCircuits, g_nCurGround, e.wirePositions, g_bDC != 0))
            return Refuse("число проводов нельзя увеличить");
        WireCountChoice choice;
        choice.entryPositions = e.wirePositions;
        choice.currentCircuits = choice.newCircuits = g_nCurCircuits;
        choice.currentGround = choice.newGround = g_nCurGround;
        choice.varMod = &change;
        if (!RunUntilOk([&] { return m_host->RunIzmProvDlg(choice); }))
            return false;
        const int after = WiresPerCircuit() * choice.newCircuits + choice.newGround;
        if (choice.newCircuits < g_nCurCircuits || choice.newGround < g_nCurGround || after > kMaxWires)
            return Refuse("неверное число проводов изменения");
        e.circuitsAfter = choice.newCircuits;
        e.groundWiresAfter = choice.newGround;
        e.wirePositions2 = std::uint8_t(after);
        circuitsPart = choice.newCircuits - g_nCurCircuits;
        groundPart = choice.newGround - g_nCurGround;
    } else {
        // Rejoining: the wires that the opening change let in leave again,
        // and the line goes on with the wires it had before that change.
        const CElement* opening = nullptr;
        for (int i = int(m_doc.elements.size()) - 2; i >= 0 && !opening; --i)
            if (m_doc.elements[std::size_t(i)]->type == kWireCountChange)
                opening = m_doc.elements[std::size_t(i)].get();
        if (!opening)
            return Refuse("нет изменения числа проводов, открывшего присоединенную цепь");
        circuitsPart = g_nCurCircuits - opening->circuits;
        groundPart = g_nCurGround - opening->groundWires;
        if (circuitsPart < 0 || groundPart < 0)
            return Refuse("неверное число проводов изменения");
        e.wirePositions2 = opening->wirePositions;
        e.circuitsAfter = opening->circuits;
        e.groundWiresAfter = opening->groundWires;
    }
    e.circuitsPart = std::uint8_t(circuitsPart);
    e.groundWiresPart = std::uint8_t(groundPart);
    change.circuitsDiff = e.circuitsPart;
    change.groundDiff = e.groundWiresPart;
    change.wiresBefore = e.wirePositions;
    change.wiresAfter = e.wirePositions2;
    e.entered = 1;
    return true;
}

bool StructureWalk::SplitBranches(CElement& e)
{
    COtvet& branching = DataOf<COtvet>(e);
    if (g_nCurCircuits < 3 && g_nCurGround == 0) {
        // Two circuits without ground wires: the first circuit goes into the
        // first branch, the other into the second.
        e.circuitsAfter = e.circuitsPart = 1;
        e.groundWiresAfter = e.groundWiresPart = 0;
        const int firstCircuit = e.inMap[0] / 4;
        for (int k = 0; k < kMaxWires; ++k)
            branching.flags[k] = k < 6 && e.inMap[k] >= 0 && e.inMap[k] / 4 == firstCircuit;
        branching.count = 3;
    } else if (!RunUntilOk([&] { return m_host->RunRazvetvDlg(e); })) {
        return false;
    }
    e.entered = 1;
    return true;
}

void StructureWalk::PrepareAttachedEnd(CElement& e, int previousType)
{
    CEndMod& end = DataOf<CEndMod>(e);
    end.count = m_st.wireCount;
    // The kind of the end follows what comes before it; a kind that changes
    // asks for the end's parameters again.
    auto setKind = [&](int kind) {
        if (end.kind != kind) {
            end.kind = std::uint8_t(kind);
            e.entered = 0;
        }
    };
    if (m_st.kind == kSectionAttached) {
        if (previousType == kCouplingDevice) {
            end.kind = 0;
            e.entered = 1;
        } else if (previousType == kWireCountChange) {
            if (end.kind < 2)
                setKind(2);
        } else {
            setKind(1);
        }
    } else {
        setKind(1);
    }
}

std::string StructureWalk::Prompt(const CElement& e, bool closedDoubling, MsgIcon& icon) const
{
    const StructureState& s = m_st;
    icon = MsgIcon::Information;
    switch (e.type) {
    case kTapLoad:
        return StrFormat("Описание ответвления завершено.\nВозврат к месту ветвления\nЧисло проводов - %d",
                         s.wireCount);
    case kCouplingDevice:
        if (s.endState == kChainClosedByCoupling)
            return "Формирование структуры тракта\nможет быть завершено.";
        return {};
    case kBypass:
        if (closedDoubling)
            return StrFormat("Описание участка \nс удвоенным числом проводов завершено.\n"
                             "Возврат к участку с числом проводов %d",
                             m_doc.conductorCount);
        return {};
    case kTap:
        return StrFormat("Переход к описанию ответвления.\nЧисло проводов - %d", s.wireCount);
    case kWireCountChange:
        return StrFormat("Переход к описанию присоединенной цепи.\nЧисло проводов на участке - %d", s.wireCount);
    case kDoubling:
        return StrFormat("Переход к описанию участка\nс удвоенным числом проводов - %d", s.wireCount);
    case kAttachedEnd:
        return StrFormat("Описание присоединенной цепи завершено.\nПереход к описанию участка\n с %s числом "
                         "проводов - %d",
                         s.subState == kAttachedNone ? "основным" : "измененным", s.wireCount);
    case kBranchingStart:
        return StrFormat("Переход к описанию первой ветви разветвления\nЧисло проводов - %d (цепей - %d, "
                         "тросов - %d)",
                         s.wireCount, g_nCurCircuits, g_nCurGround);
    case kBranchingEnd:
        if (s.branchPhase != 0)
            return {};
        return StrFormat("Описание разветвления завершено\nПереход к описанию участка\nc числом проводов - %d "
                         "(цепей - %d, тросов - %d)",
                         s.wireCount, g_nCurCircuits, g_nCurGround);
    case kEndLoad:
        if (s.endState != kChainClosedByLoad)
            return {};
        icon = MsgIcon::Exclamation;
        return "Описание структуры тракта завершено";
    default:
        return {};
    }
}

void ShowPlacementPrompt(const PlacedElement& placed)
{
    if (!placed.prompt.empty())
        ShowMessage(placed.prompt, kAppName, placed.icon);
}

int AddElementOrRange(StructureWalk& walk, CElement& tmpl, int x, int y, const ElementRange* range,
                      const std::function<void(const PlacedElement&)>& placedFn)
{
    CKestrinDoc& doc = walk.Doc();
    auto place = [&](CElement& element) {
        const int index = int(doc.elements.size());
        PlacedElement placed;
        if (walk.AddElement(element, placed)) {
            if (placedFn)
                placedFn(placed);
            return true;
        }
        if (!walk.Problem().empty())
            ShowMessage(StructureBrokenMessage(index, walk.Problem()), kAppName, MsgIcon::Stop);
        return false;
    };
    if (!range) {
        tmpl.cellX = x;
        tmpl.cellY = y;
        return place(tmpl) ? 1 : 0;
    }
    // A copied range goes on in a straight line from the chain end towards
    // the chosen cell.
    const int lo = std::max(0, std::min(range->from, range->to));
    const int hi = std::min(std::max(range->from, range->to), int(doc.elements.size()) - 1);
    const int dx = x - walk.State().lastPlaced.cellX;
    const int dy = y - walk.State().lastPlaced.cellY;
    int placedCount = 0;
    for (int i = lo; i <= hi; ++i) {
        tmpl = *doc.elements[std::size_t(i)];
        tmpl.cellX = x + placedCount * dx;
        tmpl.cellY = y + placedCount * dy;
        if (!place(tmpl))
            break;
        ++placedCount;
    }
    return placedCount;
}
