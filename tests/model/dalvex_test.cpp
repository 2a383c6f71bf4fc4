#include "model/document.h"
#include "platform/messages.h"
#include "samples.h"

#include <cmath>

namespace {

class Dalvex : public ModelTest {};

Fixture Head(int count, int e, int f, int split = 127, int experimental = 0, int dc = 0)
{
    Fixture x;
    x.S("C:\\Dalvex\\base.kdb").S("Задача Dalvex").W(count).B(e).B(f).B(split).B(experimental).B(dc);
    return x;
}

void ElementHead(Fixture& f, int type, int hasData)
{
    f.S("э").B(type).D(1 + type).D(3).B(1).B(hasData);
}

// An end load with its values and, when given, the conductor order.
void EndLoad(Fixture& f, std::vector<int> order, int wires)
{
    ElementHead(f, kEndLoad, 1);
    f.B(1).B(wires).B(0).dn(wires, 75.0).dn(3, 0.0);
    f.B(order.empty() ? 0 : 1);
    for (int o : order)
        f.B(o);
}

int Import(CKestrinDoc& doc, const Bytes& b)
{
    ArchiveReader r(b);
    const std::uint64_t before = doc.identity;
    int result = doc.ImportDalvexTask(r);
    EXPECT_TRUE(r.atEnd());
    EXPECT_NE(doc.identity, before);  // an imported task is another task
    return result;
}

TEST_F(Dalvex, OrderOfTheEndLoadGivesTheFirstMap)
{
    Fixture f = Head(2, 3, 1);
    EndLoad(f, {0, 1, 2, 3}, 4);
    EndLoad(f, {}, 4);
    CKestrinDoc doc;
    EXPECT_EQ(Import(doc, f.bytes()), 1);
    ASSERT_EQ(doc.elements.size(), 2u);
    const CElement& first = *doc.elements[0];
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(first.inMap[i], i);
        EXPECT_EQ(first.outMap[i], i);
        EXPECT_EQ(doc.elements[1]->inMap[i], i);
    }
    EXPECT_EQ(first.inMap[4], -1);
    EXPECT_EQ(doc.basePath, "C:\\Dalvex\\base.kdb");
    EXPECT_EQ(doc.title, "Задача Dalvex");
    EXPECT_EQ(doc.circuits, 1);
    EXPECT_EQ(doc.groundWires, 1);
    EXPECT_EQ(doc.conductorCount, 4);
    EXPECT_EQ(doc.elementCount, 2);
    EXPECT_EQ(first.conductors, 4);
    EXPECT_EQ(first.wirePositions, 4);
    EXPECT_EQ(first.wirePositions2, 4);
    EXPECT_EQ(first.circuitsPart, 1);
    EXPECT_EQ(first.Data<CNagruz>()->Value(3), 75.0);
    EXPECT_EQ(g_nTaskCompletion, 1);  // completion pending after the import
    EXPECT_EQ(g_nLabelCircuits, 1);
    EXPECT_EQ(g_nCurGround, 1);
    EXPECT_EQ(g_nConductors, 4);
}

TEST_F(Dalvex, NoOrderLeavesTheMapsEmpty)
{
    Fixture f = Head(2, 6, 0);
    EndLoad(f, {}, 6);
    ElementHead(f, kBranchingEnd, 0);
    CKestrinDoc doc;
    EXPECT_EQ(Import(doc, f.bytes()), 1);
    for (const auto& e : doc.elements)
        for (int i = 0; i < kMaxWires; ++i)
            ASSERT_EQ(e->inMap[i], -1);
    EXPECT_EQ(doc.circuits, 2);
}

TEST_F(Dalvex, TranspositionMovesTheWires)
{
    Fixture f = Head(2, 3, 0);
    EndLoad(f, {0, 1, 2}, 3);
    ElementHead(f, kTransposition, 1);
    f.B(1).B(3).B(2).B(0).B(1);  // flag before count in this form
    CKestrinDoc doc;
    EXPECT_EQ(Import(doc, f.bytes()), 1);
    const CElement& t = *doc.elements[1];
    EXPECT_EQ(t.outMap[0], 1);  // B
    EXPECT_EQ(t.outMap[1], 2);  // C
    EXPECT_EQ(t.outMap[2], 0);  // A
}

TEST_F(Dalvex, DirectCurrentAndSplitConductor)
{
    Fixture dc = Head(1, 2, 1, 127, 0, 1);
    EndLoad(dc, {}, 3);
    CKestrinDoc doc;
    Import(doc, dc.bytes());
    EXPECT_EQ(doc.circuits, 2);
    EXPECT_EQ(doc.conductorCount, 3);
    EXPECT_EQ(doc.dc, 1);
    EXPECT_EQ(doc.splitConductor, -1);
    EXPECT_EQ(g_nSplitConductor, -1);

    Fixture split = Head(1, 6, 1, 5);
    EndLoad(split, {}, 8);
    Import(doc, split.bytes());
    EXPECT_EQ(doc.splitConductor, 5);
    EXPECT_EQ(g_nSplitConductor, 5);
    EXPECT_EQ(doc.conductorCount, 8);
    EXPECT_EQ(doc.elements[0]->wirePositions, 8);
    EXPECT_EQ(doc.elements[0]->splitConductor, 5);
}

