#include "app/elementrules.h"

#include "app/commandids.h"
#include "app/commandstate.h"
#include "app/structreplay.h"
#include "model/branches.h"
#include "model/document.h"
#include "model/lines.h"
#include "platform/format.h"

#include <algorithm>
#include <map>

namespace {

// Element commands, indexed by element type.
constexpr int kTypeCommands[] = {
    cmd::ID_ELEM_VLINE,       cmd::ID_ELEM_KLINE,       cmd::ID_ELEM_SHUNT,       cmd::ID_ELEM_SERIES_Z,
    cmd::ID_ELEM_TAP_LOAD,    cmd::ID_ELEM_TRANSP,      cmd::ID_ELEM_COUPLING,    cmd::ID_ELEM_BYPASS,
    cmd::ID_ELEM_TAP,         cmd::ID_ELEM_WIRE_CHANGE, cmd::ID_ELEM_DOUBLING,    cmd::ID_ELEM_CIRCUIT_END,
    cmd::ID_ELEM_BRANCH_START, cmd::ID_ELEM_BRANCH_END, cmd::ID_ELEM_END_LOAD,
};

int WiresPerCircuit()
{
    return g_bDC ? 1 : 3;
}

int LastType(const CKestrinDoc& doc)
{
    return doc.elements.empty() ? -1 : doc.elements.back()->type;
}

// A chain begun by an end load may be closed by another one on the main
// line once a line was placed there; an empty task starts with one.
bool EndLoadMayFollow(const CKestrinDoc& doc, const StructureState& s)
{
    if (s.endState != kChainOpen)
        return false;
    const std::size_t n = doc.elements.size();
    if (n == 0)
        return true;
    return n > 1 && doc.elements.front()->type == kEndLoad && LastType(doc) != kEndLoad &&
           s.kind == kSectionNone && s.depth == 0 && s.linePlaced && s.branchPhase == 0;
}

// A branch may end once a line, cable, series impedance or bypass was placed in it.
bool BranchHasLine(const CKestrinDoc& doc)
{
    for (auto it = doc.elements.rbegin(); it != doc.elements.rend(); ++it) {
        switch ((*it)->type) {
        case kOverheadLine:
        case kCableLine:
        case kSeriesImpedance:
        case kBypass:
            return true;
        case kBranchingStart:
        case kBranchingEnd:
            return false;
        default:
            break;
        }
    }
    return false;
}

// The cable lines an overhead line of 6 or 12 wires must agree with: a cable
// of that wire count entered as another number of cables (phases with their
// screens), or any such cable of 12 wires, refuses the overhead line.
bool OverheadLineCableTest(const ElementRuleContext& c)
{
    const StructureState& s = *c.state;
    const int wires = s.wireCount;
    if (wires != 6 && wires != 12)
        return true;
    const auto& elements = c.doc->elements;
    std::size_t from = 0, to = elements.size();
    if (s.kind != kSectionNone) {
        // Inside a section only the cables of the section at the open gap count.
        if (!c.gapOpen || c.selectedIndex < 0)
            return true;
        from = std::size_t(c.selectedIndex);
        for (to = from + 1; to < elements.size(); ++to)
            if (elements[to]->type == kWireCountChange || elements[to]->type == kAttachedEnd)
                break;
        to = std::min(to, elements.size());
    }
    for (std::size_t i = from; i < to; ++i) {
        const CElement& e = *elements[i];
        const CKLine* cable = e.Data<CKLine>();
        if (e.type != kCableLine || e.wirePositions != wires || !cable)
            continue;
        if (wires == 12 || (e.entered && cable->elementWires != wires))
            return false;
    }
    return true;
}

// The load at the end of a tap closes the tap's branch: the chain end must
// have the branch's wires.
bool TapBranchMayClose(const StructureState& s)
{
    if (s.TopType() != kTap)
        return false;
    const COtvet* tap = s.Top()->Data<COtvet>();
    return tap && tap->count == s.wireCount;
}

bool ElementRuleIsPushing(int type)
{
    return type == kTap || type == kWireCountChange || type == kDoubling || type == kBranchingStart;
}

} // namespace

int ElementCommandType(int id)
{
    for (int type = 0; type <= kEndLoad; ++type)
        if (kTypeCommands[type] == id)
            return type;
    return -1;
}

int ElementTypeCommand(int type)
{
    return type >= 0 && type <= kEndLoad ? kTypeCommands[type] : 0;
}

