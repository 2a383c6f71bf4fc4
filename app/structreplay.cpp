#include "app/structreplay.h"

#include "model/branches.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/shunts.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>
#include <iterator>

namespace {

int WiresPerCircuit()
{
    return g_bDC ? 1 : 3;
}

bool OpensNesting(int type)
{
    return type == kTap || type == kWireCountChange || type == kDoubling || type == kBranchingStart;
}

// The wire count after element e, before it is narrowed to a byte (a damaged
// chain may give any value).
int NextWireCount(const CStructState& s, const CElement& e)
{
    const CElement* top = s.Top();
    switch (e.type) {
    case kTapLoad:
        return top->wirePositions;
    case kBypass:
        return BypassClosesDoubling(s, e) ? top->wirePositions : s.wireCount;
    case kTap:
    case kDoubling:
        return e.Data<COtvet>()->count;
    case kWireCountChange:
        // Opening: the wires the change adds; rejoining: the wires that leave.
        return s.kind == kSectionNone ? e.wirePositions2 - s.wireCount : s.wireCount - e.wirePositions2;
    case kAttachedEnd:
        return s.kind == kSectionAttached ? top->wirePositions2 : top->wirePositions;
    case kBranchingStart:
        return 3 * e.circuitsAfter + e.groundWiresAfter;
    case kBranchingEnd:
        if ((s.branchPhase + 1) % 3 == 0)
            return top->wirePositions;
        return 3 * top->circuitsPart + top->groundWiresPart;
    default:
        return s.wireCount;
    }
}

void CopyMap(int* dst, const int* src)
{
    std::copy(src, src + kMaxWires, dst);
}

void ClearFrom(int* map, int from)
{
    std::fill(map + std::clamp(from, 0, kMaxWires), map + kMaxWires, -1);
}

bool Contains(const int* map, int n, int code)
{
    return std::find(map, map + std::min(n, kMaxWires), code) != map + std::min(n, kMaxWires);
}

void SetCurrentCounts(int circuits, int ground)
{
    g_nCurCircuits = std::uint8_t(circuits);
    g_nCurGround = std::uint8_t(ground);
}

} // namespace

bool BypassClosesDoubling(const CStructState& s, const CElement& e)
{
    const CEObhod* bypass = e.Data<CEObhod>();
    return e.type == kBypass && bypass && bypass->kind == 0 && s.kind == kSectionDoubling &&
           s.TopType() == kDoubling;
}

const char* StructuralProblem(const CStructState& s, const CElement& e)
{
    if (e.type > kEndLoad)
        return "неизвестный тип элемента";
    if (OpensNesting(e.type) && s.depth >= kStructStackSize)
        return "вложенность ответвлений и участков больше 100";
    switch (e.type) {
    case kTapLoad:
        if (s.TopType() != kTap)
            return "конец ответвления без открытого ответвления";
        break;
    case kAttachedEnd:
        if (!(s.kind == kSectionAttached && s.TopType() == kWireCountChange) &&
            !(s.kind == kSectionDoubling && s.TopType() == kDoubling))
            return "конец присоединенной цепи без открытого участка";
        break;
    case kBranchingEnd:
        if (s.TopType() != kBranchingStart || !s.Top()->Data<COtvet>())
            return "конец разветвления без начала разветвления";
        break;
    case kTap:
    case kDoubling:
    case kBranchingStart:
        if (!e.Data<COtvet>())
            return "нет данных элемента";
        break;
    case kWireCountChange:
        if (!e.Data<CVarMod>())
            return "нет данных элемента";
        if (s.kind == kSectionNone ? e.wirePositions2 < s.wireCount : e.wirePositions2 > s.wireCount)
            return "неверное число проводов изменения";
        break;
    default:
        break;
    }
    int wires = NextWireCount(s, e);
    if (wires < 0 || wires > kMaxWires)
        return "число проводов больше 40";
    return nullptr;
}

