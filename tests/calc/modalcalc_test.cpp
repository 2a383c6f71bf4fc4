#include "calc/cableline.h"
#include "calc/linesection.h"
#include "calc/modalcalc.h"
#include "calctest.h"
#include "math/mirror.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/modelglobals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace calctest;

namespace {

// An overhead line element of single wires at the tower points (x, y).
CElement OverheadElement(const std::vector<double>& x, const std::vector<double>& y)
{
    CElement e;
    e.type = kOverheadLine;
    e.wirePositions = static_cast<std::uint8_t>(x.size());
    e.data = std::make_unique<CVLine>(MakeVLine(x, y));
    return e;
}

// A cable line element of the given layout and circuits, 1.5 km long.
CElement CableElement(int circuits, bool pipe)
{
    CElement e;
    e.type = kCableLine;
    auto line = std::make_unique<CKLine>(pipe ? MakePipeKLine(circuits, 1500) : MakeSolidKLine(circuits, 1500));
    e.wirePositions = static_cast<std::uint8_t>(KLineModalOrder(*line));
    e.data = std::move(line);
    return e;
}

class ModalCalcTest : public LineCalcTest {
protected:

    static std::unique_ptr<CRezMod> Calc(CElement& e, double kHz = 100)
    {
        ModalCalcOutcome o = CalcModalParameters(e, 2, kHz, false, "08.12.26 10:15");
        EXPECT_EQ(o.status, ModalCalcStatus::Done) << o.message;
        return std::move(o.result);
    }
};

TEST_F(ModalCalcTest, OrderOfEveryKind)
{
    CElement overhead = OverheadElement({-4, 0, 4, -2, 2}, {17, 19, 17, 24, 24});
    EXPECT_EQ(ModalOrder(overhead), 5);
    CElement pipe = CableElement(2, true), solid = CableElement(2, false), one = CableElement(1, false);
    EXPECT_EQ(ModalOrder(pipe), 6);
    EXPECT_EQ(ModalOrder(solid), 12);
    EXPECT_EQ(ModalOrder(one), 6);

    for (CElement* e : {&overhead, &pipe, &solid}) {
        std::unique_ptr<CRezMod> r = Calc(*e);
        ASSERT_TRUE(r);
        const std::size_t m = static_cast<std::size_t>(ModalOrder(*e));
        EXPECT_EQ(r->m, m);
        EXPECT_EQ(r->V.size(), m * m);
        EXPECT_EQ(r->U.size(), m * m);
        EXPECT_EQ(r->gamma.size(), m);
        EXPECT_EQ(r->y.size(), m);
        EXPECT_EQ(r->name, "08.12.26 10:15");
        EXPECT_EQ(r->position, 2);
        EXPECT_DOUBLE_EQ(r->freq, 100000.0);
        // Every mode is damped on these lossy lines and travels forward.
        for (std::size_t k = 0; k < m; ++k) {
            EXPECT_GT(r->gamma[k].re, 0) << k;
            EXPECT_GT(r->gamma[k].im, 0) << k;
        }
    }
    EXPECT_EQ(g_bModalMode, 1);
}

TEST_F(ModalCalcTest, SymmetricTwoWireLineHasTheEvenAndOddModes)
{
    CElement e = OverheadElement({-3, 3}, {18, 18});
    std::unique_ptr<CRezMod> r = Calc(e, 250);
    ASSERT_TRUE(r);
    // Columns normalised to 1 in row 0: (1, 1) and (1, -1) in some order.
    int even = 0, odd = 0;
    for (int k = 0; k < 2; ++k) {
        EXPECT_NEAR(Abs(r->V[k] - CComplex(1, 0)), 0, 1e-9);
        EXPECT_NEAR(Abs(r->U[k] - CComplex(1, 0)), 0, 1e-9);
        const CComplex second = r->V[2 + k];
        if (Abs(second - CComplex(1, 0)) < 1e-9)
            ++even;
        if (Abs(second + CComplex(1, 0)) < 1e-9)
            ++odd;
        EXPECT_NEAR(Abs(r->U[2 + k] - second), 0, 1e-9);
    }
    EXPECT_EQ(even, 1);
    EXPECT_EQ(odd, 1);
}

TEST_F(ModalCalcTest, WithoutCorrectionsEveryModeTravelsAtTheSpeedOfLight)
{
    SetFrequency(3e5);
    LineMatrices m = MakeLine({-6, 0, 6, 0}, {17, 17, 17, 25});
    std::fill(m.E.begin(), m.E.end(), g_CZero);
    TwoPortStorage s(m.n);
    g_bModalMode = 1;
    CalcLineSection(m.E.data(), m.B.data(), s.blocks(), m.n, 5000, false);
    ASSERT_EQ(g_MatError, 0);
    const CComplex expected(0, g_jOmega.im / 300000000.0);
    for (int k = 0; k < m.n; ++k)
        EXPECT_LT(Abs(s.blocks().Y2[k] - expected), 1e-12 * expected.im) << k;
}

TEST_F(ModalCalcTest, SingleWireLineKeepsItsWaveImpedance)
{
    // One wire 17 m over earth of 100 ohm*m: about 60*ln(2h/r) plus the earth's share.
    CElement e = OverheadElement({0.0}, {17.0});
    std::unique_ptr<CRezMod> r = Calc(e);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->y.size(), 1u);
    const double zc = 1.0 / Abs(r->y[0]);
    EXPECT_GT(zc, 450.0);
    EXPECT_LT(zc, 560.0);

