#include "app/taskcompletion.h"

#include "app/docfile.h"
#include "dialogs/fazirdlg.h"
#include "dialogs/izmprovdlg.h"
#include "dialogs/zadachadopdlg.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/shunts.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// Deepest nesting of taps, attached circuits and doublings the walk follows.
constexpr int kMaxDepth = 100;

// Thrown by a step that finds the stored chain damaged: the phrase names what.
struct DamagedChain {
    const char* reason;
};

// Why the walk stops: the user cancelled a dialog.
struct Cancelled {};

class CompletionWalk {
public:
    explicit CompletionWalk(CKestrinDoc& doc) : m_doc(doc) {}

    void Run()
    {
        for (std::size_t i = 0; i < m_doc.elements.size(); ++i) {
            m_index = int(i);
            Step(*m_doc.elements[i]);
        }
    }
    int Index() const { return m_index; }

private:
    static void Require(bool ok, const char* reason)
    {
        if (!ok)
            throw DamagedChain{reason};
    }
    static void RequireCount(int n) { Require(n >= 0 && n <= kMaxWires, "число проводов больше 40"); }
    template <class T>
    static T& DataOf(CElement& e)
    {
        T* d = e.Data<T>();
        Require(d != nullptr, "нет данных элемента");
        return *d;
    }
    void Push(CElement& e)
    {
        Require(m_stack.size() < std::size_t(kMaxDepth), "вложенность ответвлений и участков больше 100");
        m_stack.push_back(&e);
    }
    CElement& Pop(const char* reason)
    {
        Require(!m_stack.empty(), reason);
        CElement* top = m_stack.back();
        m_stack.pop_back();
        return *top;
    }
    void SetCounts(int circuits, int ground)
    {
        RequireCount(circuits);
        RequireCount(ground);
        g_nCurCircuits = std::uint8_t(circuits);
        g_nCurGround = std::uint8_t(ground);
    }
    void TakeMap(const int* map) { std::copy(map, map + kMaxWires, m_map); }

    void Step(CElement& e)
    {
        Require(e.type <= kEndLoad, "неизвестный тип элемента");
        RequireCount(e.wirePositions);
        e.circuits = g_nCurCircuits;
        e.groundWires = g_nCurGround;
        e.conductors = e.wirePositions;
        if (m_index == 0) {
            FirstElement(e);
            return;
        }
        std::copy(m_map, m_map + kMaxWires, e.inMap);
        switch (e.type) {
        case kTransposition:
            Transposition(e);
            break;
        case kBypass:
            Bypass(e);
            break;
        case kTap:
            Tap(e);
            break;
        case kWireCountChange:
            WireCountChange(e);
            break;
        case kDoubling:
            Doubling(e);
            break;
        case kAttachedEnd:
            if (m_counter != 0)
                m_counter = (m_counter + 1) % 4;
            [[fallthrough]];
        case kTapLoad: {
            CElement& opened = Pop(e.type == kTapLoad ? "конец ответвления без открытого ответвления"
                                                      : "конец присоединенной цепи без открытого участка");
            SetCounts(opened.circuitsAfter, opened.groundWiresAfter);
            TakeMap(opened.outMap);
            std::copy(e.inMap, e.inMap + kMaxWires, e.outMap);
            break;
        }
        default:
            std::copy(e.inMap, e.inMap + kMaxWires, e.outMap);
            break;
        }
    }

    // The first element's wires get the task's conductors in the order of
    // the line: a cable with screens alternates phase and screen.
    void FirstElement(CElement& e)
    {
        std::vector<int> codes;
        const int circuits = m_doc.circuits, ground = m_doc.groundWires;
        if (m_doc.dc) {
            for (int k = 0; k < circuits; ++k)
                codes.push_back(k);
            for (int j = 0; j < ground; ++j)
                codes.push_back(4 * j + 3);
        } else if (ground == 3 * circuits) {
            for (int k = 0, j = 0; k < circuits; ++k)
                for (int p = 0; p < 3; ++p, ++j) {
                    codes.push_back(4 * k + p);
                    codes.push_back(4 * j + 3);
                }
        } else {
            for (int k = 0; k < circuits; ++k)
                for (int p = 0; p < 3; ++p)
                    codes.push_back(4 * k + p);
            for (int j = 0; j < ground; ++j)
                codes.push_back(4 * j + 3);
        }
        std::fill(e.inMap, e.inMap + kMaxWires, -1);
        std::copy_n(codes.begin(), std::min<std::size_t>(codes.size(), kMaxWires), e.inMap);

        CFazirDlg dlg;
        dlg.wireCount = e.wirePositions;
        dlg.phasingPlace = 0;
        dlg.elementIndex = 0;
        dlg.map = e.inMap;
        dlg.editing = false;
        dlg.completion = true;
        dlg.dc = m_doc.dc != 0;
        if (dlg.DoModal() != IDOK)
            throw Cancelled{};
        std::copy(e.inMap, e.inMap + kMaxWires, e.outMap);
        TakeMap(e.outMap);
    }