void AdvanceStructure(CStructState& s, CElement& e)
{
    const int wires = NextWireCount(s, e);
    switch (e.type) {
    case kTapLoad:
        --s.depth;
        break;
    case kBypass:
        if (BypassClosesDoubling(s, e)) {
            s.kind = kSectionNone;
            --s.depth;
        }
        break;
    case kTap:
        s.stack[s.depth++] = &e;
        break;
    case kWireCountChange:
        ++s.subState;
        s.kind = kSectionAttached;
        s.stack[s.depth++] = &e;
        break;
    case kDoubling:
        s.kind = kSectionDoubling;
        s.stack[s.depth++] = &e;
        break;
    case kAttachedEnd:
        --s.depth;
        if (s.kind == kSectionAttached) {
            if (s.subState == kAttachedRejoining) {
                s.kind = kSectionNone;
                s.subState = kAttachedNone;
            } else {
                s.subState = kAttachedEnded;
            }
        } else {
            s.kind = kSectionNone;
        }
        break;
    case kBranchingStart:
        s.branchPhase = 1;
        s.stack[s.depth++] = &e;
        break;
    case kBranchingEnd:
        s.branchPhase = std::uint8_t((s.branchPhase + 1) % 3);
        if (s.branchPhase == 0)
            --s.depth;
        break;
    default:
        break;
    }
    s.wireCount = std::uint8_t(wires);
}

StructureReplay::StructureReplay(CKestrinDoc& doc, StructureState& st, bool report)
    : m_doc(doc), m_st(st), m_report(report)
{
}

bool StructureReplay::Run()
{
    if (g_nTaskCompletion != 0)
        return !m_st.Broken();
    m_st.Reset(m_doc.conductorCount);
    m_doc.elementCount = std::uint16_t(std::min<std::size_t>(m_doc.elements.size(), 0xFFFF));
    if (m_doc.elements.empty())
        return true;
    SetCurrentCounts(m_doc.circuits, m_doc.groundWires);
    g_nLabelCircuits = m_doc.circuits;
    g_nLabelGround = m_doc.groundWires;
    m_st.split = m_doc.splitConductor;
    m_st.PublishWireMap();

    for (std::size_t i = 0; i < m_doc.elements.size(); ++i) {
        CElement& e = *m_doc.elements[i];
        const char* problem = Problem(e, int(i));
        if (problem) {
            m_st.brokenAt = int(i);
            m_st.brokenReason = problem;
            if (m_report)
                ShowMessage(StructureBrokenMessage(int(i), problem), kAppName, MsgIcon::Stop);
            return false;
        }
        Apply(e, int(i));
    }
    return true;
}

const char* StructureReplay::Problem(const CElement& e, int index) const
{
    return StructureStepProblem(m_doc, m_st, e, index);
}