TEST_F(Dalvex, ExperimentalSpanIsRefused)
{
    CKestrinDoc doc;
    doc.AppendElement(std::make_unique<CElement>());
    g_nTaskCompletion = 1;
    Fixture f = Head(1, 3, 0, 127, 1);
    EndLoad(f, {}, 3);
    ScriptedMessages messages;
    ArchiveReader r(f.bytes());
    EXPECT_EQ(doc.ImportDalvexTask(r), 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Расчет опытного пролета в программе Kestrin\nне предусмотрен. Задача не импортирована.");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::None);
    EXPECT_EQ(messages.messages()[0].caption, kAppName);
    EXPECT_TRUE(doc.elements.empty());
    EXPECT_EQ(doc.elementCount, 0);
    EXPECT_EQ(doc.title, "Задача Dalvex");
    EXPECT_EQ(g_nTaskCompletion, 0);
}

TEST_F(Dalvex, TapsAndLineForms)
{
    Fixture f = Head(3, 3, 1);
    ElementHead(f, kTap, 1);  // no record follows a tap
    ElementHead(f, kOverheadLine, 1);
    f.B(1).d(250.0).d(5000.0).W(2).d(30.0).d(100.0);
    f.Item(MakeTower("Т", {{-3, 20}, {3, 20}, {0, 24}, {0, 28}})).B(1).B(4).B(3).B(17).B(200);
    f.B(1);
    for (int i = 0; i < 4; ++i)
        f.d(5.0).d(0.4).B(2).Item(MakeWire(i < 3 ? "АС" : "С", 0.01));
    f.Item(MakeMatrix("М", 4));
    ElementHead(f, kCableLine, 1);
    f.d(100.0).d(800.0).D(-1).B(3);
    for (int i = 0; i < 3; ++i)
        f.d(0.2 * i).d(1.5).Item(MakeSolidCable(i < 2 ? "старый" : "АПвП"));
    CKestrinDoc doc;
    EXPECT_EQ(Import(doc, f.bytes()), 1);
    COtvet* tap = doc.elements[0]->Data<COtvet>();
    ASSERT_TRUE(tap);
    EXPECT_EQ(tap->count, 4);
    EXPECT_EQ(tap->flags[39], 1);
    const CVLine* line = doc.elements[1]->Data<CVLine>();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->wires, 4);
    EXPECT_EQ(line->wireCount, 4);
    EXPECT_EQ(line->phaseWires, 3);
    EXPECT_EQ(line->earthModel, 1);
    EXPECT_EQ(line->length, 5000.0);
    EXPECT_EQ((*line->spanValues)[1], 200);
    EXPECT_EQ(line->matrix.n, 4);
    EXPECT_EQ((*line->wireArray)[3].wireType.name, "С");
    EXPECT_EQ((*line->wireArray)[0].bundleCount, 2);
    EXPECT_EQ(line->symmetry, -1);  // tower influence
    const CKLine* cable = doc.elements[2]->Data<CKLine>();
    ASSERT_TRUE(cable);
    EXPECT_EQ(cable->circuits, 1);
    EXPECT_EQ(cable->elementWires, 3);
    EXPECT_EQ(cable->x[2], 0.4);
    EXPECT_EQ(cable->solidCable.name, "АПвП");
    // An imported task saves as a version-6 task file and reads back the same.
    ArchiveWriter w;
    doc.Serialize(w);
    CKestrinDoc again;
    ArchiveReader r(w.bytes());
    again.Serialize(r);
    ArchiveWriter w2;
    again.Serialize(w2);
    EXPECT_EQ(w2.bytes(), w.bytes());
}

TEST_F(Dalvex, CouplingDeviceAndBypassCarryTheOrder)
{
    CEShunt traps = MakeEShunt(2);
    CKestrinDoc doc;
    // A coupling device with the order 3, 2, 1, 0, then a bypass of three
    // wires with the order 0, 1, 2, two trap sets and one bypass line.
    Fixture g = Head(2, 3, 1);
    ElementHead(g, kCouplingDevice, 1);
    g.B(1).B(4).Item(MakePrisoed(1, 2)).dn(3, 0.0).B(1).B(3).B(2).B(1).B(0);
    ElementHead(g, kBypass, 1);
    g.d(3e-9).B(1).B(3).B(0).d(1e-10).d(2e-10).d(3e-10).dn(3, 0.0).B(1).B(0).B(1).B(2);
    {
        ArchiveWriter w;
        traps.Store(w);
        traps.Store(w);
        for (std::uint8_t b : w.bytes())
            g.B(b);
    }
    g.W(1).Item(MakeObhod(1, 2));
    EXPECT_EQ(Import(doc, g.bytes()), 1);
    // The first map comes from the coupling device's order 3, 2, 1, 0.
    EXPECT_EQ(doc.elements[0]->inMap[0], -1);  // 3 is no phase wire of e = 3
    EXPECT_EQ(doc.elements[0]->inMap[1], 2);
    EXPECT_EQ(doc.elements[0]->inMap[2], 1);
    EXPECT_EQ(doc.elements[0]->inMap[3], -1);  // 0 is no ground wire
    EXPECT_EQ(g_ImportWireOrder[0], 0);        // the bypass's order came last
    const CEObhod* bypass = doc.elements[1]->Data<CEObhod>();
    ASSERT_TRUE(bypass);
    EXPECT_EQ(bypass->n, 3);
    EXPECT_EQ((*bypass->triangle)[2], 3e-10);
    EXPECT_EQ(bypass->lines.size(), 1u);
    EXPECT_EQ(bypass->traps[1].branches.size(), 2u);
    EXPECT_EQ(doc.elements[0]->Data<CUpr>()->devices[0].filter.type, 2);
}

