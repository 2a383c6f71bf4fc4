#include "calc/couplingfilter.h"
#include "calctest.h"

#include <string>

using namespace calctest;

namespace {

class CouplingFilterTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCalcGlobals(); }
    void TearDown() override { ResetCalcGlobals(); }
};

// A filter of the given type with every part present and distinct values.
CFiltr FullFilter(int type)
{
    CFiltr f;
    f.name = "Ф" + std::to_string(type + 1);
    f.type = std::uint8_t(type);
    f.nC = CFiltr::kCapCount[type];
    f.nL = CFiltr::kIndCount[type];
    for (int i = 0; i < CFiltr::kMaxParts; ++i) {
        f.C[i] = i < f.nC ? (1.0 + 0.7 * i) * 1e-9 : 0.0;
        f.L[i] = i < f.nL ? (1.0 + 0.4 * i) * 1e-3 : 0.0;
    }
    f.R = type == 3 ? 12.0 : 0.0;
    f.ratio = 0.85;
    if (type == 6)
        for (int i = 0; i < 5; ++i)
            f.resistors[i] = 3.0 + i;
    return f;
}

// The same filter with every optional part absent (0): only what the scheme
// divides by stays.
CFiltr SparseFilter(int type)
{
    CFiltr f = FullFilter(type);
    CFiltr keep;
    keep.name = f.name;
    keep.type = f.type;
    keep.nC = f.nC;
    keep.nL = f.nL;
    keep.ratio = f.ratio;
    switch (type) {
    case 0: keep.L[0] = f.L[0], keep.L[1] = f.L[1]; break;
    case 1: keep.C[0] = f.C[0], keep.L[0] = f.L[0], keep.L[1] = f.L[1]; break;
    case 2: keep.C[0] = f.C[0], keep.L[2] = f.L[2], keep.L[3] = f.L[3]; break;
    case 3: break;
    case 4: keep.C[0] = f.C[0], keep.C[1] = f.C[1], keep.L[0] = f.L[0]; break;
    case 5: keep.C[0] = f.C[0], keep.L[0] = f.L[0], keep.L[1] = f.L[1]; break;
    case 6: keep.C[0] = f.C[0], keep.resistors[0] = f.resistors[0]; break;
    }
    return keep;
}

double DetError(const ChainMatrix& T)
{
    double scale = Abs(T.A * T.D) + Abs(T.B * T.C) + 1.0;
    return Abs(Det(T) - CComplex(1, 0)) / scale;
}

TEST_F(CouplingFilterTest, EveryTypeIsReciprocal)
{
    for (int type = 0; type < CFiltr::kTypes; ++type)
        for (const CFiltr& f : {FullFilter(type), SparseFilter(type)})
            for (double freq : {20e3, 95e3, 400e3, 1e6})
                for (std::uint8_t pol : {0, 1}) {
                    SetFrequency(freq);
                    ChainMatrix F1, F2;
                    CalcFiltrMatrices(F1, F2, f, pol);
                    EXPECT_LT(DetError(F1 * F2), 1e-12) << "type " << type << " f " << freq;
                    EXPECT_TRUE(CheckFiltrValues(f).empty()) << CheckFiltrValues(f);
                }
}

TEST_F(CouplingFilterTest, PolarityReversesWindingOnlyWhereTheSchemeHasOne)
{
    SetFrequency(150e3);
    for (int type = 0; type < CFiltr::kTypes; ++type) {
        CFiltr f = FullFilter(type);
        ChainMatrix a1, a2, b1, b2;
        CalcFiltrMatrices(a1, a2, f, 0);
        CalcFiltrMatrices(b1, b2, f, 7);
        double sign = (type == 4 || type == 6) ? 1.0 : -1.0;
        EXPECT_CX_EQ_TOL(b1.A, sign * a1.A, 0);
        EXPECT_CX_EQ_TOL(b1.B, sign * a1.B, 0);
        EXPECT_CX_EQ_TOL(b1.C, sign * a1.C, 0);
        EXPECT_CX_EQ_TOL(b1.D, sign * a1.D, 0);
        EXPECT_CX_EQ_TOL(b2.A, a2.A, 0);
        EXPECT_CX_EQ_TOL(b2.D, a2.D, 0);
    }
}

