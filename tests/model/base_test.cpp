#include "model/base.h"
#include "modeltest.h"
#include "platform/messages.h"

#include <filesystem>
#include <fstream>

namespace {

template <class T>
void Add(ObjList<T>& list, const T& item)
{
    list.push_back(std::make_unique<T>(item));
}

// A catalog with several items of every kind, in a deliberate order.
void FillSample(CBase& b)
{
    Add(b.towers, MakeTower("П110-1", {{-4.2, 19.0}, {4.2, 19.0}, {0.0, 23.0}}));
    Add(b.towers, MakeTower("У220-1", {{-6.5, 21.0}, {0.0, 21.0}, {6.5, 21.0}, {-3.0, 28.0}, {3.0, 28.0}}));
    Add(b.phaseWires, MakeWire("АС-300/39", 0.0120));
    Add(b.phaseWires, MakeWire("АС-120/19", 0.0076));
    Add(b.phaseWires, MakeWire("АС-70/11", 0.0057));
    Add(b.groundWires, MakeWire("С-70", 0.0055, 0.8, 1.5e-7));
    Add(b.groundWires, MakeWire("ОКГТ", 0.0070, 0.9, 4e-8));
    Add(b.hfCables, MakeWire("РК-75", 0.0001, 2e8, 75.0));
    Add(b.hfCables, MakeWire("РК-50", 0.0002, 2e8, 50.0));
    Add(b.solidCables, MakeSolidCable("АПвПу 1x240"));
    Add(b.solidCables, MakeSolidCable("АПвПу 1x500"));
    CKabTr p;
    p.name = "МНСК";
    p.coreRadius = 0.011;
    Add(b.pipeCables, p);
    p.name = "МВДТ";
    Add(b.pipeCables, p);
    for (int type = 0; type < 7; ++type) {
        Add(b.filters[type], MakeFilter("ФП-" + std::to_string(type) + "а", type));
        if (type % 2 == 0)
            Add(b.filters[type], MakeFilter("ФП-" + std::to_string(type) + "б", type, 2.0));
    }
    Add(b.traps, MakeTrap("ВЗ-630-0.5", 0));
    Add(b.traps, MakeTrap("ВЗ-1250-1.0", 1));
    Add(b.traps, MakeTrap("ВЗ-2000", 2));
    Add(b.matrices, MakeMatrix("М3", 3));
    Add(b.matrices, MakeMatrix("М0", 0));
    Add(b.matrices, MakeMatrix("М5", 5));
}

Bytes Store(CBase& b)
{
    ArchiveWriter w;
    b.Store(w);
    return w.take();
}

TEST(Catalog, EmptyCatalogIs31Bytes)
{
    CBase b;
    Bytes expected = Fixture().Wn(4).B(7).Wn(7).Wn(4).bytes();
    EXPECT_EQ(expected.size(), 31u);
    EXPECT_EQ(Store(b), expected);
}

TEST(Catalog, FileOrderOfTheLists)
{
    CBase b;
    Add(b.towers, MakeTower("T", {}));
    Add(b.phaseWires, MakeWire("P", 1));
    Add(b.solidCables, MakeSolidCable("K"));
    CKabTr p;
    p.name = "R";
    Add(b.pipeCables, p);
    Add(b.filters[2], MakeFilter("F", 2));
    Add(b.traps, MakeTrap("Z", 1));
    Add(b.groundWires, MakeWire("G", 2));
    Add(b.matrices, MakeMatrix("M", 1));
    Add(b.hfCables, MakeWire("H", 3));
    Bytes expected = Fixture()
                         .W(1).Item(*b.towers[0])
                         .W(1).Item(*b.phaseWires[0])
                         .W(1).Item(*b.solidCables[0])
                         .W(1).Item(*b.pipeCables[0])
                         .B(7).W(0).W(0).W(1).Item(*b.filters[2][0]).W(0).W(0).W(0).W(0)
                         .W(1).Item(*b.traps[0])
                         .W(1).Item(*b.groundWires[0])
                         .W(1).Item(*b.matrices[0])
                         .W(1).Item(*b.hfCables[0])
                         .bytes();
    EXPECT_EQ(Store(b), expected);
}

TEST(Catalog, ZeroFilterListsThenTraps)
{
    CZagrad z = MakeTrap("Z", 0);
    Bytes file = Fixture().Wn(4).B(0).W(1).Item(z).Wn(3).bytes();
    CBase b;
    LoadBytes(b, file);
    EXPECT_EQ(b.filterListCount, 7);
    for (const auto& list : b.filters)
        EXPECT_TRUE(list.empty());
    ASSERT_EQ(b.traps.size(), 1u);
    EXPECT_EQ(b.traps[0]->Compare(z), 2);
    Bytes stored = Store(b);
    EXPECT_EQ(stored[8], 7);  // written back as seven lists
    EXPECT_EQ(stored.size(), file.size() + 7 * 2);
}

TEST(Catalog, FilterListCountAboveSevenIsRefused)
{
    Bytes file = Fixture().Wn(4).B(8).Wn(8).Wn(4).bytes();
    CBase b;
    EXPECT_THROW(LoadBytes(b, file), ArchiveError);
}

TEST(Catalog, StoreLoadStoreIsByteIdenticalInOrder)
{
    CBase b;
    FillSample(b);
    Bytes first = Store(b);
    CBase back;
    LoadBytes(back, first);
    EXPECT_EQ(Store(back), first);
    ASSERT_EQ(back.phaseWires.size(), 3u);
    EXPECT_EQ(back.phaseWires[0]->name, "АС-300/39");
    EXPECT_EQ(back.phaseWires[2]->name, "АС-70/11");
    ASSERT_EQ(back.filters[4].size(), 2u);
    EXPECT_EQ(back.filters[4][1]->name, "ФП-4б");
    EXPECT_EQ(back.matrices[1]->n, 0);
}

TEST(Catalog, CopyFromIsIndependent)
{
    CBase a;
    FillSample(a);
    Bytes original = Store(a);
    CBase b;
    Add(b.towers, MakeTower("старая", {}));
    b.CopyFrom(a);
    EXPECT_EQ(Store(b), original);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(Store(b), original);
    b.towers[0]->x[0] = 100.0;
    b.CopyFrom(b);  // copying onto itself keeps everything
    EXPECT_EQ(b.towers[0]->x[0], 100.0);
    CBase c;
    c.CopyFrom(b);
    b.RemoveAll();
    EXPECT_EQ(c.towers[0]->x[0], 100.0);
}

TEST(Catalog, EveryPrefixThrowsAndLeavesTheCatalogAlone)
{
    CBase sample;
    FillSample(sample);
    Bytes file = Store(sample);
    CBase target;
    Add(target.phaseWires, MakeWire("пользователя", 0.01));
    Bytes before = Store(target);
    for (std::size_t n = 0; n < file.size(); ++n) {
        ArchiveReader r(file.data(), n);
        EXPECT_THROW(target.Load(r), ArchiveError) << n;
        ASSERT_EQ(Store(target), before) << "catalog changed by a prefix of " << n << " bytes";
    }
    ArchiveReader whole(file);
    target.Load(whole);
    EXPECT_EQ(Store(target), file);
}

TEST(Catalog, HugeCountsAreCheckedBeforeReading)
{
    // 65535 towers announced in a file of a few bytes.
    Bytes file = Fixture().W(0xFFFF).S("T").B(0).bytes();
    CBase b;
    EXPECT_THROW(LoadBytes(b, file), ArchiveError);
}

TEST(Catalog, ListTooLongToWriteIsRefusedBeforeWriting)
{
    CBase b;
    b.hfCables.resize(0x10000);
    for (auto& p : b.hfCables)
        p = std::make_unique<CProvod>();
    ArchiveWriter w;
    EXPECT_THROW(b.Store(w), ArchiveError);
    EXPECT_EQ(w.size(), 0u);
}

TEST(Catalog, FileHelpersKeepTheOldStateOnFailure)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("kestrin-kdb-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string path = (dir / "base.kdb").string();
    CBase sample;
    FillSample(sample);
    std::string error;
    ASSERT_TRUE(SaveBaseFile(path, sample, error)) << error;
    CBase loaded;
    LoadBaseFile(path, loaded);
    EXPECT_EQ(Store(loaded), Store(sample));

    // A damaged file: truncated in the middle.
    std::vector<std::uint8_t> bytes = Store(sample);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size() / 2));
    }
    EXPECT_THROW(LoadBaseFile(path, loaded), ArchiveError);
    EXPECT_EQ(Store(loaded), Store(sample));
    EXPECT_THROW(LoadBaseFile((dir / "missing.kdb").string(), loaded), ArchiveError);

    // An imported name the file cannot hold is saved with "?" and said so.
    Add(sample.towers, MakeTower("Опора╬", {{0.0, 20.0}}));
    ScriptedMessages msgs;
    ASSERT_TRUE(SaveBaseFile(path, sample, error)) << error;
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_NE(msgs.messages()[0].text.find("\n«Опора╬»: «╬» (U+256C)"), std::string::npos);
    fs::remove_all(dir);
}

}  // namespace
