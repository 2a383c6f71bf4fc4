// A channel being edited without windows: a document, its structure state,
// the walk, and wire-choice dialogs that answer Cancel twice and then make a
// choice the way the real dialogs' OK does (at random, reproducibly).
#pragma once

#include "app/commandstate.h"
#include "app/elementrules.h"
#include "app/structreplay.h"
#include "app/structwalk.h"
#include "app/wiredialoghost.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/shunts.h"
#include "platform/modal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

// Circuit and ground-wire boxes of a wire dialog: (index, ground) of every
// circuit and ground wire among the element's input wires, in map order.
inline std::vector<std::pair<int, bool>> WireBoxes(const CElement& e)
{
    std::vector<std::pair<int, bool>> boxes;
    for (int i = 0; i < e.wirePositions && i < kMaxWires; ++i) {
        const int code = e.inMap[i];
        if (code < 0)
            continue;
        std::pair<int, bool> box{code / 4, IsGroundCode(code)};
        if (std::find(boxes.begin(), boxes.end(), box) == boxes.end())
            boxes.push_back(box);
    }
    return boxes;
}

inline bool InBox(int code, const std::pair<int, bool>& box)
{
    return code >= 0 && code / 4 == box.first && IsGroundCode(code) == box.second;
}

// A new element of a type with its parameters entered.
inline std::unique_ptr<CElement> NewElement(int type)
{
    auto e = std::make_unique<CElement>();
    e->SetType(type);
    e->entered = 1;
    return e;
}

// A transposition whose permutation is entered.
inline CElement TranspositionOf(std::vector<std::uint8_t> perm)
{
    CElement e;
    e.SetType(kTransposition);
    auto data = std::make_unique<CTransp>();
    data->count = std::uint8_t(perm.size());
    data->permutation = std::move(perm);
    e.data = std::move(data);
    e.entered = 1;
    return e;
}

class ScriptedWireDialogs : public WireDialogHost {
public:
    explicit ScriptedWireDialogs(unsigned seed = 1) : rng(seed), m_previous(SetWireDialogHost(this)) {}
    ~ScriptedWireDialogs() override { SetWireDialogHost(m_previous); }
    ScriptedWireDialogs(const ScriptedWireDialogs&) = delete;
    ScriptedWireDialogs& operator=(const ScriptedWireDialogs&) = delete;

    int RunOtvetDlg(CElement& e, int endsDoubling) override
    {
        ++otvetRuns;
        if (CancelFirst())
            return IDCANCEL;
        endsDoublingSeen.push_back(endsDoubling);
        ChooseOtvet(e, endsDoubling != 0);
        return IDOK;
    }

    int RunRazvetvDlg(CElement& e) override
    {
        ++razvetvRuns;
        if (CancelFirst())
            return IDCANCEL;
        ChooseBranches(e);
        return IDOK;
    }

    int RunIzmProvDlg(WireCountChoice& c) override
    {
        ++izmProvRuns;
        if (CancelFirst())
            return IDCANCEL;
        ChooseWireCount(c);
        return IDOK;
    }

    // Fixed choices for the next dialogs (empty: random).
    std::vector<int> circuitsChosen;  // boxes of circuits taken (tap, doubling, first branch)
    std::vector<int> groundChosen;
    int bypassKind = -1;              // -1 random
    int newCircuits = -1, newGround = -1;

    std::mt19937 rng;
    int cancelsBeforeOk = 2;
    int otvetRuns = 0, razvetvRuns = 0, izmProvRuns = 0;
    std::vector<int> endsDoublingSeen;

private:
    bool CancelFirst()
    {
        if (m_cancels < cancelsBeforeOk) {
            ++m_cancels;
            return true;
        }
        m_cancels = 0;
        return false;
    }

    int Random(int n) { return n <= 1 ? 0 : int(rng() % unsigned(n)); }