    // With sagging wires the span is rescaled from its pieces: on towers that
    // hardly load the line the one mode keeps nearly the same admittance.
    CVLine& line = *e.Data<CVLine>();
    MakeTowerInfluence(line, 1, 10);
    line.inhomogeneity = 2;
    line.matrix.res = {1e9};
    line.matrix.cap = {1e-18};
    std::unique_ptr<CRezMod> sag = Calc(e);
    ASSERT_TRUE(sag);
    EXPECT_NEAR(Abs(sag->y[0]) * zc, 1.0, 0.01);
}

TEST_F(ModalCalcTest, SingularCaseStoresNothing)
{
    // A cable whose insulation has next to no permittivity: its shunt
    // admittance matrix is below the pivot limit and cannot be inverted.
    CElement e = CableElement(1, false);
    e.Data<CKLine>()->solidCable.epsInner = 1e-45;
    e.Data<CKLine>()->solidCable.epsOuter = 1e-45;
    ModalCalcOutcome o = CalcModalParameters(e, 2, 100, false, "08.12.26 10:15");
    EXPECT_EQ(o.status, ModalCalcStatus::MatrixError);
    EXPECT_EQ(o.message, "Ошибка при расчетах матриц элемента N 3.\nРасчет прекращен.");
    EXPECT_FALSE(o.result);

    // The flag left by that failure does not spoil the next calculation.
    ASSERT_EQ(g_MatError, 2);
    CElement good = CableElement(1, false);
    EXPECT_TRUE(Calc(good));
}

TEST_F(ModalCalcTest, RefusedInputs)
{
    CElement e = CableElement(1, true);
    ModalCalcOutcome o;
    // Below the smallest frequency, or beyond a double in rad/s.
    for (double kHz : {0.0005, 1e305}) {
        o = CalcModalParameters(e, 0, kHz, false, "x");
        EXPECT_EQ(o.status, ModalCalcStatus::NoFrequency) << kHz;
        EXPECT_EQ(o.message, "Задайте расчетную частоту!");
        EXPECT_FALSE(o.result);
        EXPECT_EQ(g_bModalMode, 0);
    }

    e.Data<CKLine>()->pipeRadius = 0;
    o = CalcModalParameters(e, 0, 100, false, "x");
    EXPECT_EQ(o.status, ModalCalcStatus::BadData);
    EXPECT_EQ(o.message, "Ошибка в данных элемента N 1:\nне задан внутренний диаметр трубы.\nРасчет невозможен.");
    EXPECT_FALSE(o.result);

    CElement shunt;
    shunt.type = kShuntImpedance;
    EXPECT_EQ(ModalOrder(shunt), 0);
    EXPECT_EQ(CalcModalParameters(shunt, 0, 100, false, "x").status, ModalCalcStatus::BadData);
}

} // namespace
