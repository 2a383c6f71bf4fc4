#include "samples.h"

namespace {

class ElementData : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        g_nTaskVersion = 6;
        g_nLoadWires = 7;
    }
};

TEST_F(ElementData, EveryClassRoundTripsInVersion6)
{
    CEShunt shunt = MakeEShunt(3);
    ExpectRoundTrip(shunt);
    CNagrOtv load;
    load.mode = 2;
    load.capacitance = 3e-9;
    ExpectRoundTrip(load);
    CTransp t;
    t.count = 4;
    t.permutation = std::vector<std::uint8_t>{2, 0, 1, 3};
    ExpectRoundTrip(t);
    CTransp bare;
    bare.count = 3;
    ExpectRoundTrip(bare);
    CUpr upr;
    upr.wires = 7;
    upr.devices = {MakePrisoed(0, 0), MakePrisoed(2, 6), MakePrisoed(6, 4)};
    ExpectRoundTrip(upr);
    for (int kind : {0, 1, 2}) {
        CEObhod bypass = MakeEObhod(kind);
        ExpectRoundTrip(bypass);
    }
    COtvet tap = MakeOtvet(5);
    ExpectRoundTrip(tap);
    CVarMod change;
    change.wiresBefore = 6;
    change.wiresAfter = 10;
    change.circuitsDiff = 1;
    change.groundDiff = 1;
    change.map[0] = 4;
    ExpectRoundTrip(change);
    CEndMod end = MakeEndMod(3);
    ExpectRoundTrip(end);
    CNagruz n = MakeNagruz({100.0, 300.0, 75.0});
    ExpectRoundTrip(n);
}

TEST_F(ElementData, CopiesAreDeepAndClonesKeepTheClass)
{
    CEObhod a = MakeEObhod(2);
    CEObhod b;
    b.Copy(a);
    EXPECT_EQ(StoreBytes(b), StoreBytes(a));
    a.cableInsert->length = 1.0;
    (*a.triangle)[0] = 9.0;
    a.lines[1].r = 1.0;
    EXPECT_EQ(b.cableInsert->length, 1500.0);
    EXPECT_EQ((*b.triangle)[0], 1e-10);
    EXPECT_EQ(b.lines[1].r, 75.0);

    std::unique_ptr<CElementData> data = std::make_unique<CEndMod>(MakeEndMod(2));
    std::unique_ptr<CElementData> clone = data->Clone();
    ASSERT_NE(dynamic_cast<CEndMod*>(clone.get()), nullptr);
    EXPECT_EQ(StoreBytes(*clone), StoreBytes(*data));
    data->Clear();
    EXPECT_EQ(static_cast<CEndMod&>(*clone).r->size(), 2u);
}

TEST_F(ElementData, EndModStoresRCThenL)
{
    CEndMod e;
    e.kind = 1;
    e.count = 2;
    e.r = std::vector<double>{50.0, 60.0};
    EXPECT_EQ(StoreBytes(e), Fixture().B(1).B(2).B(1).d(50.0).d(60.0).B(0).B(0).bytes());
    CEndMod back;
    LoadBytes(back, Fixture().B(4).B(1).B(0).B(1).d(1e-9).B(1).d(2e-3).bytes());
    EXPECT_FALSE(back.r);
    EXPECT_EQ((*back.c)[0], 1e-9);
    EXPECT_EQ((*back.l)[0], 2e-3);
}