const char* StructureStepProblem(const CKestrinDoc& doc, const StructureState& s, const CElement& e, int index)
{
    if (index == 0 && (doc.conductorCount > kMaxWires ||
                       WiresPerCircuit() * doc.circuits + doc.groundWires > kMaxWires))
        return "число проводов больше 40";
    if (const char* problem = StructuralProblem(s, e))
        return problem;

    // Circuits and ground wires after the element.
    const CElement* top = s.Top();
    int circuits = g_nCurCircuits;
    int ground = g_nCurGround;
    switch (e.type) {
    case kTapLoad:
    case kAttachedEnd:
        circuits = top->circuitsAfter;
        ground = top->groundWiresAfter;
        break;
    case kBypass:
        if (BypassClosesDoubling(s, e)) {
            circuits = top->circuits;
            ground = top->groundWires;
            if (e.Data<CEObhod>()->n > kMaxWires || top->wirePositions > kMaxWires)
                return "число проводов больше 40";
        }
        break;
    case kTap:
    case kWireCountChange:
        circuits = e.circuitsPart;
        ground = e.groundWiresPart;
        if (e.type == kWireCountChange && s.kind == kSectionNone &&
            s.wireCount + WiresPerCircuit() * e.circuitsPart + e.groundWiresPart > kMaxWires)
            return "число проводов больше 40";
        break;
    case kDoubling:
        circuits = 2 * e.circuitsPart;
        ground = 2 * e.groundWiresPart;
        break;
    case kBranchingStart:
        circuits = e.circuitsAfter;
        ground = e.groundWiresAfter;
        break;
    case kBranchingEnd:
        if ((s.branchPhase + 1) % 3 != 0) {
            circuits = top->circuitsPart;
            ground = top->groundWiresPart;
        } else {
            circuits = top->circuits;
            ground = top->groundWires;
            int first = 3 * top->circuitsAfter + top->groundWiresAfter;
            int second = 3 * top->circuitsPart + top->groundWiresPart;
            if (first + second > kMaxWires)
                return "число проводов больше 40";
        }
        break;
    case kTransposition: {
        const CTransp* t = e.Data<CTransp>();
        if (!t || !t->permutation)
            break;
        const auto& perm = *t->permutation;
        // The maps hold one code per conductor: the split one counts once.
        const int n = s.wireCount - (s.split >= 0 ? 1 : 0);
        if (n > int(perm.size()))
            return "транспозиция задана не для всех проводов";
        for (int k = 0; k < n; ++k)
            if (perm[std::size_t(k)] >= n)
                return "транспозиция переставляет провод за пределы линии";
        if (s.split >= n)
            return "расщепленный провод за пределами линии";
        break;
    }
    default:
        break;
    }
    if (WiresPerCircuit() * circuits + ground > kMaxWires)
        return "число проводов больше 40";
    // The two halves of a split conductor take two wire positions.
    int split = s.split;
    const CTransp* transp = e.type == kTransposition ? e.Data<CTransp>() : nullptr;
    if (transp && transp->permutation && split >= 0)
        split = (*transp->permutation)[std::size_t(split)];
    if (split >= 0 && split + 1 >= NextWireCount(s, e))
        return "расщепленный провод за пределами линии";
    return nullptr;
}

void StructureReplay::Apply(CElement& e, int index)
{
    StructureState& s = m_st;
    if (index > 0)
        CopyMap(e.inMap, s.wireMap);
    const int* current = e.outMap;
    const CElement* last = &e;
    e.splitConductor = s.split;
    e.wirePositions = s.wireCount;
    e.circuits = g_nCurCircuits;
    e.groundWires = g_nCurGround;
    e.conductors = std::uint8_t(g_nCurGround + WiresPerCircuit() * g_nCurCircuits);
    s.endState = kChainOpen;

    CElement* top = s.Top();
    switch (e.type) {
    case kOverheadLine:
    case kCableLine:
    case kSeriesImpedance:
        if (s.depth == 0 && s.kind == kSectionNone)
            s.linePlaced = 1;
        else if (s.kind == kSectionDoubling || (s.kind == kSectionAttached && s.subState == kAttachedEnded))
            s.endPending = 1;
        CopyMap(e.outMap, e.inMap);
        break;
    case kTapLoad:
    case kAttachedEnd:
        // Back to the marker that opened the tap or the section.
        CopyMap(e.outMap, e.inMap);
        last = top;
        current = top->outMap;
        SetCurrentCounts(top->circuitsAfter, top->groundWiresAfter);
        break;
    case kTransposition:
        ApplyTransposition(e);
        break;
    case kCouplingDevice:
        if (s.kind == kSectionNone && index > 0 && s.depth == 0 && s.linePlaced &&
            m_doc.elements.front()->type == kCouplingDevice)
            s.endState = kChainClosedByCoupling;
        CopyMap(e.outMap, e.inMap);
        break;
    case kBypass:
        current = ApplyBypass(e, index);
        if (BypassClosesDoubling(s, e))
            last = top;
        break;
    case kTap: {
        COtvet* tap = e.Data<COtvet>();
        CopyMap(e.outMap, e.inMap);
        int j = 0;
        for (int k = 0; k < s.wireCount; ++k)
            if (tap->flags[k])
                tap->map[j++] = e.inMap[k];
        ClearFrom(tap->map, j);
        current = tap->map;
        SetCurrentCounts(e.circuitsPart, e.groundWiresPart);
        break;
    }
    case kWireCountChange:
        current = ApplyWireChange(e);
        break;
    case kDoubling: {
        COtvet* doubling = e.Data<COtvet>();
        CopyMap(e.outMap, e.inMap);
        SetCurrentCounts(2 * e.circuitsPart, 2 * e.groundWiresPart);
        // The doubled wires become new circuits and ground wires: the map
        // lists their old codes, then their new ones.
        int moved = NumberConductors(e);
        ClearFrom(doubling->map, 2 * moved);
        current = doubling->map;
        s.endPending = 0;
        s.linePlaced = 1;
        break;
    }
    case kBranchingStart: {
        COtvet* branching = e.Data<COtvet>();
        SetCurrentCounts(e.circuitsAfter, e.groundWiresAfter);
        int first = 0, second = 0;
        for (int k = 0; k < s.wireCount; ++k) {
            if (branching->flags[k])
                e.outMap[first++] = e.inMap[k];
            else
                branching->map[second++] = e.inMap[k];
        }
        ClearFrom(e.outMap, first);
        ClearFrom(branching->map, second);
        s.linePlaced = 0;
        break;
    }
    case kBranchingEnd:
        current = ApplyBranchingEnd(e, last);
        break;
    case kEndLoad:
        CopyMap(e.outMap, e.inMap);
        if (index > 0)
            s.endState = kChainClosedByLoad;
        break;
    default:  // shunt impedance
        CopyMap(e.outMap, e.inMap);
        break;
    }
    AdvanceStructure(s, e);
    CopyMap(s.wireMap, current);
    s.PublishWireMap();
    s.lastPlaced = *last;
}

