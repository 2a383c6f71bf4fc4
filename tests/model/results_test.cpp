#include "model/results.h"
#include "samples.h"

namespace {

TEST(Results, ResponseRecordSizes)
{
    CRezGra r0 = MakeResponse(0, 3);
    Bytes b0 = StoreBytes(r0);
    std::size_t name = 1 + r0.name.size();
    EXPECT_EQ(b0.size(), name + 16 + 2 + 5 + 168);
    CRezGra r3 = MakeResponse(3, 3);
    Bytes b3 = StoreBytes(r3);
    EXPECT_EQ(b3.size(), b0.size() + 8);
    // The resistance sits after the mode byte, before the points.
    Bytes head = Fixture().S(r3.name).d(r3.startFreq).d(r3.endFreq).W(3).B(0).B(1).B(2).B(2).B(3).d(600.0).bytes();
    EXPECT_TRUE(std::equal(head.begin(), head.end(), b3.begin()));
}

TEST(Results, ResponseRoundTripAndReplacement)
{
    for (int mode : {0, 1, 2, 3}) {
        CRezGra r = MakeResponse(mode, 4);
        ExpectRoundTrip(r);
    }
    CRezGra target = MakeResponse(1, 9);
    LoadBytes(target, StoreBytes(*std::make_unique<CRezGra>(MakeResponse(0, 2))));
    ASSERT_EQ(target.points.size(), 2u);
    EXPECT_EQ(target.points[1].freq, 25000.0);
    EXPECT_EQ(target.points[1].zRight.im, -21.0);
}

TEST(Results, ResponseCopyKeepsWhatIsNotStored)
{
    CRezGra r = MakeResponse(3, 3);
    CRezGra c = MakeResponse(0, 7);
    c.Copy(r);
    EXPECT_EQ(c.points.size(), 3u);
    EXPECT_EQ(c.label, "1A-2B");
    EXPECT_EQ(c.zEndLeft, 75.0);
    EXPECT_EQ(c.resistance, 600.0);
    EXPECT_EQ(StoreBytes(c), StoreBytes(r));
}

TEST(Results, ModalRecordLayout)
{
    CRezMod empty;
    empty.name = "x";
    empty.position = 2;
    empty.freq = 1000.0;
    EXPECT_EQ(StoreBytes(empty), Fixture().S("x").W(2).d(1000.0).B(0).bytes());
    CRezMod back = MakeModal(3);
    LoadBytes(back, StoreBytes(empty));
    EXPECT_EQ(back.m, 0);
    EXPECT_FALSE(back.HasArrays());

    // Row i: the m pairs (V[i][j], U[i][j]), then (gamma[i], y[i]).
    CRezMod r = MakeModal(2);
    Bytes b = StoreBytes(r);
    EXPECT_EQ(b.size(), 1 + r.name.size() + 2 + 8 + 1 + 2 * (2 * 32 + 32));
    Fixture row0;
    row0.d(0).d(0.5).d(0).d(1.5).d(1).d(0.5).d(-1).d(1.5).d(1e-6).d(2e-3).d(0.0025).d(-0.0);
    Bytes expectedRow = row0.bytes();
    std::size_t at = 1 + r.name.size() + 2 + 8 + 1;
    EXPECT_TRUE(std::equal(expectedRow.begin(), expectedRow.end(), b.begin() + std::ptrdiff_t(at)));
    ExpectRoundTrip(r);
}

TEST(Results, ModalCopy)
{
    CRezMod bare;
    bare.name = "bare";
    bare.m = 4;  // order set but no arrays
    CRezMod c = MakeModal(2);
    c.Copy(bare);
    EXPECT_EQ(c.m, 4);
    EXPECT_FALSE(c.HasArrays());
    CRezMod full = MakeModal(3);
    c.Copy(full);
    EXPECT_EQ(StoreBytes(c), StoreBytes(full));
    full.V[0] = CComplex(9, 9);
    EXPECT_EQ(c.V[0].re, 0.0);
}

TEST(Results, DamagedRecordsThrow)
{
    CRezGra r = MakeResponse(3, 3);
    ExpectEveryPrefixThrows<CRezGra>(StoreBytes(r));
    CRezMod m = MakeModal(3);
    ExpectEveryPrefixThrows<CRezMod>(StoreBytes(m));
    // Counts far beyond the file are refused before allocating.
    CRezGra big;
    EXPECT_THROW(LoadBytes(big, Fixture().S("n").d(0).d(0).W(65535).Bn(5, 0).bytes()), ArchiveError);
    CRezMod bigm;
    EXPECT_THROW(LoadBytes(bigm, Fixture().S("n").W(0).d(0).B(255).dn(4, 0).bytes()), ArchiveError);
}

TEST(Results, TooManyPointsToWrite)
{
    CRezGra r;
    r.points.resize(0x10000);
    ArchiveWriter w;
    EXPECT_THROW(r.Store(w), ArchiveError);
    EXPECT_EQ(w.size(), 0u);
}

}  // namespace