TEST_F(ElementData, TapFlagsByVersion)
{
    Bytes v4 = Fixture().B(1).B(3).bytes();
    g_nTaskVersion = 4;
    COtvet a;
    LoadBytes(a, v4);
    EXPECT_EQ(a.selectionMode, 1);
    EXPECT_EQ(a.count, 3);
    EXPECT_EQ(a.flags[0], 1);
    EXPECT_EQ(a.flags[39], 1);
    EXPECT_EQ(a.map[0], -1);

    // Version 5: mode 2, count 3 in an element of 7 positions.
    g_nTaskVersion = 5;
    Fixture f5;
    f5.B(2).B(3).D(8).D(9).D(10).Dn(37, -1);
    COtvet b;
    LoadBytes(b, f5.bytes());
    const std::uint8_t expected[7] = {0, 0, 0, 0, 1, 1, 1};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(b.flags[i], expected[i]) << i;
    EXPECT_EQ(b.flags[7], 1);  // past the element's wires: the default
    EXPECT_EQ(b.map[2], 10);

    Fixture f5first;
    f5first.B(1).B(2).Dn(40, -1);
    COtvet c;
    LoadBytes(c, f5first.bytes());
    EXPECT_EQ(c.flags[1], 1);
    EXPECT_EQ(c.flags[2], 0);
    EXPECT_EQ(c.flags[6], 0);

    g_nTaskVersion = 6;
    Fixture f6;
    f6.B(0).B(2).Dn(40, -1).B(0).B(1).Bn(38, 0);
    COtvet d;
    LoadBytes(d, f6.bytes());
    EXPECT_EQ(d.flags[0], 0);
    EXPECT_EQ(d.flags[1], 1);
    EXPECT_EQ(d.flags[2], 0);
}

TEST_F(ElementData, ChangeOfWireCountVersion4)
{
    g_nTaskVersion = 4;
    CVarMod v;
    LoadBytes(v, Fixture().B(9).B(6).bytes());
    EXPECT_EQ(v.circuitsDiff, 1);
    EXPECT_EQ(v.groundDiff, 0);
    EXPECT_EQ(v.map[0], -1);
    LoadBytes(v, Fixture().B(6).B(11).bytes());
    EXPECT_EQ(v.circuitsDiff, 1);
    EXPECT_EQ(v.groundDiff, 2);
}

// A bypass record of one bypass line and two empty trap sets.
Bytes BypassBytes(int version, int n, int mode, int kind)
{
    Fixture f;
    f.B(n).d(2e-9).B(0);  // no triangle
    if (version >= 3)
        f.B(mode).B(kind);
    if (version >= 6) {
        for (int i = 0; i < kMaxWires; ++i)
            f.B(i < 2 ? 1 : 0).D(i < 2 ? i : -1);
        f.B(1);
    }
    CEShunt empty;
    ArchiveWriter w;
    empty.Store(w);
    for (int i = 0; i < 2; ++i)
        for (std::uint8_t b : w.bytes())
            f.B(b);
    f.W(1).Item(MakeObhod(1, 1));
    if (kind == 2)
        f.B(0);  // no cable insert
    return f.bytes();
}

TEST_F(ElementData, BypassVersions)
{
    g_nTaskVersion = 2;
    CEObhod v2;
    LoadBytes(v2, BypassBytes(2, 3, 0, 0));
    EXPECT_EQ(v2.n, 3);
    EXPECT_EQ(v2.selectionMode, 0);
    EXPECT_EQ(v2.kind, 0);
    EXPECT_EQ(v2.flags[6], 1);
    EXPECT_EQ(v2.map[0], -1);
    ASSERT_EQ(v2.lines.size(), 1u);

    g_nTaskVersion = 4;
    CEObhod v4;
    LoadBytes(v4, BypassBytes(4, 3, 2, 1));
    EXPECT_EQ(v4.kind, 1);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(v4.flags[i], i >= 4 ? 1 : 0) << i;
    EXPECT_EQ(v4.map[0], -1);
    EXPECT_EQ(v4.insideDoubling, 0);

    g_nTaskVersion = 6;
    CEObhod v6;
    Bytes b6 = BypassBytes(6, 2, 1, 2);
    LoadBytes(v6, b6);
    EXPECT_EQ(v6.flags[1], 1);
    EXPECT_EQ(v6.flags[2], 0);
    EXPECT_EQ(v6.map[1], 1);
    EXPECT_EQ(v6.insideDoubling, 1);
    EXPECT_FALSE(v6.cableInsert);
    EXPECT_EQ(StoreBytes(v6), b6);
    // 40 pairs of a flag byte and a map int, then the inside-doubling byte.
    EXPECT_EQ(b6.size(), BypassBytes(3, 2, 1, 2).size() + 40 * 5 + 1);
}