bool PlacingNeedsWireDialog(int type, const StructureState& st)
{
    switch (type) {
    case kBypass:
        return true;
    case kWireCountChange:
        return st.kind == kSectionNone;
    case kTap:
    case kDoubling:
        return !g_bDC && g_nCurCircuits > 1;
    case kBranchingStart:
        return !(g_nCurCircuits < 3 && g_nCurGround == 0);
    default:
        return false;
    }
}

bool ElementRuleMet(int type, const ElementRuleContext& c)
{
    const CKestrinDoc& doc = *c.doc;
    const StructureState& s = *c.state;
    const bool hasElements = !doc.elements.empty();
    const bool open = s.endState < kChainClosedByLoad || c.gapOpen;
    const bool notEnded = s.endState < kChainClosedByLoad && !c.gapOpen;
    const bool free = doc.splitConductor < 0;
    const bool dc = g_bDC != 0;
    if (ElementRuleIsPushing(type) && s.depth >= kStructStackSize)
        return false;

    switch (type) {
    case kOverheadLine:
        return open && hasElements && OverheadLineCableTest(c);
    case kCableLine:
        return open && hasElements && s.kind != kSectionDoubling && !dc && free &&
               (g_nCurGround == 0 || g_nCurGround == 3 * g_nCurCircuits);
    case kShuntImpedance:
    case kSeriesImpedance:
    case kTransposition:
        return open && hasElements;
    case kTapLoad:
        return !c.gapOpen && TapBranchMayClose(s);
    case kCouplingDevice:
        return doc.conductorCount != 0 && open;
    case kBypass:
        return !dc && open && !(c.gapOpen && s.kind == kSectionDoubling) && hasElements && free;
    case kTap:
        return notEnded && hasElements && free;
    case kWireCountChange:
        if (!(notEnded && hasElements && s.wireCount <= 249 && free && s.branchPhase == 0))
            return false;
        if (dc && doc.groundWires > 1 && s.kind != kSectionAttached)
            return false;
        return s.kind == kSectionNone || (s.kind == kSectionAttached && s.subState == kAttachedEnded &&
                                          LastType(doc) != kAttachedEnd && s.endPending);
    case kDoubling:
        // Without a wire choice every wire is doubled, which must fit the 40.
        return notEnded && !dc && hasElements && s.kind == kSectionNone && free &&
               (PlacingNeedsWireDialog(kDoubling, s) || 2 * s.wireCount <= kMaxWires);
    case kAttachedEnd:
        // What the end closes must be a change of wires or a doubling, not a
        // branching opened inside the section.
        return notEnded && hasElements && s.kind != kSectionNone && s.subState != kAttachedEnded &&
               (s.endPending || s.kind == kSectionAttached) &&
               (s.TopType() == kWireCountChange || s.TopType() == kDoubling) && LastType(doc) != kDoubling;
    case kBranchingStart:
        return notEnded && g_nCurCircuits > 1 && hasElements && free && s.branchPhase == 0 && !dc;
    case kBranchingEnd:
        return notEnded && hasElements && free && s.branchPhase != 0 && !dc && s.depth != 0 &&
               s.TopType() == kBranchingStart && BranchHasLine(doc);
    case kEndLoad:
        return doc.conductorCount != 0 && !c.gapOpen && EndLoadMayFollow(doc, s);
    default:
        return false;
    }
}

namespace {

// A damaged chain from a file may replay soundly to its end and still hold a
// marker whose closing would break it: a command whose element needs no
// wire choice is offered only when the step would accept it.
bool StepAccepts(int type, const ElementRuleContext& c)
{
    if (type == kBypass || type == kTap || type == kWireCountChange || type == kDoubling || type == kBranchingStart)
        return true;  // checked once the wires are chosen
    CElement probe;
    probe.SetType(type);
    return !StructureStepProblem(*c.doc, *c.state, probe, int(c.doc->elements.size()));
}

} // namespace

CommandState ElementCommandState(int id, const ElementRuleContext& c)
{
    CommandState st;
    const int type = ElementCommandType(id);
    if (type < 0)
        return st;
    st.checked = c.templateType == type && !c.templateHasData;
    if (!c.editing || !c.doc || !c.state || c.state->Broken() || c.moving || c.rangeSelected)
        return st;
    if (!ElementRuleMet(type, c) || !StepAccepts(type, c))
        return st;
    // Only the first element is placed at once; the others are placed on a
    // cell the view offers.
    if (!c.doc->elements.empty() && !c.mousePlacement)
        return st;
    if (PlacingNeedsWireDialog(type, *c.state) && !c.wireDialogs)
        return st;
    st.enabled = true;
    return st;
}