TEST_F(CouplingFilterTest, CoupledCoilsAreTheirTEquivalent)
{
    // Coils La, Lb with mutual inductance M are the T of La - M, M to ground
    // and Lb - M; a type-0 filter with nothing but its coils is exactly that.
    SetFrequency(120e3);
    CFiltr f;
    f.type = 0;
    f.L[0] = 2e-3;
    f.L[1] = 0.5e-3;
    f.ratio = 0.6;
    double M = f.ratio * std::sqrt(f.L[0] * f.L[1]);
    ChainMatrix F1, F2;
    CalcFiltrMatrices(F1, F2, f, 0);
    ChainMatrix T = F1 * F2;
    ChainMatrix tee = ChainSeries(g_jOmega * (f.L[0] - M)) * ChainShunt(1.0 / (g_jOmega * M)) *
                      ChainSeries(g_jOmega * (f.L[1] - M));
    EXPECT_CX_EQ_TOL(T.A, tee.A, 1e-12);
    EXPECT_CX_EQ_TOL(T.B, tee.B, 1e-12 * Abs(tee.B));
    EXPECT_CX_EQ_TOL(T.C, tee.C, 1e-12 * Abs(tee.C));
    EXPECT_CX_EQ_TOL(T.D, tee.D, 1e-12);

    // Tight coupling of equal coils: a 1:1 transformer with its magnetising
    // inductance across the line.
    f.L[1] = f.L[0];
    f.ratio = 1.0;
    CalcFiltrMatrices(F1, F2, f, 0);
    T = F1 * F2;
    EXPECT_CX_EQ_TOL(T.A, CComplex(1, 0), 1e-15);
    EXPECT_CX_EQ_TOL(T.B, CComplex(), 1e-15);
    EXPECT_CX_EQ_TOL(T.C, 1.0 / (g_jOmega * f.L[0]), 1e-15);
    EXPECT_CX_EQ_TOL(T.D, CComplex(1, 0), 1e-15);
}

TEST_F(CouplingFilterTest, HfCable)
{
    SetFrequency(100e3);
    // A lossless cable of a quarter wavelength turns a load ZL into Zc^2/ZL.
    double v = 2e8, Zc = 75, l = v / 100e3 / 4;
    ChainMatrix K = CalcHfCableMatrix(0.0, v, Zc, l);
    EXPECT_LT(DetError(K), 1e-12);
    CComplex ZL(300, 0);
    CComplex Zin = (K.A * ZL + K.B) / (K.C * ZL + K.D);
    EXPECT_CX_EQ_TOL(Zin, CComplex(Zc * Zc / 300, 0), 1e-6);

    // Attenuation a dB/(m*sqrt(kHz)) over l m at 100 kHz: a*l*10 dB when matched.
    CProvod cable;
    cable.radius = 1e-3;  // attenuation
    cable.twist = 2e8;    // speed
    cable.resistivity = 75;
    K = CalcHfCableMatrix(cable, 500);
    CComplex V1 = K.A * Zc + K.B;  // V2 = Zc*I2, I2 = 1
    double dB = 20 * std::log10(Abs(V1) / Zc);
    EXPECT_NEAR(dB, 1e-3 * 500 * std::sqrt(100.0) * 0.115 / (std::log(10.0) / 20), 1e-9);

    // Without length the cable is a through connection, even without data.
    K = CalcHfCableMatrix(CProvod(), 0.0);
    EXPECT_CX_EQ_TOL(K.A, CComplex(1, 0), 0);
    EXPECT_CX_EQ_TOL(K.B, CComplex(), 0);
    EXPECT_CX_EQ_TOL(K.C, CComplex(), 0);
    EXPECT_TRUE(CheckHfCableValues(CProvod(), 0.0).empty());
    EXPECT_NE(CheckHfCableValues(CProvod(), 10.0).find("волновое сопротивление"), std::string::npos);
    EXPECT_TRUE(CheckHfCableValues(cable, 10.0).empty());
}

TEST_F(CouplingFilterTest, MissingRequiredValuesAreRefused)
{
    struct Case {
        int type;
        void (*spoil)(CFiltr&);
        const char* expect;
    };
    const Case cases[] = {
        {0, [](CFiltr& f) { f.L[1] = 0; }, "L2"},
        {1, [](CFiltr& f) { f.C[0] = 0; }, "C1"},
        {2, [](CFiltr& f) { f.C[0] = 0; }, "C1"},
        {2, [](CFiltr& f) { f.L[3] = 0; }, "L4"},
        {3, [](CFiltr& f) { f.ratio = 0; }, "коэффициент трансформации"},
        {4, [](CFiltr& f) { f.L[0] = 0, f.C[1] = 0; }, "C2, L1"},
        {5, [](CFiltr& f) { f.C[0] = -1; }, "C1"},
        {6, [](CFiltr& f) { f.resistors[0] = 0, f.L[0] = 0; }, "R1 или L1"},
        {0, [](CFiltr& f) { f.ratio = 0; }, "коэффициент связи"},
    };
    for (const Case& c : cases) {
        CFiltr f = SparseFilter(c.type);
        f.name = "ФП-1";
        c.spoil(f);
        std::string reason = CheckFiltrValues(f);
        EXPECT_NE(reason.find(c.expect), std::string::npos) << reason;
        EXPECT_EQ(reason.rfind("Фильтр присоединения \"ФП-1\" (тип " + std::to_string(c.type + 1) + ")", 0), 0u)
            << reason;
    }
    // A type-6 filter with R1 alone or L1 alone is calculable.
    CFiltr f = SparseFilter(6);
    f.resistors[0] = 0;
    f.L[0] = 1e-3;
    EXPECT_TRUE(CheckFiltrValues(f).empty());
}

} // namespace
