#include "model/lines.h"
#include "samples.h"

namespace {

class Lines : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        g_nTaskVersion = 6;
    }
};

Fixture VLineHead(int wires, int phaseWires)
{
    Fixture f;
    f.B(wires).B(phaseWires).B(0).B(0);        // ice, inhomogeneity
    f.d(0.0).d(250.0).d(1234.0).W(1).B(1);     // layer, span, length, pieces, earth model
    f.d(0).d(0).d(0).d(100.0).d(0).d(0).d(0);  // ice temperature ... eps2
    return f;
}

CVLProv MakeVLProv(const std::string& name, double sag)
{
    CVLProv w;
    w.sag = sag;
    w.wireType = MakeWire(name, 0.01);
    return w;
}

TEST_F(Lines, OverheadLineRoundTripInVersion6)
{
    for (int inh : {0, 1, 2, 3}) {
        CVLine v = MakeVLine(inh);
        ExpectRoundTrip(v);
        CVLine copy;
        copy.Copy(v);
        EXPECT_EQ(StoreBytes(copy), StoreBytes(v)) << inh;
        EXPECT_EQ(copy.IsSame(v), 2);
    }
}

TEST_F(Lines, SpanValuesOnlyWithTowerInfluence)
{
    CVLine v = MakeVLine(1);
    v.inhomogeneity = 2;  // span values stay in memory but are not stored
    CVLine back;
    LoadBytes(back, StoreBytes(v));
    EXPECT_FALSE(back.spanValues.has_value());
    EXPECT_EQ(back.matrix.Compare(v.matrix), 2);
    CVLine none = MakeVLine(0);
    none.matrix = MakeMatrix("лишняя", 2);  // not stored without inhomogeneity
    LoadBytes(back, StoreBytes(none));
    EXPECT_EQ(back.matrix.n, 0);
}

TEST_F(Lines, Version4HasNoWireCountByte)
{
    CVLProv a = MakeVLProv("АС", 5.0), b = MakeVLProv("АС", 5.0);
    Fixture f = VLineHead(2, 2);
    f.Item(MakeTower("Т", {{-1, 10}, {1, 10}})).B(0);  // hasSpans
    f.B(1).Item(a).Item(b);                            // hasWires, two wires
    g_nTaskVersion = 4;
    CVLine v;
    LoadBytes(v, f.bytes());
    EXPECT_EQ(v.wireCount, 2);
    ASSERT_TRUE(v.wireArray);
    EXPECT_EQ(v.wireArray->size(), 2u);
    EXPECT_EQ(v.length, 1234.0);
    EXPECT_EQ(v.symmetry, 0);  // one mirror pair of equal wires

    Fixture g = VLineHead(2, 2);
    g.Item(MakeTower("Т", {{-1, 10}, {1, 10}})).B(0).B(1);  // version 5: wire count 1
    g.B(1).Item(a);
    g_nTaskVersion = 5;
    CVLine w;
    LoadBytes(w, g.bytes());
    EXPECT_EQ(w.wires, 2);
    EXPECT_EQ(w.wireCount, 1);
    // Two wires on the tower, one in the array: the pair cannot be checked.
    EXPECT_EQ(w.symmetry, -1);
}

TEST_F(Lines, SymmetryRules)
{
    CVLine v = MakeVLine(0);
    v.ice = 0;
    v.AfterLoad();
    EXPECT_EQ(v.symmetry, 1);  // 3rd wire on the axis
    g_nSplitConductor = 2;
    v.AfterLoad();
    EXPECT_EQ(v.symmetry, -1);
    g_nSplitConductor = -1;
    (*v.wireArray)[1].sag = 7.0;  // partner of wire 0 sags otherwise
    v.AfterLoad();
    EXPECT_EQ(v.symmetry, -1);
    v = MakeVLine(0);
    (*v.wireArray)[4].wireType.name = "other";
    v.AfterLoad();
    EXPECT_EQ(v.symmetry, -1);
    // A phase wire mirrored by a ground wire is not symmetric.
    v = MakeVLine(0);
    v.phaseWires = 4;
    v.AfterLoad();
    EXPECT_EQ(v.symmetry, -1);
    // A tower with more points than the line uses is valid.
    v = MakeVLine(0);
    v.wires = 2;
    v.AfterLoad();
    EXPECT_EQ(v.symmetry, 1);
    // More wires than the tower has points, or no wire array: not symmetric.
    v = MakeVLine(0);
    v.wires = 7;
    v.AfterLoad();
    EXPECT_EQ(v.symmetry, -1);
    v = MakeVLine(0);
    v.wireArray.reset();
    v.AfterLoad();
    EXPECT_EQ(v.symmetry, -1);
    v = MakeVLine(1);
    v.AfterLoad();
    EXPECT_EQ(v.symmetry, -1);
}

