#include "model/document.h"
#include "model/shellhooks.h"
#include "platform/messages.h"
#include "samples.h"

#include <filesystem>
#include <fstream>

namespace {

// Records what the document asked of the shell.
class RecordingHooks : public DocumentShellHooks {
public:
    RecordingHooks() : m_previous(SetDocumentShellHooks(this)) {}
    ~RecordingHooks() override { SetDocumentShellHooks(m_previous); }
    void ResetEditState() override { calls += "R"; }
    void UpdateTitle() override { calls += "T"; }
    std::string calls;

private:
    DocumentShellHooks* m_previous;
};

class Document : public ModelTest {};

Bytes Store(CKestrinDoc& doc)
{
    ArchiveWriter w;
    doc.Serialize(w);
    return w.take();
}

void Read(CKestrinDoc& doc, const Bytes& b)
{
    ArchiveReader r(b);
    doc.Serialize(r);
    EXPECT_TRUE(r.atEnd());
}

std::unique_ptr<CElement> Element(int type, std::unique_ptr<CElementData> data = nullptr)
{
    auto e = std::make_unique<CElement>();
    e->SetType(type);
    e->name = "Эл " + std::to_string(type);
    e->cellX = 1 + type;
    e->cellY = 3;
    e->circuits = e->circuitsAfter = 2;
    e->groundWires = e->groundWiresAfter = 1;
    e->circuitsPart = 1;
    e->conductors = 7;
    e->wirePositions = 7;
    e->wirePositions2 = type == kWireCountChange ? 10 : 7;
    for (int i = 0; i < 7; ++i) {
        e->inMap[i] = i < 6 ? (i / 3) * 4 + i % 3 : 3;
        e->outMap[i] = e->inMap[(i + 1) % 7];
    }
    e->entered = 1;
    e->data = data ? std::move(data) : CreateElementData(type);
    return e;
}

// A task of two circuits and one ground wire with one element of each of the
// fifteen types and results of both kinds.
void MakeSampleTask(CKestrinDoc& doc)
{
    doc.basePath = "C:\\Kestrin\\База.kdb";
    doc.title = "Тракт ВЧ связи 110 кВ";
    doc.conductorCount = 7;
    doc.circuits = 2;
    doc.groundWires = 1;
    doc.splitConductor = -1;
    for (int i = 0; i < 7; ++i)
        doc.phasing[i] = 10 + i;
    CUpr upr;
    upr.wires = 7;
    upr.devices = {MakePrisoed(0, 0), MakePrisoed(4, 6)};
    CTransp t;
    t.count = 7;
    t.permutation = std::vector<std::uint8_t>{1, 2, 0, 4, 5, 3, 6};
    CVarMod change;
    change.wiresBefore = 7;
    change.wiresAfter = 10;
    change.circuitsDiff = 1;
    change.map[0] = 8;
    doc.AppendElement(Element(kCouplingDevice, std::make_unique<CUpr>(upr)));
    doc.AppendElement(Element(kOverheadLine, std::make_unique<CVLine>(MakeVLine(1))));
    doc.AppendElement(Element(kCableLine, std::make_unique<CKLine>(MakeKLine(2))));
    doc.AppendElement(Element(kShuntImpedance, std::make_unique<CEShunt>(MakeEShunt(2))));
    doc.AppendElement(Element(kSeriesImpedance, std::make_unique<CEShunt>(MakeEShunt(1, 0))));
    doc.AppendElement(Element(kTransposition, std::make_unique<CTransp>(t)));
    doc.AppendElement(Element(kTap, std::make_unique<COtvet>(MakeOtvet(3))));
    doc.AppendElement(Element(kTapLoad));
    doc.AppendElement(Element(kWireCountChange, std::make_unique<CVarMod>(change)));
    doc.AppendElement(Element(kAttachedEnd, std::make_unique<CEndMod>(MakeEndMod(3))));
    doc.AppendElement(Element(kDoubling, std::make_unique<COtvet>(MakeOtvet(14))));
    doc.AppendElement(Element(kBypass, std::make_unique<CEObhod>(MakeEObhod(2))));
    doc.AppendElement(Element(kBranchingStart, std::make_unique<COtvet>(MakeOtvet(4))));
    doc.AppendElement(Element(kBranchingEnd));
    doc.AppendElement(Element(kEndLoad, std::make_unique<CNagruz>(MakeNagruz({100, 300, 75, 75, 75, 75, 600}))));
    doc.AddModalResult(std::make_unique<CRezMod>(MakeModal(3)));
    doc.AddModalResult(std::make_unique<CRezMod>(MakeModal(0)));
    doc.AddResponseResult(std::make_unique<CRezGra>(MakeResponse(0, 4)));
    doc.AddResponseResult(std::make_unique<CRezGra>(MakeResponse(3, 2)));
}

TEST_F(Document, NewTaskIs29Bytes)
{
    CKestrinDoc doc;
    doc.OnNewDocument();
    Bytes expected = Fixture().B(0).B(0).B(0).B(0x00).B(0x80).B(6).B(1).B(0).B(0).Bn(16, 0xFF).Bn(4, 0).bytes();
    ASSERT_EQ(expected.size(), 29u);
    EXPECT_EQ(Store(doc), expected);
    EXPECT_EQ(g_nTaskVersion, 6);
}

TEST_F(Document, FullTaskRoundTripsByteForByte)
{
    CKestrinDoc doc;
    MakeSampleTask(doc);
    Bytes first = Store(doc);
    CKestrinDoc back;
    Read(back, first);
    EXPECT_EQ(Store(back), first);
    ASSERT_EQ(back.elements.size(), 15u);
    EXPECT_EQ(back.title, "Тракт ВЧ связи 110 кВ");
    EXPECT_EQ(back.phasing[6], 16);
    EXPECT_EQ(back.modalCount, 2);
    EXPECT_EQ(back.responseCount, 2);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(back.GetElement(i)->data != nullptr, back.GetElement(i)->type != kBranchingEnd) << i;
    // The coupling device first: nominal end impedances from the mode.
    EXPECT_EQ(back.responseResults[0]->zEndLeft, 75.0);
    EXPECT_EQ(back.responseResults[1]->zEndRight, 150.0);
    EXPECT_EQ(g_nTaskCompletion, 0);
    EXPECT_EQ(g_nConductors, 7);
}

TEST_F(Document, ShellIsToldAfterReadAndWrite)
{
    RecordingHooks hooks;
    CKestrinDoc doc;
    MakeSampleTask(doc);
    Bytes b = Store(doc);
    EXPECT_EQ(hooks.calls, "T");
    hooks.calls.clear();
    Read(doc, b);
    EXPECT_EQ(hooks.calls, "RT");
    hooks.calls.clear();
    doc.OnNewDocument();
    EXPECT_EQ(hooks.calls, "R");
    hooks.calls.clear();
    CKestrinDoc temp;
    ArchiveReader r(b);
    temp.ReadTemporary(r);
    EXPECT_EQ(hooks.calls, "");
}

TEST_F(Document, Version0CountWord)
{
    // Count word 0x0003: no version byte, the element records follow.
    Fixture f;
    f.S("").S("Старая").B(3).W(3);
    for (int i = 0; i < 3; ++i)
        f.S("").B(kBranchingEnd).D(i).D(3).B(3).B(0).B(1).B(0);
    f.W(0).W(0);
    ScriptedMessages messages;
    CKestrinDoc doc;
    Read(doc, f.bytes());
    EXPECT_EQ(g_nTaskVersion, 0);
    EXPECT_EQ(doc.elementCount, 3);
    EXPECT_EQ(doc.circuits, 1);
    EXPECT_EQ(doc.GetElement(2)->cellX, 2);
    EXPECT_EQ(doc.GetElement(3), nullptr);
    EXPECT_EQ(messages.messages().size(), 1u);
}

Fixture Version4Head(int conductors, int elements)
{
    Fixture f;
    f.S("base.kdb").S("Задача").B(conductors).W(0x8000 | elements).B(4);
    return f;
}

void AddV4Element(Fixture& f, int type, int w, int w2)
{
    f.S("").B(type).D(0).D(0).B(w).B(w2).B(1).B(0);
}

TEST_F(Document, Version4MigratesAndAsksForCompletion)
{
    Fixture f = Version4Head(7, 2);
    AddV4Element(f, kEndLoad, 7, 0);
    AddV4Element(f, kEndLoad, 7, 0);
    f.W(0).W(0);
    ScriptedMessages messages;
    CKestrinDoc doc;
    Read(doc, f.bytes());
    EXPECT_EQ(doc.circuits, 2);
    EXPECT_EQ(doc.groundWires, 1);
    EXPECT_EQ(doc.splitConductor, -1);
    EXPECT_EQ(g_nSplitConductor, -1);
    EXPECT_EQ(g_nTaskCompletion, 1);
    ASSERT_EQ(messages.messages().size(), 1u);
    const auto& m = messages.messages()[0];
    EXPECT_EQ(m.text,
              "Исходные данные задачи\nбыли сформированы предыдущей версией программы.\n"
              "Настоятельно рекомендуется дополнить данные\nдо последующего их использования или "
              "редактирования\n(Меню \"Задача / Дополнить данные\")");
    EXPECT_EQ(m.caption, kAppName);
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    // Re-saving writes version 6 with the derived counts.
    CKestrinDoc again;
    Read(again, Store(doc));
    EXPECT_EQ(again.circuits, 2);
    EXPECT_EQ(g_nTaskVersion, 6);
}

TEST_F(Document, Version4CableTask)
{
    // Conductors 7; a cable line of 6 wires where 7 run: a cable task.
    CKLine cable = MakeKLine(1);
    cable.elementWires = 6;
    Fixture f = Version4Head(7, 3);
    AddV4Element(f, kEndLoad, 7, 0);
    f.S("").B(kCableLine).D(0).D(0).B(7).B(0).B(1).B(1);
    {
        ArchiveWriter w;
        cable.Store(w);
        for (std::uint8_t b : w.bytes())
            f.B(b);
    }
    AddV4Element(f, kEndLoad, 7, 0);
    f.W(0).W(0);
    ScriptedMessages messages;
    CKestrinDoc doc;
    Read(doc, f.bytes());
    EXPECT_EQ(doc.circuits, 1);
    EXPECT_EQ(doc.groundWires, 4);

    // One element: the message, but no cable-task check.
    Fixture one = Version4Head(7, 1);
    one.S("").B(kCableLine).D(0).D(0).B(7).B(0).B(1).B(1);
    ArchiveWriter w;
    cable.Store(w);
    for (std::uint8_t b : w.bytes())
        one.B(b);
    one.W(0).W(0);
    messages.clear();
    Read(doc, one.bytes());
    EXPECT_EQ(doc.circuits, 2);
    EXPECT_EQ(messages.messages().size(), 1u);
}

TEST_F(Document, CopyFromKeepsBasePathAndDropsPhasing)
{
    CKestrinDoc a;
    MakeSampleTask(a);
    CKestrinDoc b;
    b.basePath = "другая.kdb";
    b.CopyFrom(a);
    EXPECT_EQ(b.basePath, "другая.kdb");
    EXPECT_EQ(b.phasing[0], -1);
    EXPECT_EQ(b.elementCount, 15);
    EXPECT_EQ(b.responseResults.size(), 2u);
    a.ClearAll();
    EXPECT_EQ(b.GetElement(14)->Data<CNagruz>()->Value(1), 300.0);
    EXPECT_EQ(a.basePath, "C:\\Kestrin\\База.kdb");
    EXPECT_EQ(a.circuits, 1);
}

TEST_F(Document, EndImpedancesOfAResult)
{
    CKestrinDoc doc;
    doc.AppendElement(Element(kEndLoad, std::make_unique<CNagruz>(MakeNagruz({100, 300, 50}))));
    doc.AppendElement(Element(kEndLoad, std::make_unique<CNagruz>(MakeNagruz({200, 200, 400}))));
    CRezGra r = MakeResponse(2, 1);  // wires 0, 1 and 2, 2
    doc.CalcRezGraImpedances(r);
    EXPECT_DOUBLE_EQ(r.zEndLeft, 75.0);
    EXPECT_DOUBLE_EQ(r.zEndRight, 200.0);
    r.mode = 1;
    doc.CalcRezGraImpedances(r);
    EXPECT_DOUBLE_EQ(r.zEndLeft, 400.0);
    EXPECT_DOUBLE_EQ(r.zEndRight, 800.0);
    r.mode = 3;
    doc.CalcRezGraImpedances(r);
    EXPECT_DOUBLE_EQ(r.zEndLeft, 400.0);
    r.mode = 0;
    doc.CalcRezGraImpedances(r);
    EXPECT_DOUBLE_EQ(r.zEndLeft, 100.0);
    EXPECT_DOUBLE_EQ(r.zEndRight, 400.0);
    // A wire past the load's values, or no load: not computable.
    r.rxWire1 = 3;
    doc.CalcRezGraImpedances(r);
    EXPECT_EQ(r.zEndRight, 0.0);
    doc.elements.back()->data.reset();
    r.rxWire1 = 0;
    doc.CalcRezGraImpedances(r);
    EXPECT_EQ(r.zEndRight, 0.0);
    EXPECT_EQ(r.zEndLeft, 100.0);

    CKestrinDoc coupled;
    coupled.AppendElement(Element(kCouplingDevice));
    r.mode = 2;
    coupled.CalcRezGraImpedances(r);
    EXPECT_EQ(r.zEndLeft, 37.5);
    EXPECT_EQ(r.zEndRight, 37.5);
}

TEST_F(Document, EveryPrefixThrowsAndLeavesTheOpenTask)
{
    CKestrinDoc sample;
    MakeSampleTask(sample);
    Bytes file = Store(sample);

    CKestrinDoc open;
    open.title = "открытая";
    open.AppendElement(Element(kEndLoad, std::make_unique<CNagruz>(MakeNagruz({1.0}))));
    Bytes before = Store(open);
    g_nTaskCompletion = 1;  // an imported task still to be completed
    g_nConductors = 3;
    g_bDC = 1;
    g_nSplitConductor = 2;
    g_nTaskVersion = 3;
    for (std::size_t n = 0; n < file.size(); ++n) {
        ArchiveReader r(file.data(), n);
        ASSERT_THROW(open.Serialize(r), ArchiveError) << n;
        ASSERT_EQ(g_nTaskCompletion, 1);
        ASSERT_EQ(g_nConductors, 3);
        ASSERT_EQ(g_bDC, 1);
        ASSERT_EQ(g_nSplitConductor, 2);
        ASSERT_EQ(g_nTaskVersion, 3) << n;
    }
    EXPECT_EQ(open.title, "открытая");
    g_nTaskVersion = 6;
    g_bDC = 0;
    EXPECT_EQ(Store(open), before);
}

TEST_F(Document, TemporaryReadKeepsTheOpenTasksGlobals)
{
    Fixture f = Version4Head(7, 0);
    f.W(0).W(0);
    g_nTaskCompletion = 1;
    g_nConductors = 12;
    g_nSplitConductor = 4;
    g_nTaskVersion = 6;
    ScriptedMessages messages;
    CKestrinDoc temp;
    ArchiveReader r(f.bytes());
    temp.ReadTemporary(r, false);
    EXPECT_EQ(temp.circuits, 2);
    EXPECT_EQ(g_nTaskCompletion, 1);
    EXPECT_EQ(g_nConductors, 12);
    EXPECT_EQ(g_nSplitConductor, 4);
    EXPECT_EQ(g_nTaskVersion, 6);
    EXPECT_TRUE(messages.messages().empty());
    // Neither does a temporary document's destruction or construction.
    g_nTaskCompletion = 1;
    { CKestrinDoc another; }
    EXPECT_EQ(g_nTaskCompletion, 1);
}

TEST_F(Document, ImpossibleValuesAreRefused)
{
    CKestrinDoc doc;
    auto refused = [&](const Bytes& b) {
        ArchiveReader r(b);
        EXPECT_THROW(doc.Serialize(r), ArchiveError);
    };
    refused(Fixture().S("").S("").B(0).W(0x8000).B(7).bytes());          // version 7
    refused(Fixture().S("").S("").B(41).W(0x8000).B(6).B(13).B(2).B(0).D(-1).Dn(41, 0).bytes());
    refused(Fixture().S("").S("").B(40).W(0x8000).B(6).B(14).B(0).B(0).D(-1).Dn(42, 0).Wn(2).bytes());
    refused(Fixture().S("").S("").B(3).W(0x8000).B(6).B(1).B(0).B(0).D(40).Dn(3, 0).Wn(2).bytes());
    refused(Fixture().S("").S("").B(3).W(0x8000 | 0x7FFF).B(6).B(1).B(0).B(0).D(-1).Dn(3, 0).Wn(2).bytes());

    CKestrinDoc big;
    for (int i = 0; i < 0x8000; ++i)
        big.elements.push_back(std::make_unique<CElement>());
    ArchiveWriter w;
    EXPECT_THROW(big.Serialize(w), ArchiveError);
    EXPECT_EQ(w.size(), 0u);
    CKestrinDoc wide;
    wide.circuits = 14;
    EXPECT_THROW(wide.Serialize(w), ArchiveError);
}

TEST_F(Document, TaskFilesOnDisk)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("kestrin-ktf-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string path = (dir / "task.ktf").string();
    CKestrinDoc doc;
    MakeSampleTask(doc);
    std::string error;
    ASSERT_TRUE(doc.SaveTaskFile(path, error)) << error;
    CKestrinDoc back;
    ASSERT_TRUE(back.OpenTaskFile(path, error)) << error;
    EXPECT_EQ(Store(back), Store(doc));
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "short";
    }
    EXPECT_FALSE(back.OpenTaskFile(path, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(back.elements.size(), 15u);

    // Texts from elsewhere that the file cannot hold are saved with "?" and said so, once each.
    doc.basePath = "/home/engineer/Базы²/typical.kdb";
    doc.elements[0]->name = "Опора²";
    doc.elements[1]->name = "Опора²";
    {
        ScriptedMessages msgs;
        ASSERT_TRUE(doc.SaveTaskFile(path, error)) << error;
        ASSERT_EQ(msgs.messages().size(), 1u);
        EXPECT_EQ(msgs.messages()[0].text, "Файл " + path +
                                               " сохранен, но в его кодировке нет некоторых символов: они записаны "
                                               "знаком «?».\n«/home/engineer/Базы²/typical.kdb»: «²» (U+00B2)\n"
                                               "«Опора²»: «²» (U+00B2)");
    }

    // Such a catalog in the task's folder or below is kept by its path from
    // that folder, which the file holds; one beside the folder keeps its full
    // path, said so ("../" would hang on how the folder was reached).
    doc.elements[0]->name = doc.elements[1]->name = "Опора";
    const fs::path odd = dir / "Базы²";
    fs::create_directories(odd / "tasks");
    const std::string task = (odd / "tasks" / "t.ktf").string();
    const struct {
        fs::path catalog;
        std::string stored;
        std::size_t warnings;
    } rows[] = {
        {odd / "tasks" / "sub" / "typical.kdb", "sub/typical.kdb", 0},
        {odd / "base" / "typical.kdb", (dir / "Базы?" / "base" / "typical.kdb").string(), 1},
    };
    for (const auto& row : rows) {
        ScriptedMessages msgs;
        doc.basePath = row.catalog.string();
        ASSERT_TRUE(doc.SaveTaskFile(task, error)) << error;
        EXPECT_EQ(msgs.messages().size(), row.warnings) << row.stored;
        EXPECT_EQ(doc.basePath, row.catalog.string());
        CKestrinDoc back;
        ASSERT_TRUE(back.OpenTaskFile(task, error)) << error;
        EXPECT_EQ(back.basePath, row.stored);
    }
    fs::remove_all(dir);
}

TEST_F(Document, EveryNewOrReadTaskHasANewIdentity)
{
    CKestrinDoc doc;
    MakeSampleTask(doc);
    const std::uint64_t first = doc.identity;

    // An edit cancelled: the backup copied back is the same task.
    CKestrinDoc backup;
    backup.CopyFrom(doc);
    doc.CopyFrom(backup);
    EXPECT_EQ(doc.identity, first);

    Bytes bytes = Store(doc);
    Read(doc, bytes);
    const std::uint64_t opened = doc.identity;
    EXPECT_NE(opened, first);
    doc.OnNewDocument();
    EXPECT_NE(doc.identity, opened);
    EXPECT_NE(doc.identity, first);

    // A failed read leaves the task, and so its identity, as it was.
    const std::uint64_t fresh = doc.identity;
    ArchiveReader bad(Bytes(bytes.begin(), bytes.begin() + 20));
    EXPECT_THROW(doc.Serialize(bad), ArchiveError);
    EXPECT_EQ(doc.identity, fresh);
}

}  // namespace
