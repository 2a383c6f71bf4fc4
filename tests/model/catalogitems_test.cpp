#include "model/catalogitems.h"
#include "modeltest.h"

#include <cmath>

namespace {

TEST(CatalogCompare, WireToleranceIsRelative)
{
    CProvod a = MakeWire("АС-300", 0.012);
    CProvod b = a;
    b.radius = 0.012 * (1 + 1e-6);
    EXPECT_EQ(a.Compare(b), 2);
    b.radius = 0.012 * (1 + 2e-5);
    EXPECT_EQ(a.Compare(b), 1);
    b = a;
    b.resistivity *= 1.001;
    EXPECT_EQ(a.Compare(b), 1);
    b = a;
    b.name = "АС-240";
    EXPECT_EQ(a.Compare(b), 0);
    b.name = "ас-300";  // names are case-sensitive
    EXPECT_EQ(a.Compare(b), 0);
}

TEST(CatalogCompare, AbsoluteTolerancesOfPipeCableAndTower)
{
    CKabTr a, b;
    a.name = b.name = "K";
    a.coreRadius = 0.5;
    b.coreRadius = 0.5 + 0.5e-4;
    EXPECT_EQ(a.Compare(b), 2);
    b.coreRadius = 0.5 + 2e-4;
    EXPECT_EQ(a.Compare(b), 1);

    // A tower point that moved by exactly 1e-4 m is the same point.
    COpora t = MakeTower("П-110", {{0.0, 20.0}, {4.0, 20.0}});
    COpora u = t;
    u.y[1] = 20.0;
    u.x[1] = 4.0 + 0.5e-4;
    EXPECT_EQ(t.Compare(u), 2);
    u.x[1] = 4.001;
    EXPECT_EQ(t.Compare(u), 1);
    COpora v = MakeTower("П-110", {{0.0, 20.0}});
    EXPECT_EQ(t.Compare(v), 0);  // other point count: not comparable
    COpora e1, e2;
    EXPECT_EQ(e1.Compare(e2), 2);
}

// A value that is no finite number (a damaged or imported catalog may hold
// one) equals itself alone, so the catalog check asks about it once.
TEST(CatalogCompare, AValueThatIsNoNumberEqualsItselfAlone)
{
    const double nan = std::nan("");
    CProvod a = MakeWire("АС 120/19", 0.0076), b = a;
    a.resistivity = b.resistivity = nan;
    EXPECT_EQ(a.Compare(b), 2);
    a.resistivity = b.resistivity = HUGE_VAL;
    EXPECT_EQ(a.Compare(b), 2);
    b.resistivity = 2.8e-8;
    EXPECT_EQ(a.Compare(b), 1);
    CKabTr p, q;  // compared within an absolute tolerance, as the tower
    p.name = q.name = "K";
    p.coreRadius = q.coreRadius = nan;
    EXPECT_EQ(p.Compare(q), 2);
    q.coreRadius = 0.5;
    EXPECT_EQ(p.Compare(q), 1);
}

TEST(CatalogCompare, FilterRules)
{
    CFiltr a = MakeFilter("ФП-1", 3);
    CFiltr b = a;
    b.ratio = 7.0;  // the ratio takes no part
    EXPECT_EQ(a.Compare(b), 2);
    b = a;
    b.type = 2;
    EXPECT_EQ(a.Compare(b), 0);
    b = a;
    b.R = 13.0;  // R counts for type 3 only
    EXPECT_EQ(a.Compare(b), 1);
    CFiltr c = MakeFilter("ФП-2", 0);
    CFiltr d = c;
    d.R = 99.0;
    EXPECT_EQ(c.Compare(d), 2);
    // Capacitances are compared over the larger count.
    d = c;
    d.nC = 4;
    d.C[3] = 1e-9;
    EXPECT_EQ(c.Compare(d), 1);
    // Type 6 compares R1..R5.
    CFiltr e = MakeFilter("ФП-7", 6);
    CFiltr f = e;
    f.resistors[4] *= 2;
    EXPECT_EQ(e.Compare(f), 1);
}

TEST(CatalogCompare, TrapRules)
{
    CZagrad a = MakeTrap("ВЗ-630", 0);
    CZagrad b = a;
    b.scheme = 1;
    EXPECT_EQ(a.Compare(b), 1);  // another scheme is still the same trap name
    b = a;
    b.L4 = 5e-3;
    EXPECT_EQ(a.Compare(b), 2);  // L4 belongs to scheme 2 only
    a.scheme = b.scheme = 2;
    EXPECT_EQ(a.Compare(b), 1);
}

TEST(CatalogCompare, MatrixRules)
{
    CMatrix a = MakeMatrix("М", 3);
    CMatrix b;
    b.Copy(a);
    EXPECT_EQ(a.Compare(b), 2);
    b.res[2] += 1.0;
    EXPECT_EQ(a.Compare(b), 1);
    CMatrix c = MakeMatrix("М", 2);
    EXPECT_EQ(a.Compare(c), 0);
}

TEST(CatalogRecords, TrapCurrentFormLayout)
{
    CZagrad z = MakeTrap("Z", 2);
    Bytes expected = Fixture()
                         .S("Z")
                         .d(-1.0)
                         .d(z.C2).d(z.C3).d(z.L1).d(z.L2).d(z.L3).d(z.R)
                         .B(2)
                         .d(z.C1).d(z.L4)
                         .bytes();
    EXPECT_EQ(StoreBytes(z), expected);
    CZagrad back;
    LoadBytes(back, expected);
    EXPECT_EQ(z.Compare(back), 2);
    EXPECT_EQ(back.C1, z.C1);
    EXPECT_EQ(back.L4, z.L4);
}

TEST(CatalogRecords, TrapOlderFormIsConverted)
{
    // First double a capacitance: the older form of seven doubles.
    Bytes old = Fixture().S("Old").d(12e-12).d(1e-9).d(0).d(2e-4).d(0).d(0).d(-50.0).bytes();
    CZagrad z;
    z.L4 = 3e-3;  // kept: the older form has no L4
    LoadBytes(z, old);
    EXPECT_EQ(z.C1, 12e-12);
    EXPECT_EQ(z.R, 50.0);
    EXPECT_EQ(z.scheme, 1);
    EXPECT_EQ(z.L4, 3e-3);

    Bytes scheme0 = Fixture().S("Old").d(12e-12).dn(5, 0.0).d(50.0).bytes();
    CZagrad y;
    LoadBytes(y, scheme0);
    EXPECT_EQ(y.scheme, 0);
    EXPECT_EQ(y.R, 50.0);

    // Stored back in the current form, and it reads as that.
    Bytes current = StoreBytes(z);
    EXPECT_EQ(current.size(), old.size() + 1 + 8 + 8);
    CZagrad again;
    LoadBytes(again, current);
    EXPECT_EQ(again.Compare(z), 2);
    EXPECT_EQ(again.C1, 12e-12);
}

TEST(CatalogRecords, FilterLayoutByType)
{
    for (int type = 0; type < CFiltr::kTypes; ++type) {
        CFiltr f = MakeFilter("F", type);
        Bytes b = StoreBytes(f);
        std::size_t expected = 2 + 3 + 16 + 8 * (f.nC + f.nL) + (type == 6 ? 40 : 0);
        EXPECT_EQ(b.size(), expected) << type;
        CFiltr back;
        LoadBytes(back, b);
        EXPECT_EQ(f.Compare(back), 2);
        EXPECT_EQ(back.ratio, f.ratio);
    }
    // ratio before R in the record
    CFiltr f = MakeFilter("F", 4);
    Bytes b = StoreBytes(f);
    EXPECT_EQ(b, Fixture().S("F").B(4).B(2).B(1).d(2.5).d(0.0).d(1e-9).d(2e-9).d(1e-3).bytes());
}

TEST(CatalogRecords, DamagedFilterIsRefused)
{
    // Seven capacitances would overrun the six the filter holds.
    Bytes tooMany = Fixture().S("F").B(0).B(7).B(3).dn(2 + 10, 1.0).bytes();
    CFiltr f;
    EXPECT_THROW(LoadBytes(f, tooMany), ArchiveError);
    Bytes tooManyL = Fixture().S("F").B(0).B(3).B(9).dn(2 + 12, 1.0).bytes();
    EXPECT_THROW(LoadBytes(f, tooManyL), ArchiveError);
    // A type above 6 would index past the seven filter lists.
    Bytes badType = Fixture().S("F").B(7).B(3).B(3).dn(2 + 6, 1.0).bytes();
    EXPECT_THROW(LoadBytes(f, badType), ArchiveError);
}

TEST(CatalogRecords, EmptyMatrixAndTower)
{
    CMatrix m;
    m.name = "M0";
    EXPECT_EQ(StoreBytes(m), Fixture().S("M0").B(0).bytes());
    CMatrix back = MakeMatrix("x", 2);
    LoadBytes(back, StoreBytes(m));
    EXPECT_EQ(back.n, 0);
    EXPECT_TRUE(back.cap.empty());
    EXPECT_TRUE(back.res.empty());

    // Absent arrays of a matrix with an order are written as zeros.
    CMatrix bare;
    bare.name = "B";
    bare.n = 2;
    EXPECT_EQ(StoreBytes(bare), Fixture().S("B").B(2).dn(3 + 2, 0.0).bytes());

    COpora t = MakeTower("T", {{1.0, 2.0}, {3.0, 4.0}});
    EXPECT_EQ(StoreBytes(t), Fixture().S("T").B(2).d(1.0).d(2.0).d(3.0).d(4.0).bytes());
}

TEST(CatalogRecords, EveryItemRoundTrips)
{
    CProvod w = MakeWire("АС-95/16", 0.00675);
    CKabTv k = MakeSolidCable("АПвП 1x240");
    CKabTr p;
    p.name = "Труба";
    p.coreRadius = 0.0125;
    COpora t = MakeTower("У110-2", {{-4.2, 19.0}, {4.2, 19.0}, {0.0, 23.0}, {0.0, 27.5}});
    CMatrix m = MakeMatrix("М4", 4);
    ExpectRoundTrip(w);
    ExpectRoundTrip(k);
    ExpectRoundTrip(p);
    ExpectRoundTrip(t);
    ExpectRoundTrip(m);
    for (int s = 0; s < 3; ++s) {
        CZagrad z = MakeTrap("З", s);
        ExpectRoundTrip(z);
    }
    auto compares2 = [](auto& item) {
        using T = std::remove_reference_t<decltype(item)>;
        T back;
        LoadBytes(back, StoreBytes(item));
        EXPECT_EQ(item.Compare(back), 2) << item.name;
    };
    compares2(w);
    compares2(k);
    compares2(p);
    compares2(t);
    compares2(m);
}

TEST(CatalogCopy, DeepAndIndependent)
{
    COpora t = MakeTower("T", {{1.0, 2.0}, {3.0, 4.0}});
    COpora u;
    u.Copy(t);
    t.x[0] = 99.0;
    EXPECT_EQ(u.x[0], 1.0);
    COpora cc(u);
    EXPECT_EQ(cc.Compare(u), 2);

    CMatrix bare;
    bare.name = "B";
    bare.n = 2;
    CMatrix copy;
    copy.Copy(bare);  // absent source arrays become zeros
    EXPECT_EQ(copy.cap, std::vector<double>(3, 0.0));
    EXPECT_EQ(copy.res, std::vector<double>(2, 0.0));

    CFiltr f = MakeFilter("F", 6);
    CFiltr g;
    g.Copy(f);
    EXPECT_EQ(g.Compare(f), 2);
    EXPECT_EQ(g.ratio, f.ratio);
    g.Clear();
    EXPECT_TRUE(g.name.empty());
    EXPECT_EQ(g.nC, 0);
    EXPECT_EQ(g.resistors[4], 0.0);
}

TEST(CatalogMatrix, PackedIndexFollowsUpperTriangleRows)
{
    // (0,0) (0,1) (0,2) (1,1) (1,2) (2,2)
    EXPECT_EQ(CMatrix::PackedIndex(3, 0, 0), 0u);
    EXPECT_EQ(CMatrix::PackedIndex(3, 0, 2), 2u);
    EXPECT_EQ(CMatrix::PackedIndex(3, 1, 1), 3u);
    EXPECT_EQ(CMatrix::PackedIndex(3, 2, 1), 4u);
    EXPECT_EQ(CMatrix::PackedIndex(3, 2, 2), 5u);
}

TEST(CatalogRecords, TruncatedItemsThrow)
{
    ExpectEveryPrefixThrows<COpora>(Fixture().Item(MakeTower("T", {{1, 2}, {3, 4}})).bytes());
    ExpectEveryPrefixThrows<CFiltr>(Fixture().Item(MakeFilter("F", 6)).bytes());
    ExpectEveryPrefixThrows<CMatrix>(Fixture().Item(MakeMatrix("M", 3)).bytes());
    ExpectEveryPrefixThrows<CZagrad>(Fixture().Item(MakeTrap("Z", 2)).bytes());
    // A tower claiming 255 points in a short file is refused before allocating.
    CMatrix huge;
    Bytes b = Fixture().S("M").B(255).d(1.0).bytes();
    EXPECT_THROW(LoadBytes(huge, b), ArchiveError);
}

}  // namespace