    void Transposition(CElement& e)
    {
        const CTransp& t = DataOf<CTransp>(e);
        std::copy(e.inMap, e.inMap + kMaxWires, e.outMap);
        for (int k = 0; k < e.wirePositions; ++k) {
            const int target = t.Target(k);
            Require(target >= 0 && target < e.wirePositions, "неверная перестановка проводов");
            e.outMap[target] = e.inMap[k];
        }
        TakeMap(e.outMap);
    }

    void Bypass(CElement& e)
    {
        CEObhod& b = DataOf<CEObhod>(e);
        b.kind = 0;
        e.circuitsAfter = g_nCurCircuits;
        e.groundWiresAfter = g_nCurGround;
        if (m_stack.empty() || m_stack.back()->type != kDoubling) {
            b.insideDoubling = 0;
            e.circuitsPart = g_nCurCircuits;
            e.groundWiresPart = g_nCurGround;
            std::copy(m_map, m_map + kMaxWires, b.map);
            std::copy(m_map, m_map + kMaxWires, e.outMap);
            return;
        }
        // The bypass closes the doubling: back to the wires before it.
        CElement& doubling = Pop("");
        b.insideDoubling = 1;
        TakeMap(doubling.outMap);
        SetCounts(doubling.circuitsAfter, doubling.groundWiresAfter);
        std::copy(m_map, m_map + kMaxWires, e.outMap);
    }

    void Tap(CElement& e)
    {
        COtvet& tap = DataOf<COtvet>(e);
        std::copy(m_map, m_map + kMaxWires, e.outMap);
        std::copy(m_map, m_map + kMaxWires, tap.map);
        e.circuitsAfter = e.circuitsPart = g_nCurCircuits;
        e.groundWiresAfter = e.groundWiresPart = g_nCurGround;
        tap.count = e.wirePositions;
        Push(e);
    }

    void WireCountChange(CElement& e)
    {
        CVarMod& change = DataOf<CVarMod>(e);
        std::copy(m_map, m_map + kMaxWires, e.outMap);
        Push(e);
        const int n = std::abs(int(change.wiresAfter) - int(change.wiresBefore));
        if (m_counter != 0) {
            // The attached circuit leaves the line again.
            Require(e.wirePositions2 + n <= kMaxWires, "число проводов больше 40");
            m_counter = 3;
            e.circuitsAfter = m_doc.circuits;
            e.groundWiresAfter = m_doc.groundWires;
            SetCounts(std::max(0, e.circuits - m_doc.circuits), std::max(0, e.groundWires - m_doc.groundWires));
            e.circuitsPart = g_nCurCircuits;
            e.groundWiresPart = g_nCurGround;
            std::copy(e.inMap, e.inMap + kMaxWires, e.outMap);
            std::fill(change.map, change.map + kMaxWires, -1);
            std::copy_n(e.inMap + e.wirePositions2, n, change.map);
            TakeMap(change.map);
            return;
        }
        // An attached circuit joins: its added wires follow the task's conductors.
        Require(m_doc.conductorCount + n <= kMaxWires, "число проводов больше 40");
        const bool threePhase = !m_doc.dc && n > 2;
        CIzmProvDlg dlg;
        dlg.currentCircuits = g_nCurCircuits;
        dlg.currentGround = g_nCurGround;
        dlg.newCircuits = std::uint8_t(g_nCurCircuits + (threePhase ? n / 3 : 0));
        dlg.newGround = std::uint8_t(g_nCurGround + (threePhase ? n % 3 : n));
        change.circuitsDiff = std::uint8_t(dlg.newCircuits - dlg.currentCircuits);
        change.groundDiff = std::uint8_t(dlg.newGround - dlg.currentGround);
        std::fill(change.map, change.map + kMaxWires, -1);
        int j = 0;
        for (int k = 0; k < change.circuitsDiff; ++k)
            for (int p = 0; p < 3 && j < kMaxWires; ++p)
                change.map[j++] = 4 * (g_nLabelCircuits + k) + p;
        for (int m = 0; m < change.groundDiff && j < kMaxWires; ++m)
            change.map[j++] = 4 * (g_nLabelGround + m) + 3;
        dlg.varMod = &change;
        dlg.elementIndex = m_index;
        dlg.editing = false;
        dlg.completion = true;
        dlg.dc = m_doc.dc != 0;
        dlg.chainCircuits = g_nLabelCircuits;
        dlg.chainGround = g_nLabelGround;
        dlg.entryPositions = e.wirePositions;
        if (dlg.DoModal() != IDOK)
            throw Cancelled{};
        e.circuitsAfter = dlg.newCircuits;
        e.groundWiresAfter = dlg.newGround;
        SetCounts(std::max(0, dlg.newCircuits - m_doc.circuits), std::max(0, dlg.newGround - m_doc.groundWires));
        e.circuitsPart = g_nCurCircuits;
        e.groundWiresPart = g_nCurGround;
        RequireCount(g_nLabelCircuits + g_nCurCircuits);
        RequireCount(g_nLabelGround + g_nCurGround);
        g_nLabelCircuits = std::uint8_t(g_nLabelCircuits + g_nCurCircuits);
        g_nLabelGround = std::uint8_t(g_nLabelGround + g_nCurGround);
        std::copy_n(change.map, n, e.outMap + m_doc.conductorCount);
        m_counter = 1;
        TakeMap(change.map);
    }