TEST_F(Lines, IsSameComparesTheCrossSection)
{
    CVLine a = MakeVLine(1, 1000.0);
    CVLine b = MakeVLine(1, 2000.0);
    EXPECT_EQ(a.IsSame(b), 1);
    b.length = 1000.0005;
    EXPECT_EQ(a.IsSame(b), 2);
    b = MakeVLine(1);
    (*b.spanValues)[2] = 4;
    EXPECT_EQ(a.IsSame(b), 0);
    b = MakeVLine(1);
    (*b.wireArray)[0].iceDensity += 1e-5;
    EXPECT_EQ(a.IsSame(b), 0);
    b = MakeVLine(1);
    b.earthEps2 += 0.01;  // only a two-layer model (2) compares the lower layer
    EXPECT_EQ(a.IsSame(b), 2);
    a.earthModel = b.earthModel = 2;
    EXPECT_EQ(a.IsSame(b), 0);
    b = MakeVLine(1);
    b.tower.x[0] += 1.0;  // same tower name and count is enough
    a = MakeVLine(1);
    EXPECT_EQ(a.IsSame(b), 2);
}

TEST_F(Lines, DamagedOverheadLines)
{
    CVLine v = MakeVLine(1);
    Bytes good = StoreBytes(v);
    ExpectEveryPrefixThrows<CVLine>(good);
    // A wire count above 40 would overrun the line's wires.
    v.wireCount = 41;
    v.wireArray->resize(41);
    CVLine back;
    EXPECT_THROW(LoadBytes(back, StoreBytes(v)), ArchiveError);
}

TEST_F(Lines, CableLineRoundTripsAndForms)
{
    for (auto [c, p] : {std::pair{1, 0}, std::pair{4, 0}, std::pair{13, 0}, std::pair{2, 1}}) {
        CKLine k = MakeKLine(c, p);
        ExpectRoundTrip(k);
        Bytes b = StoreBytes(k);
        std::size_t pairs = p == 1 ? 3 : 3 * std::size_t(c);
        EXPECT_EQ(b.size(), 32 + 3 + 4 + StoreBytes(k.pipeCable).size() + StoreBytes(k.solidCable).size() +
                                16 * pairs);
    }
}

TEST_F(Lines, CableLineVersion0ReadsSixPairs)
{
    CKLine k = MakeKLine(1);
    Fixture f;
    f.d(100.0).d(0.1).d(200.0).d(900.0);
    for (int i = 0; i < 6; ++i)
        f.d(0.5 * i);
    for (int i = 0; i < 6; ++i)
        f.d(1.0 + i);
    f.B(1).B(0).B(3).D(-1).Item(k.pipeCable).Item(k.solidCable);
    g_nTaskVersion = 0;
    CKLine v0;
    LoadBytes(v0, f.bytes());
    EXPECT_EQ(v0.length, 900.0);
    EXPECT_EQ(v0.x[5], 2.5);
    EXPECT_EQ(v0.y[5], 6.0);
    EXPECT_EQ(v0.circuits, 1);
    EXPECT_EQ(v0.solidCable.Compare(k.solidCable), 2);
    // Written back in the current form: three pairs for one circuit.
    g_nTaskVersion = 6;
    CKLine back;
    LoadBytes(back, StoreBytes(v0));
    EXPECT_EQ(back.x[2], 1.0);
    EXPECT_EQ(back.x[5], 0.0);
}

TEST_F(Lines, CableLineIsSame)
{
    CKLine a = MakeKLine(2, 1), b = MakeKLine(2, 1);
    b.x[3] = 99.0;  // beyond the three cables of a pipe
    EXPECT_EQ(a.IsSame(b), 2);
    b.length = 3000.0;
    EXPECT_EQ(a.IsSame(b), 1);
    b.x[0] = 7.0;
    EXPECT_EQ(a.IsSame(b), 0);
    CKLine c = MakeKLine(2), d = MakeKLine(2);
    d.x[5] = 1.0;
    EXPECT_EQ(c.IsSame(d), 0);
    d = MakeKLine(2);
    d.rho *= 1.000001;
    EXPECT_EQ(c.IsSame(d), 2);
    CKLine copy;
    copy.Copy(c);
    EXPECT_EQ(c.IsSame(copy), 2);
}

TEST_F(Lines, DamagedCableLines)
{
    CKLine k = MakeKLine(3);
    ExpectEveryPrefixThrows<CKLine>(StoreBytes(k));
    Bytes b = StoreBytes(k);
    b[32] = 14;  // circuits: 42 cables would not fit the 40 coordinates
    CKLine back;
    EXPECT_THROW(LoadBytes(back, b), ArchiveError);
}

}  // namespace