TEST_F(ElementData, LoadWiresAboveFortyIsClamped)
{
    // A damaged element count of 200 wire positions must not write past the
    // 40 flags when a version-5 tap or bypass derives its flags.
    g_nLoadWires = 200;
    g_nTaskVersion = 5;
    COtvet t;
    LoadBytes(t, Fixture().B(2).B(3).Dn(40, -1).bytes());
    EXPECT_EQ(t.flags[39], 0);
    g_nTaskVersion = 4;
    CEObhod b;
    LoadBytes(b, BypassBytes(4, 3, 0, 0));
    EXPECT_EQ(b.flags[39], 1);
}

TEST_F(ElementData, WiresOutsideTheElementAreRefused)
{
    CEShunt s = MakeEShunt(1);
    CEShunt back;
    g_nLoadWires = 255;
    s.branches[0].firstWire = 40;
    EXPECT_THROW(LoadBytes(back, StoreBytes(s)), ArchiveError);

    g_nLoadWires = 7;
    CUpr upr;
    upr.devices = {MakePrisoed(9, 0)};
    CUpr uback;
    EXPECT_THROW(LoadBytes(uback, StoreBytes(upr)), ArchiveError);

    CTransp t;
    t.count = 3;
    t.permutation = std::vector<std::uint8_t>{0, 3, 1};  // target past the three wires
    CTransp tback;
    EXPECT_THROW(LoadBytes(tback, StoreBytes(t)), ArchiveError);
    EXPECT_THROW(LoadBytes(tback, Fixture().B(41).B(0).bytes()), ArchiveError);

    CNagruz n;
    EXPECT_THROW(LoadBytes(n, Fixture().B(41).dn(41, 1.0).bytes()), ArchiveError);
    CEndMod e;
    EXPECT_THROW(LoadBytes(e, Fixture().B(1).B(41).B(0).B(0).B(0).bytes()), ArchiveError);
    CEObhod bypass = MakeEObhod(0);
    bypass.n = 41;
    bypass.triangle.reset();
    CEObhod bback;
    EXPECT_THROW(LoadBytes(bback, StoreBytes(bypass)), ArchiveError);
}

TEST_F(ElementData, BypassLineOfEmptyItemsEndingTheFileLoads)
{
    // A new bypass line (empty filters and cables) is the smallest line
    // record: 135 bytes.  One that ends the stream is still read.
    CEObhod b;
    b.lines.resize(1);
    Bytes bytes = StoreBytes(b);
    CEObhod back;
    LoadBytes(back, bytes);
    ASSERT_EQ(back.lines.size(), 1u);
    ArchiveWriter line;
    b.lines[0].Store(line);
    EXPECT_EQ(line.bytes().size(), 135u);
}

TEST_F(ElementData, TruncatedRecordsThrow)
{
    CEShunt s = MakeEShunt(2);
    ExpectEveryPrefixThrows<CEShunt>(StoreBytes(s));
    CEObhod b = MakeEObhod(2);
    ExpectEveryPrefixThrows<CEObhod>(StoreBytes(b));
    CUpr u;
    u.wires = 7;
    u.devices = {MakePrisoed(1, 6)};
    ExpectEveryPrefixThrows<CUpr>(StoreBytes(u));
    COtvet o = MakeOtvet(3);
    ExpectEveryPrefixThrows<COtvet>(StoreBytes(o));
    CEndMod e = MakeEndMod(3);
    ExpectEveryPrefixThrows<CEndMod>(StoreBytes(e));
    CTransp t;
    t.count = 2;
    t.permutation = std::vector<std::uint8_t>{1, 0};
    ExpectEveryPrefixThrows<CTransp>(StoreBytes(t));
    CNagruz n = MakeNagruz({1.0, 2.0});
    ExpectEveryPrefixThrows<CNagruz>(StoreBytes(n));
}

}  // namespace