bool CanContinue(const CElement& e, const CKestrinDoc& doc, const StructureState& s)
{
    if (s.Broken() || e.type > kEndLoad)
        return false;
    const bool withData = e.data != nullptr;
    if ((e.type == kBypass || e.type == kTap || e.type == kWireCountChange || e.type == kDoubling) && withData)
        return false;
    if (e.type == kBranchingStart || e.type == kBranchingEnd)
        return false;
    if (ElementRuleIsPushing(e.type) && s.depth >= kStructStackSize)
        return false;
    const bool hasElements = !doc.elements.empty();
    const bool notClosed = s.endState < kChainClosedByLoad;
    switch (e.type) {
    case kTapLoad:
        return TapBranchMayClose(s);
    case kCouplingDevice:
        return doc.conductorCount != 0 && notClosed;
    case kWireCountChange:
        return notClosed && hasElements &&
               (s.kind == kSectionNone || (s.subState != kAttachedEnded && LastType(doc) != kAttachedEnd)) &&
               s.branchPhase == 0;
    case kDoubling:
        return notClosed && hasElements && s.kind == kSectionNone && s.branchPhase == 0;
    case kAttachedEnd:
        return notClosed && hasElements && s.kind != kSectionNone && s.subState != kAttachedEnded &&
               (s.TopType() == kWireCountChange || s.TopType() == kDoubling) && LastType(doc) != kDoubling;
    case kEndLoad:
        return doc.conductorCount != 0 && EndLoadMayFollow(doc, s);
    default:  // lines, impedances, transposition, bypass, tap
        return notClosed && hasElements;
    }
}

bool PhaseWiresFirst()
{
    if (g_nCurGround == 0 || !g_pCurWireMap)
        return true;
    const int n = std::min(WiresPerCircuit() * g_nCurCircuits, kMaxWires);
    for (int k = 0; k < n; ++k)
        if (IsGroundCode(g_pCurWireMap[k]))
            return false;
    return true;
}

bool PhasesAlternateWithScreens()
{
    if (g_nCurGround == 0 || !g_pCurWireMap)
        return true;
    const int n = std::min(6 * g_nCurCircuits, kMaxWires);
    for (int k = 0; k < n; ++k)
        if ((k % 2 == 1) != IsGroundCode(g_pCurWireMap[k]))
            return false;
    return true;
}

bool CanRejoinAttachedCircuit(const CKestrinDoc& doc, std::string& message)
{
    // The change that opened the attached circuit: what it let in must leave.
    const CElement* opening = nullptr;
    for (auto it = doc.elements.rbegin(); it != doc.elements.rend() && !opening; ++it)
        if ((*it)->type == kWireCountChange)
            opening = it->get();
    const int circuits = opening ? opening->circuitsPart : 0;
    const int ground = opening ? opening->groundWiresPart : 0;
    message = StrFormat("Внимание!\nПри установке данного элемента в присоединенную цепь\n"
                        "должны уйти: %s %d, тросов - %d.\n"
                        "Транспонируйте линию так, чтобы эти провода были последними!",
                        g_bDC ? "полюсов" : "цепей", circuits, ground);
    if (!opening || !g_pCurWireMap)
        return false;
    if (g_nCurCircuits - circuits != doc.circuits || g_nCurGround - ground != doc.groundWires)
        return false;

    // The wires after the task's own must be whole circuits (three codes of
    // one circuit number each) and ground wires, as many as came in.
    // Circuit numbers pass 40 after a few doublings, so count them in a map.
    const int k = WiresPerCircuit();
    const int from = std::clamp(doc.groundWires + k * doc.circuits, 0, kMaxWires);
    const int to = std::clamp(k * g_nCurCircuits + g_nCurGround, 0, kMaxWires);
    std::map<int, int> perCircuit;
    int groundCodes = 0;
    for (int i = from; i < to; ++i) {
        const int code = g_pCurWireMap[i];
        if (code < 0)
            return false;
        if (IsGroundCode(code))
            ++groundCodes;
        else
            ++perCircuit[code / 4];
    }
    int wholeCircuits = 0;
    for (const auto& [number, count] : perCircuit) {
        if (count % 3 != 0)
            return false;
        wholeCircuits += count / 3;
    }
    if (wholeCircuits != circuits || groundCodes != ground)
        return false;
    message.clear();
    return true;
}

bool CalcTractEnabled(CKestrinDoc& doc, StructureState& st, bool editing)
{
    if (editing || doc.elements.empty() || g_nTaskCompletion != 0)
        return false;
    if (!StructureReplay(doc, st, false).Run() || st.endState == kChainOpen)
        return false;
    for (const auto& e : doc.elements) {
        const bool marker = e->type == kBranchingEnd && e->circuitsAfter == 0;
        if (!marker && !e->entered)
            return false;
    }
    return true;
}