TEST_F(Dalvex, DamagedFilesAreRefusedAndTheOpenTaskStays)
{
    CKestrinDoc doc;
    doc.title = "открытая";
    doc.AppendElement(std::make_unique<CElement>());
    g_nTaskCompletion = 0;
    g_nConductors = 5;
    auto refused = [&](const Bytes& b) {
        ArchiveReader r(b);
        EXPECT_THROW(doc.ImportDalvexTask(r), ArchiveError);
        EXPECT_EQ(doc.title, "открытая");
        EXPECT_EQ(doc.elements.size(), 1u);
        EXPECT_EQ(g_nConductors, 5);
        EXPECT_EQ(g_ImportWireOrder[0], 127);
    };
    refused(Head(0, 39, 2).bytes());
    refused(Head(0, 39, 1, 3).bytes());
    Fixture noPermutation = Head(2, 3, 0);
    EndLoad(noPermutation, {0, 1, 2}, 3);
    ElementHead(noPermutation, kTransposition, 0);
    refused(noPermutation.bytes());
    Fixture shortPermutation = Head(1, 3, 1);
    ElementHead(shortPermutation, kTransposition, 1);
    shortPermutation.B(1).B(2).B(1).B(0);
    refused(shortPermutation.bytes());
    Fixture longOrder = Head(1, 3, 1);
    EndLoad(longOrder, std::vector<int>(41, 0), 41);
    refused(longOrder.bytes());

    // A value that is no finite number is refused and named, as the DOS-era
    // import refuses it: a load, a busbar capacitance of a bypass.
    Fixture infiniteLoad = Head(1, 3, 1);
    ElementHead(infiniteLoad, kEndLoad, 1);
    infiniteLoad.B(1).B(4).B(0).dn(3, 75.0).d(HUGE_VAL).dn(3, 0.0).B(0);
    refused(infiniteLoad.bytes());
    Fixture nanBusbar = Head(1, 3, 1);
    ElementHead(nanBusbar, kBypass, 1);
    nanBusbar.d(3e-9).B(1).B(3).B(0).d(1e-10).d(std::nan("")).d(3e-10);
    try {
        ArchiveReader r(nanBusbar.bytes());
        doc.ImportDalvexTask(r);
        ADD_FAILURE() << "a busbar capacitance that is no number was taken";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("значение «емкость шин» не является конечным числом (смещение ", 0), 0u)
            << e.what();
    }
    EXPECT_EQ(doc.title, "открытая");

    Fixture good = Head(3, 3, 1);
    EndLoad(good, {0, 1, 2, 3}, 4);
    ElementHead(good, kTransposition, 1);
    good.B(1).B(4).B(1).B(0).B(2).B(3);
    EndLoad(good, {}, 4);
    Bytes b = good.bytes();
    for (std::size_t n = 0; n < b.size(); ++n) {
        ArchiveReader r(b.data(), n);
        ASSERT_THROW(doc.ImportDalvexTask(r), ArchiveError) << n;
        ASSERT_EQ(doc.elements.size(), 1u);
        ASSERT_EQ(g_nConductors, 5);
    }

    // The three values after the loads are never read: any bits pass.
    Fixture unused = Head(1, 3, 1);
    ElementHead(unused, kEndLoad, 1);
    unused.B(1).B(4).B(0).dn(4, 75.0).dn(3, std::nan("")).B(0);
    EXPECT_EQ(Import(doc, unused.bytes()), 1);
}

TEST_F(Dalvex, UnsetOrderEntriesGiveEmptyCodes)
{
    Fixture f = Head(1, 3, 1);
    EndLoad(f, {0, 127, 2, 3}, 4);
    CKestrinDoc doc;
    Import(doc, f.bytes());
    EXPECT_EQ(doc.elements[0]->inMap[0], 0);
    EXPECT_EQ(doc.elements[0]->inMap[1], -1);
    EXPECT_EQ(doc.elements[0]->inMap[3], 3);
}

}  // namespace
