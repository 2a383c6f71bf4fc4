#include "calc/bypass.h"

#include "calc/blockembed.h"
#include "calc/couplingfilter.h"
#include "calc/linetrap.h"
#include "channeltest.h"
#include "model/element.h"

namespace {

using namespace channeltest;

class BypassTest : public calctest::LineCalcTest {
protected:
    BypassTest() : LineCalcTest(100e3) {}

    // A bypass element over n wires with the given conductor codes.
    CEObhod& Make(int n, int kind, std::vector<int> codes = {})
    {
        element.type = kBypass;
        element.wirePositions = std::uint8_t(n);
        for (int i = 0; i < n; ++i)
            element.inMap[i] = element.outMap[i] = i < int(codes.size()) ? codes[std::size_t(i)] : PhaseCode(i);
        auto d = std::make_unique<CEObhod>();
        d->n = std::uint8_t(n);
        d->kind = std::uint8_t(kind);
        CEObhod& ref = *d;
        element.data = std::move(d);
        return ref;
    }

    CElement element;
};

struct Blocks {
    explicit Blocks(int n) : order(n), storage(n) {}
    TwoPortBlocks b() { return storage.blocks(); }
    CComplex y0(int i, int j) { return b().Y0[i * order + j]; }
    CComplex y1(int i, int j) { return b().Y1[i * order + j]; }
    CComplex y2(int i, int j) { return b().Y2[i * order + j]; }
    int order;
    TwoPortStorage storage;
};

TEST_F(BypassTest, BareBypassInTheFieldIsThreeLinksInSeries)
{
    Make(3, 1);
    Blocks out(3);
    CalcEObhodMatrices(element, out.b());
    ASSERT_EQ(g_MatError, 0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double y = i == j ? 100.0 / 3.0 : 0.0;
            EXPECT_CX_EQ_TOL(out.y0(i, j), CComplex(y, 0), 1e-9);
            EXPECT_CX_EQ_TOL(out.y1(i, j), CComplex(-y, 0), 1e-9);
            EXPECT_CX_EQ_TOL(out.y2(i, j), CComplex(-y, 0), 1e-9);
        }
}

TEST_F(BypassTest, PathOnOneWireAddsItsWholeTwoPortThere)
{
    CObhod o = BypassLine(1, 1);
    o.equipment = 1;
    o.r = 75;  // the channel equipment across the middle
    Blocks t(2);
    ASSERT_TRUE(AddBypassPath(o, 0, t.b(), 2));
    const ChainMatrix T = CalcBypassPathChain(o, 0);
    EXPECT_CX_EQ_TOL(t.y0(1, 1), T.D / T.B, 1e-15);
    EXPECT_CX_EQ_TOL(t.y1(1, 1), -(1.0 / T.B), 1e-15);
    EXPECT_CX_EQ_TOL(t.y2(1, 1), -(T.A / T.B), 1e-15);
    EXPECT_EQ(Abs(t.y0(0, 0)) + Abs(t.y1(0, 1)) + Abs(t.y1(1, 0)), 0.0);

    // Equipment of a capacitance alone is no division by zero.
    o.r = 0;
    o.c = 1e-9;
    EXPECT_TRUE(AddBypassPath(o, 0, t.b(), 2));
    EXPECT_TRUE(BlocksAreFinite(t.b(), 2));
}

TEST_F(BypassTest, PathThatPassesNoSignalIsAMatrixError)
{
    // Plain wires: unit chain matrix, B = 0.
    CObhod o;
    o.filters[0] = o.filters[1] = ResistorFilter(0.0);
    Blocks t(1);
    EXPECT_FALSE(AddBypassPath(o, 0, t.b(), 1));
    EXPECT_EQ(g_MatError, 2);
    EXPECT_EQ(Abs(t.y0(0, 0)), 0.0);
}

TEST_F(BypassTest, BusbarCapacitancesSkipGroundConductorsButKeepTheirPlaces)
{
    // Wires: A, the ground wire, B.
    CEObhod& d = Make(3, 0, {0, 3, 1});
    d.equivalentCapacitance = 2e-9;
    d.triangle = std::vector<double>{1e-10, 2e-10, 3e-10};  // (0,1), (0,2), (1,2)
    const BypassGrounds g = FindBypassGrounds(element, d);
    ASSERT_TRUE(g.any);
    EXPECT_TRUE(g.before[1]);
    std::vector<CComplex> Y(9);
    BuildBusbarShunt(d, g, 3, Y.data());
    const CComplex jw = g_jOmega;
    // Only the pair (0, 2) is kept, with its own value.
    EXPECT_CX_EQ_TOL(Y[0 * 3 + 2], -(jw * 2e-10), 1e-18);
    EXPECT_CX_EQ_TOL(Y[2 * 3 + 0], -(jw * 2e-10), 1e-18);
    EXPECT_EQ(Abs(Y[0 * 3 + 1]) + Abs(Y[1 * 3 + 2]) + Abs(Y[1 * 3 + 1]), 0.0);
    EXPECT_CX_EQ_TOL(Y[0], jw * (2e-9 + 2e-10), 1e-18);
    EXPECT_CX_EQ_TOL(Y[8], jw * (2e-9 + 2e-10), 1e-18);
}

TEST_F(BypassTest, GroundWireIsBrokenAtTheSubstation)
{
    CEObhod& d = Make(2, 0, {0, 3});
    d.equivalentCapacitance = 1e-9;
    Blocks out(2);
    CalcEObhodMatrices(element, out.b());
    ASSERT_EQ(g_MatError, 0);
    // The phase wire passes through the busbars; the ground wire is grounded
    // on both sides and barely passes anything.
    EXPECT_GT(Abs(out.y1(0, 0)), 1.0);
    EXPECT_LT(Abs(out.y1(1, 1)), 1e-5);
    // Seen from before: its trap link of 100 S, then 100 S to the portal earth.
    EXPECT_NEAR(out.y0(1, 1).re, 50.0, 1e-3);
}

TEST_F(BypassTest, SubstationBypassIsPassive)
{
    for (int kind : {0, 2}) {
        CEObhod& d = Make(4, kind, {0, 1, 2, 3});
        d.equivalentCapacitance = 3e-9;
        d.triangle = std::vector<double>(6, 1e-10);
        for (int side = 0; side < 2; ++side)
            for (int w : {0, 2}) {
                CShunt b;
                b.firstWire = b.secondWire = std::uint8_t(w);
                b.trap = LineTrap();
                d.traps[side].branches.push_back(b);
            }
        CObhod a = BypassLine(0, 0), b = BypassLine(2, 2);
        a.equipment = 1;
        a.r = 1000;
        d.lines = {a, b};
        if (kind == 2)
            d.cableInsert = std::make_unique<CKLine>(calctest::MakeSolidKLine(1, 800));
        ASSERT_EQ(CheckBypassElement(element, 5), "") << kind;
        Blocks out(4);
        CalcEObhodMatrices(element, out.b());
        ASSERT_EQ(g_MatError, 0) << kind;
        ASSERT_TRUE(BlocksAreFinite(out.b(), 4));
        EXPECT_TRUE(calctest::IsPassive(out.storage)) << kind;
    }
}

TEST_F(BypassTest, DataThatDoNotFitTheElementAreRefused)
{
    CEObhod& d = Make(3, 0);
    EXPECT_EQ(CheckBypassElement(element, 4), "");
    d.n = 4;
    EXPECT_EQ(CheckBypassElement(element, 4),
              "Ошибка в данных элемента N 4:\nобход задан для 4 проводов, а у элемента 3 проводов.\nРасчет невозможен.");
    d.n = 2;
    d.selectionMode = 1;
    std::fill(std::begin(d.flags), std::end(d.flags), 0);
    d.flags[0] = 1;
    EXPECT_NE(CheckBypassElement(element, 4).find("в обход выбрано 1 проводов вместо 2"), std::string::npos);
    d.flags[2] = 1;
    EXPECT_EQ(CheckBypassElement(element, 4), "");
    d.lines.push_back(BypassLine(0, 2));
    EXPECT_NE(CheckBypassElement(element, 4).find("линия обхода 1"), std::string::npos);
    d.lines.clear();
    CShunt b;
    b.firstWire = 2;
    d.traps[1].branches.push_back(b);
    EXPECT_NE(CheckBypassElement(element, 4).find("заградитель в проводе 3"), std::string::npos);
    d.traps[1].branches.clear();
    d.kind = 2;
    EXPECT_NE(CheckBypassElement(element, 4).find("не задана кабельная вставка"), std::string::npos);
}

} // namespace