    // Which boxes to take: the fixed choice, else a random non-empty set of
    // circuits and any ground wires.
    std::vector<std::pair<int, bool>> Choose(const std::vector<std::pair<int, bool>>& boxes, int maxCircuits)
    {
        std::vector<std::pair<int, bool>> taken;
        std::vector<std::pair<int, bool>> circuits;
        for (const auto& b : boxes)
            if (!b.second)
                circuits.push_back(b);
        if (!circuitsChosen.empty() || !groundChosen.empty()) {
            for (const auto& b : boxes)
                if (std::count(b.second ? groundChosen.begin() : circuitsChosen.begin(),
                               b.second ? groundChosen.end() : circuitsChosen.end(), b.first))
                    taken.push_back(b);
            return taken;
        }
        int want = 1 + Random(std::max(1, std::min(maxCircuits, int(circuits.size()))));
        std::shuffle(circuits.begin(), circuits.end(), rng);
        for (int i = 0; i < want && i < int(circuits.size()); ++i)
            taken.push_back(circuits[std::size_t(i)]);
        for (const auto& b : boxes)
            if (b.second && Random(2))
                taken.push_back(b);
        return taken;
    }

    void ChooseOtvet(CElement& e, bool endsDoubling)
    {
        const bool bypass = e.type == kBypass;
        std::uint8_t* flags = bypass ? e.Data<CEObhod>()->flags : e.Data<COtvet>()->flags;
        int kind = 0;
        if (bypass) {
            kind = bypassKind >= 0 ? bypassKind : Random(3);
            if (kind == 1 && e.circuits < 2)
                kind = 0;
        }
        const bool choiceShown = e.circuits >= 2 && !g_bDC;
        bool selective = choiceShown && !(bypass && endsDoubling && kind == 0) &&
                         (!circuitsChosen.empty() || Random(2));
        int w = e.wirePositions;
        if (!selective) {
            e.circuitsPart = e.circuits;
            e.groundWiresPart = e.groundWires;
            std::fill(flags, flags + kMaxWires, std::uint8_t(1));
        } else {
            // A damaged chain may offer no choice the dialog accepts; the
            // user then takes every circuit.
            selective = false;
            for (int tries = 0; tries < 50 && !selective; ++tries) {
                auto taken = Choose(WireBoxes(e), e.type == kDoubling ? 6 : 8);
                std::fill(flags, flags + kMaxWires, std::uint8_t(0));
                w = 0;
                int c = 0, g = 0;
                for (const auto& b : taken)
                    (b.second ? g : c)++;
                for (int i = 0; i < e.wirePositions; ++i)
                    for (const auto& b : taken)
                        if (InBox(e.inMap[i], b)) {
                            flags[i] = 1;
                            ++w;
                        }
                if (c == 0 || (e.type == kDoubling && w > 20))
                    continue;  // the dialog refuses and stays open
                e.circuitsPart = std::uint8_t(c);
                e.groundWiresPart = std::uint8_t(g);
                selective = true;
            }
            if (!selective) {
                w = e.wirePositions;
                e.circuitsPart = e.circuits;
                e.groundWiresPart = e.groundWires;
                std::fill(flags, flags + kMaxWires, std::uint8_t(1));
            }
            if (w == e.wirePositions)
                selective = false;
        }
        if (e.type == kDoubling && w > 20)
            w = 20;  // not reached on the lines the tests build
        std::copy(e.inMap, e.inMap + kMaxWires, e.outMap);
        if (bypass) {
            CEObhod* b = e.Data<CEObhod>();
            b->selectionMode = selective;
            b->kind = std::uint8_t(kind);
            b->n = std::uint8_t(kind == 0 && endsDoubling && !selective ? e.wirePositions / 2 : w);
        } else {
            COtvet* t = e.Data<COtvet>();
            t->selectionMode = selective;
            t->count = std::uint8_t(w);
        }
    }

    void ChooseBranches(CElement& e)
    {
        COtvet* t = e.Data<COtvet>();
        const auto boxes = WireBoxes(e);
        int circuitBoxes = 0;
        for (const auto& b : boxes)
            circuitBoxes += !b.second;
        auto taken = Choose(boxes, circuitBoxes - 1);
        int c = 0, g = 0;
        for (const auto& b : taken)
            (b.second ? g : c)++;
        if (c == 0 || c >= circuitBoxes) {  // the dialog keeps a circuit in each branch
            taken.clear();
            c = g = 0;
            for (const auto& b : boxes)
                if (!b.second && c == 0) {
                    taken.push_back(b);
                    c = 1;
                }
        }
        std::fill(t->flags, t->flags + kMaxWires, std::uint8_t(0));
        int f = 0, second = 0;
        for (int i = 0; i < e.wirePositions; ++i) {
            bool first = false;
            for (const auto& b : taken)
                first = first || InBox(e.inMap[i], b);
            t->flags[i] = first;
            if (first)
                e.outMap[f++] = e.inMap[i];
            else
                t->map[second++] = e.inMap[i];
        }
        e.circuitsAfter = std::uint8_t(c);
        e.groundWiresAfter = std::uint8_t(g);
        e.circuitsPart = std::uint8_t(e.circuits - c);
        e.groundWiresPart = std::uint8_t(e.groundWires - g);
        t->count = std::uint8_t(e.wirePositions - f);
    }