    void Doubling(CElement& e)
    {
        COtvet& d = DataOf<COtvet>(e);
        e.circuitsAfter = e.circuits = g_nCurCircuits;
        e.groundWiresAfter = e.groundWires = g_nCurGround;
        Push(e);
        RequireCount(2 * (3 * g_nCurCircuits + g_nCurGround));
        NumberConductors(e);
        SetCounts(2 * g_nCurCircuits, 2 * g_nCurGround);
        e.circuitsPart = g_nCurCircuits;
        e.groundWiresPart = g_nCurGround;
        TakeMap(d.map);
    }

    CKestrinDoc& m_doc;
    int m_index = 0;
    int m_map[kMaxWires];
    std::vector<CElement*> m_stack;
    int m_counter = 0;  // attached circuit: 0 none, 1 opened, 2 ended, 3 rejoined
};

void RestoreElements(CKestrinDoc& doc, const std::vector<std::unique_ptr<CElement>>& kept)
{
    for (std::size_t i = 0; i < kept.size() && i < doc.elements.size(); ++i)
        doc.elements[i]->Copy(*kept[i]);
    g_nTaskCompletion = 1;
}

} // namespace

bool CompleteTaskData(CKestrinDoc& doc)
{
    g_nTaskCompletion = 2;
    CZadachaDopDlg base;
    base.m_nCircuits = doc.circuits;
    base.m_nGroundWires = doc.groundWires;
    base.m_bDC = doc.dc;
    base.m_nConductors = doc.conductorCount;
    base.m_strTitle = doc.title;
    base.m_bChainForbidsDC = std::any_of(doc.elements.begin(), doc.elements.end(),
                                         [](const auto& e) { return CZadachaDopDlg::TypeForbidsDC(e->type); });
    if (base.DoModal() != IDOK) {
        g_nTaskCompletion = 1;
        return false;
    }
    doc.circuits = base.m_nCircuits;
    doc.groundWires = base.m_nGroundWires;
    doc.dc = base.m_bDC;
    doc.title = base.m_strTitle;
    g_bDC = doc.dc;
    g_nCurCircuits = g_nLabelCircuits = doc.circuits;
    g_nCurGround = g_nLabelGround = doc.groundWires;

    std::vector<std::unique_ptr<CElement>> kept;
    kept.reserve(doc.elements.size());
    for (const auto& e : doc.elements)
        kept.push_back(std::make_unique<CElement>(*e));

    CompletionWalk walk(doc);
    try {
        walk.Run();
    } catch (const Cancelled&) {
        RestoreElements(doc, kept);
        return false;
    } catch (const DamagedChain& damage) {
        RestoreElements(doc, kept);
        ShowMessage(StrFormat("Элемент № %d: %s.\nДанные задачи не могут быть дополнены.", walk.Index() + 1,
                              damage.reason),
                    kAppName, MsgIcon::Stop);
        return false;
    }
    g_nTaskCompletion = 0;
    // The completed task differs from its file: closing asks to save it.
    SetModifiedFlag();
    return true;
}