void StructureReplay::ApplyTransposition(CElement& e)
{
    CopyMap(e.outMap, e.inMap);
    const CTransp* t = e.Data<CTransp>();
    if (!t || !t->permutation)
        return;
    const auto& perm = *t->permutation;
    const int n = m_st.wireCount - (e.splitConductor >= 0 ? 1 : 0);
    for (int k = 0; k < n; ++k)
        e.outMap[perm[std::size_t(k)]] = e.inMap[k];
    if (e.splitConductor >= 0)
        m_st.split = perm[std::size_t(e.splitConductor)];
}

const int* StructureReplay::ApplyBypass(CElement& e, int index)
{
    StructureState& s = m_st;
    if (s.depth == 0 && s.kind == kSectionNone)
        s.linePlaced = 1;
    else if (s.kind == kSectionAttached && s.subState == kAttachedEnded)
        s.endPending = 1;
    CEObhod* bypass = e.Data<CEObhod>();
    if (bypass)
        bypass->insideDoubling = s.kind == kSectionDoubling && s.TopType() == kDoubling;
    CopyMap(e.outMap, e.inMap);
    if (!BypassClosesDoubling(s, e))
        return e.outMap;

    // The bypass of the substation closes the doubling: its wires must be
    // those of the direct line, which entered the doubling.
    const CElement* doubling = s.Top();
    for (int k = 0; k < bypass->n; ++k) {
        if (!Contains(doubling->inMap, doubling->wirePositions, e.inMap[k])) {
            ReportBypassOrder(index);
            break;
        }
    }
    SetCurrentCounts(doubling->circuits, doubling->groundWires);
    return doubling->outMap;
}