    void ChooseWireCount(WireCountChoice& ch)
    {
        const int k = g_bDC ? 1 : 3;
        const int maxGround = g_bDC ? 2 : 16;
        int nc = ch.currentCircuits, ng = ch.currentGround;
        if (newCircuits >= 0) {
            nc = newCircuits;
            ng = newGround;
        } else {
            for (int tries = 0; tries < 20; ++tries) {
                int c = ch.currentCircuits + (g_bDC ? 0 : Random(3));
                int g = ch.currentGround + Random(3);
                if ((c != ch.currentCircuits || g != ch.currentGround) && c <= 8 && g <= maxGround &&
                    k * c + g <= kMaxWires) {
                    nc = c;
                    ng = g;
                    break;
                }
            }
        }
        int j = 0;
        for (int c = 0; c < nc - ch.currentCircuits; ++c)
            for (int p = 0; p < 3 && j < kMaxWires; ++p)
                ch.varMod->map[j++] = 4 * (g_nLabelCircuits + c) + p;
        for (int g = 0; g < ng - ch.currentGround && j < kMaxWires; ++g)
            ch.varMod->map[j++] = 4 * (g_nLabelGround + g) + 3;
        ch.newCircuits = std::uint8_t(nc);
        ch.newGround = std::uint8_t(ng);
    }

    WireDialogHost* m_previous;
    int m_cancels = 0;
};

// A task being edited: the document (also g_pDoc), its structure state, the
// scripted dialogs and the walk.
class ChainEditor {
public:
    explicit ChainEditor(int circuits = 1, int ground = 0, bool dc = false, int split = -1, unsigned seed = 1)
        : dialogs(seed), walk(doc, st, &dialogs)
    {
        ResetModelGlobals();
        g_pDoc = &doc;
        doc.circuits = std::uint8_t(circuits);
        doc.groundWires = std::uint8_t(ground);
        doc.dc = dc;
        doc.splitConductor = split;
        doc.conductorCount = std::uint8_t((dc ? 1 : 3) * circuits + ground + (split >= 0 ? 1 : 0));
        g_bDC = doc.dc;
        g_nConductors = doc.conductorCount;
        g_nSplitConductor = split;
        StructureReplay(doc, st, false).Run();
    }
    ~ChainEditor() { ResetModelGlobals(); }

    // Places an element of a type at the chain end; the cell is the first
    // free cell offered, as a click would choose it.
    bool Place(int type, CElement* tmplIn = nullptr)
    {
        CElement tmpl;
        if (tmplIn)
            tmpl = *tmplIn;
        else
            tmpl.SetType(type);
        tmpl.cellX = int(doc.elements.size()) + 1;
        tmpl.cellY = 3;
        lastPlaced = PlacedElement();
        return walk.AddElement(tmpl, lastPlaced);
    }

    // Places a series of types; fails the test at the first refusal.
    void PlaceAll(std::initializer_list<int> types)
    {
        for (int t : types)
            ASSERT_TRUE(Place(t)) << "type " << t << ": " << walk.Problem();
    }

    ElementRuleContext Rules() const
    {
        ElementRuleContext c;
        c.doc = &doc;
        c.state = &st;
        c.editing = true;
        c.mousePlacement = true;
        c.wireDialogs = true;
        return c;
    }
    bool Enabled(int type) const { return ElementCommandState(ElementTypeCommand(type), Rules()).enabled; }
    std::vector<int> EnabledTypes() const
    {
        std::vector<int> types;
        for (int t = 0; t <= kEndLoad; ++t)
            if (Enabled(t))
                types.push_back(t);
        return types;
    }

