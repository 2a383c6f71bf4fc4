#include "app/dosbase.h"
#include "model/base.h"
#include "platform/archive.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

// Builds a DOS-era catalog file byte by byte.
class DosFile {
public:
    DosFile& record(int type, const std::string& utf8Name)
    {
        bytes.push_back(static_cast<std::uint8_t>(type));
        for (char c : Utf8ToCp866(utf8Name))
            bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back('@');
        return *this;
    }
    DosFile& byte(int b)
    {
        bytes.push_back(static_cast<std::uint8_t>(b));
        return *this;
    }
    DosFile& floats(std::initializer_list<float> values)
    {
        for (float f : values) {
            std::uint8_t b[4];
            std::memcpy(b, &f, 4);
            bytes.insert(bytes.end(), b, b + 4);
        }
        return *this;
    }
    std::vector<std::uint8_t> bytes;
};

void Read(const DosFile& f, CBase& base)
{
    ArchiveReader ar(f.bytes);
    ReadDosBase(ar, base);
}

TEST(DosBase, EveryRecordTypeGoesToItsList)
{
    DosFile f;
    f.record(0, "П-110").byte(2).floats({-3.5f, 3.5f, 20.f, 22.f}).byte(0xAA).byte(0xBB);
    f.record(1, "АС-120").floats({0.0076f, 0.95f, 2.8e-8f});
    f.record(2, "АПвП").floats({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    f.record(3, "Труба").floats({0.012f});
    f.record(4, "ФП-1").byte(4).floats({1e-9f, 2e-9f, 3e-3f, 5.f});
    f.record(5, "РК-75").floats({0.02f, 2e8f, 75.f});
    f.record(6, "ВЗ-630").floats({1e-9f, 2e-9f, 3e-9f, 1e-3f, 2e-3f, 3e-3f, 400.f});
    f.record(7, "С-70").floats({0.0055f, 0.9f, 1.5e-7f});
    CBase base;
    Read(f, base);

    ASSERT_EQ(base.towers.size(), 1u);
    const COpora& t = *base.towers[0];
    EXPECT_EQ(t.name, "П-110");
    EXPECT_EQ(t.count, 2);
    EXPECT_EQ(t.x, (std::vector<double>{-3.5, 3.5}));
    EXPECT_EQ(t.y, (std::vector<double>{20.0, 22.0}));

    ASSERT_EQ(base.phaseWires.size(), 1u);
    EXPECT_EQ(base.phaseWires[0]->name, "АС-120");
    EXPECT_DOUBLE_EQ(base.phaseWires[0]->radius, double(0.0076f));
    EXPECT_DOUBLE_EQ(base.phaseWires[0]->resistivity, double(2.8e-8f));

    ASSERT_EQ(base.solidCables.size(), 1u);
    EXPECT_EQ(base.solidCables[0]->coreRadius, 1.0);
    EXPECT_EQ(base.solidCables[0]->rhoScreen, 10.0);
    EXPECT_EQ(base.solidCables[0]->tanInner, 5.0);

    ASSERT_EQ(base.pipeCables.size(), 1u);
    EXPECT_DOUBLE_EQ(base.pipeCables[0]->coreRadius, double(0.012f));

    ASSERT_EQ(base.filters[4].size(), 1u);
    const CFiltr& fl = *base.filters[4][0];
    EXPECT_EQ(fl.type, 4);
    EXPECT_EQ(fl.nC, 2);
    EXPECT_EQ(fl.nL, 1);
    EXPECT_DOUBLE_EQ(fl.C[1], double(2e-9f));
    EXPECT_DOUBLE_EQ(fl.L[0], double(3e-3f));
    EXPECT_EQ(fl.ratio, 5.0);

    ASSERT_EQ(base.hfCables.size(), 1u);
    EXPECT_EQ(base.hfCables[0]->waveImpedance(), 75.0);

    ASSERT_EQ(base.traps.size(), 1u);
    EXPECT_EQ(base.traps[0]->scheme, 0);
    EXPECT_EQ(base.traps[0]->R, 400.0);
    EXPECT_EQ(base.traps[0]->L4, 0.0);

    ASSERT_EQ(base.groundWires.size(), 1u);
    EXPECT_EQ(base.groundWires[0]->name, "С-70");
}

TEST(DosBase, FilterCountsByStoredTypeAndType5BecomesType3KeepingR)
{
    DosFile f;
    f.record(4, "A").byte(0).floats({1, 2, 3, 4, 5, 6, 7});                     // 3 + 3 + ratio
    f.record(4, "B").byte(2).floats({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});           // 4 + 5 + ratio
    f.record(4, "C").byte(5).floats({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 50, 2});     // 5 + 5 + R + ratio
    f.record(4, "D").byte(6).floats({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 3});        // 5 + 5 + ratio
    CBase base;
    Read(f, base);
    ASSERT_EQ(base.filters[0].size(), 1u);
    EXPECT_EQ(base.filters[0][0]->nC, 3);
    EXPECT_EQ(base.filters[0][0]->ratio, 7.0);
    ASSERT_EQ(base.filters[2].size(), 1u);
    EXPECT_EQ(base.filters[2][0]->nC, 4);
    EXPECT_EQ(base.filters[2][0]->nL, 5);
    EXPECT_EQ(base.filters[2][0]->L[4], 9.0);
    EXPECT_TRUE(base.filters[5].empty());
    ASSERT_EQ(base.filters[3].size(), 1u);
    const CFiltr& c = *base.filters[3][0];
    EXPECT_EQ(c.name, "C");
    EXPECT_EQ(c.type, 3);
    EXPECT_EQ(c.nC, 5);
    EXPECT_EQ(c.nL, 5);
    EXPECT_EQ(c.R, 50.0);
    EXPECT_EQ(c.ratio, 2.0);
    ASSERT_EQ(base.filters[6].size(), 1u);
    EXPECT_EQ(base.filters[6][0]->R, 0.0);
}

TEST(DosBase, NegativeTrapResistanceMeansTheSecondScheme)
{
    DosFile f;
    f.record(6, "ВЗ").floats({1, 2, 3, 4, 5, 6, -50});
    CBase base;
    Read(f, base);
    ASSERT_EQ(base.traps.size(), 1u);
    EXPECT_EQ(base.traps[0]->scheme, 1);
    EXPECT_EQ(base.traps[0]->R, 50.0);
}

TEST(DosBase, RecordOfUnknownTypeIsSkippedAfterItsName)
{
    // Type 9 with its name only: the next record follows at once.
    DosFile f;
    f.record(9, "лишнее").record(3, "Труба").floats({0.5f});
    CBase base;
    Read(f, base);
    ASSERT_EQ(base.pipeCables.size(), 1u);
    EXPECT_EQ(base.pipeCables[0]->name, "Труба");
}

TEST(DosBase, DamagedFilesAreRefused)
{
    std::string longName(300, 'N');
    DosFile longNameFile;
    longNameFile.record(3, longName).floats({1});
    DosFile type7Filter;
    type7Filter.record(4, "F").byte(7).floats({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    DosFile shortRecord;
    shortRecord.record(1, "AC").floats({1, 2}).byte(0);
    DosFile noAt;
    noAt.byte(1).byte('A').byte('B');
    DosFile shortTower;
    shortTower.record(0, "T").byte(3).floats({1, 2, 3, 4, 5, 6});
    // Every bit pattern is a float, but NaN and infinity are no values.
    DosFile nanWire;
    nanWire.record(1, "AC").floats({0.01f, NAN, 3e-8f});
    DosFile infTrap;
    infTrap.record(6, "ВЗ").floats({1, 2, 3, 4, 5, 6, -INFINITY});
    for (const DosFile* f : {&longNameFile, &type7Filter, &shortRecord, &noAt, &shortTower, &nanWire, &infTrap}) {
        CBase base;
        EXPECT_THROW(Read(*f, base), ArchiveError);
    }
    try {
        CBase base;
        Read(nanWire, base);
    } catch (const ArchiveError& e) {
        EXPECT_STREQ(e.what(), "значение записи «AC» не является конечным числом (смещение 8)");
    }
    // A name of exactly the longest length is still a name.
    DosFile longest;
    longest.record(3, std::string(kDosNameMax, 'x')).floats({1});
    CBase base;
    Read(longest, base);
    EXPECT_EQ(base.pipeCables.at(0)->name.size(), kDosNameMax);
}

TEST(DosBase, EmptyFileGivesEmptyCatalogAndNamesAreDecodedFromTheDosCodePage)
{
    CBase base;
    auto w = std::make_unique<CProvod>();
    base.phaseWires.push_back(std::move(w));
    Read(DosFile(), base);
    EXPECT_TRUE(base.IsEmpty());

    DosFile f;
    f.byte(1).byte(0x80).byte(0xAF).byte(0xEF).byte('@').floats({1, 2, 3}); // "Апя" in CP866
    Read(f, base);
    EXPECT_EQ(base.phaseWires.at(0)->name, "Апя");
}

TEST(DosBase, FileNameInAnyLetterCase)
{
    EXPECT_TRUE(IsDosBaseName("basek"));
    EXPECT_TRUE(IsDosBaseName("BASEK"));
    EXPECT_TRUE(IsDosBaseName("BaseK"));
    EXPECT_FALSE(IsDosBaseName("basek.kdb"));
    EXPECT_FALSE(IsDosBaseName("base"));
    EXPECT_FALSE(IsDosBaseName(""));
}

} // namespace