const int* StructureReplay::ApplyWireChange(CElement& e)
{
    StructureState& s = m_st;
    CVarMod* change = e.Data<CVarMod>();
    const int positions = e.wirePositions;
    if (s.kind == kSectionNone) {
        // Opening an attached circuit: the line's wires, then the added ones;
        // the description goes on with the added wires.
        const int added = WiresPerCircuit() * e.circuitsPart + e.groundWiresPart;
        std::copy(e.inMap, e.inMap + positions, e.outMap);
        std::copy(change->map, change->map + added, e.outMap + positions);
        ClearFrom(e.outMap, positions + added);
        SetCurrentCounts(e.circuitsPart, e.groundWiresPart);
        g_nLabelCircuits = std::uint8_t(g_nLabelCircuits + e.circuitsPart);
        g_nLabelGround = std::uint8_t(g_nLabelGround + e.groundWiresPart);
        s.endPending = 0;
    } else {
        // Rejoining: the attached circuit's wires leave the line again.
        const int leaving = positions - e.wirePositions2;
        CopyMap(e.outMap, e.inMap);
        std::copy(e.inMap + e.wirePositions2, e.inMap + positions, change->map);
        ClearFrom(change->map, leaving);
        SetCurrentCounts(e.circuitsPart, e.groundWiresPart);
    }
    s.linePlaced = 1;
    return change->map;
}

const int* StructureReplay::ApplyBranchingEnd(CElement& e, const CElement*& last)
{
    StructureState& s = m_st;
    CElement* branching = s.Top();
    CopyMap(e.outMap, e.inMap);
    if ((s.branchPhase + 1) % 3 != 0) {
        // The invisible marker: the first branch ends here and the second
        // starts at the branching.
        CopyMap(s.firstBranchEnd, s.wireMap);
        last = branching;
        e.circuitsAfter = 0;
        SetCurrentCounts(branching->circuitsPart, branching->groundWiresPart);
        return branching->Data<COtvet>()->map;
    }

    // The second branch ends: the two branches join again, the first
    // branch's wires followed by the second's; the joined line lists all
    // phase wires before all ground wires.
    s.linePlaced = 1;
    const int first = 3 * branching->circuitsAfter + branching->groundWiresAfter;
    const int second = 3 * branching->circuitsPart + branching->groundWiresPart;
    std::copy(s.firstBranchEnd, s.firstBranchEnd + first, e.inMap);
    std::copy(s.wireMap, s.wireMap + second, e.inMap + first);
    ClearFrom(e.inMap, first + second);
    int j = 0;
    for (int k = 0; k < first + second; ++k)
        if (!IsGroundCode(e.inMap[k]))
            e.outMap[j++] = e.inMap[k];
    for (int k = 0; k < first + second; ++k)
        if (IsGroundCode(e.inMap[k]))
            e.outMap[j++] = e.inMap[k];
    ClearFrom(e.outMap, j);
    SetCurrentCounts(branching->circuits, branching->groundWires);
    e.circuitsAfter = branching->circuits;
    return e.outMap;
}

void StructureReplay::ReportBypassOrder(int index)
{
    if (!m_report || m_orderReported)
        return;
    m_orderReported = true;
    ShowMessage(StrFormat("Нарушение структуры тракта!\nВ конце участка с удвоением проводов\n"
                          "перед обходом промежуточной подстанции (№ %d)\n"
                          "должны сначала описываться все провода\nпрямой линии, потом - обратной",
                          index + 1),
                kAppName, MsgIcon::Stop);
}

bool GetStructState(CKestrinDoc& doc, int index, CStructState& st)
{
    st = CStructState();
    st.wireCount = doc.conductorCount;
    doc.elementCount = std::uint16_t(std::min<std::size_t>(doc.elements.size(), 0xFFFF));
    if (index < 0 || index >= int(doc.elements.size()))
        return false;
    for (int i = 0; i <= index; ++i) {
        CElement& e = *doc.elements[std::size_t(i)];
        if (StructuralProblem(st, e))
            return false;
        AdvanceStructure(st, e);
    }
    return true;
}

std::string StructureBrokenMessage(int index, const std::string& reason)
{
    return StrFormat("Нарушение структуры тракта!\nЭлемент № %d: %s.\n"
                     "Тракт нельзя продолжить и рассчитать, пока его структура не исправлена.",
                     index + 1, reason.c_str());
}