    CKestrinDoc doc;
    StructureState st;
    ScriptedWireDialogs dialogs;
    StructureWalk walk;
    PlacedElement lastPlaced;
};

// What the walk or the replay leaves: the state at the chain end, the
// globals of the chain end and every element's counts and maps.
struct StructureSnapshot {
    std::vector<const CElement*> stack;
    int kind, subState, depth, wireCount, branchPhase, endState, endPending, split, broken;
    int curCircuits, curGround, labelCircuits, labelGround;
    std::vector<int> wireMap;
    struct Element {
        int wirePositions, wirePositions2, circuits, groundWires, circuitsAfter, groundWiresAfter;
        int circuitsPart, groundWiresPart, split;
        std::vector<int> inMap, outMap, dataMap;
        bool operator==(const Element&) const = default;
    };
    std::vector<Element> elements;

    StructureSnapshot(const CKestrinDoc& doc, const StructureState& st)
        : stack(st.stack, st.stack + st.depth), kind(st.kind), subState(st.subState), depth(st.depth),
          wireCount(st.wireCount), branchPhase(st.branchPhase), endState(st.endState),
          endPending(st.endPending), split(st.split), broken(st.brokenAt), curCircuits(g_nCurCircuits),
          curGround(g_nCurGround), labelCircuits(g_nLabelCircuits), labelGround(g_nLabelGround),
          wireMap(g_pCurWireMap ? std::vector<int>(g_pCurWireMap, g_pCurWireMap + kMaxWires) : std::vector<int>())
    {
        for (const auto& e : doc.elements) {
            const int* data = e->Data<COtvet>()    ? e->Data<COtvet>()->map
                              : e->Data<CVarMod>() ? e->Data<CVarMod>()->map
                                                   : nullptr;
            elements.push_back({e->wirePositions, e->wirePositions2, e->circuits, e->groundWires,
                                e->circuitsAfter, e->groundWiresAfter, e->circuitsPart, e->groundWiresPart,
                                e->splitConductor, std::vector<int>(e->inMap, e->inMap + kMaxWires),
                                std::vector<int>(e->outMap, e->outMap + kMaxWires),
                                data ? std::vector<int>(data, data + kMaxWires) : std::vector<int>()});
        }
    }
};

// Compares two snapshots field by field (the line-placed flag is not compared).
inline void ExpectSameStructure(const StructureSnapshot& a, const StructureSnapshot& b, const std::string& where)
{
    EXPECT_EQ(a.stack, b.stack) << where;
    EXPECT_EQ(a.kind, b.kind) << where;
    EXPECT_EQ(a.subState, b.subState) << where;
    EXPECT_EQ(a.depth, b.depth) << where;
    EXPECT_EQ(a.wireCount, b.wireCount) << where;
    EXPECT_EQ(a.branchPhase, b.branchPhase) << where;
    EXPECT_EQ(a.endState, b.endState) << where;
    EXPECT_EQ(a.endPending, b.endPending) << where;
    EXPECT_EQ(a.split, b.split) << where;
    EXPECT_EQ(a.broken, b.broken) << where;
    EXPECT_EQ(a.curCircuits, b.curCircuits) << where;
    EXPECT_EQ(a.curGround, b.curGround) << where;
    EXPECT_EQ(a.labelCircuits, b.labelCircuits) << where;
    EXPECT_EQ(a.labelGround, b.labelGround) << where;
    EXPECT_EQ(a.wireMap, b.wireMap) << where;
    ASSERT_EQ(a.elements.size(), b.elements.size()) << where;
    for (std::size_t i = 0; i < a.elements.size(); ++i)
        EXPECT_TRUE(a.elements[i] == b.elements[i]) << where << ", element " << i;
}

// Replays the chain afresh and compares with the state the walk left.
inline void ExpectReplayAgrees(ChainEditor& t, const std::string& where)
{
    StructureSnapshot walked(t.doc, t.st);
    StructureState fresh;
    EXPECT_TRUE(StructureReplay(t.doc, fresh, false).Run()) << where << ": " << fresh.brokenReason;
    ExpectSameStructure(walked, StructureSnapshot(t.doc, fresh), where);
    t.st.PublishWireMap();  // the walk's state is the editor's again
}
