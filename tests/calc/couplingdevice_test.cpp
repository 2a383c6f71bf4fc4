#include "calc/couplingdevice.h"
#include "calc/couplingfilter.h"
#include "calctest.h"
#include "math/twoport.h"

using namespace calctest;

namespace {

class CouplingDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetCalcGlobals();
        SetFrequency(120e3);
    }
    void TearDown() override { ResetCalcGlobals(); }
};

CPrisoed Device(int wire, int filterType, std::uint8_t polarity = 0)
{
    CPrisoed p;
    p.wire = std::uint8_t(wire);
    p.polarity = polarity;
    p.r = 75, p.l = 1e-6, p.c = 100e-12;
    p.cableLength = 300;
    CFiltr& f = p.filter;
    f.name = "ФП";
    f.type = std::uint8_t(filterType);
    for (int i = 0; i < CFiltr::kMaxParts; ++i)
        f.C[i] = (2.0 + i) * 1e-9, f.L[i] = (0.5 + 0.3 * i) * 1e-3;
    f.R = 5;
    f.ratio = 0.9;
    for (double& r : f.resistors)
        r = 4;
    p.cable.name = "РК-75";
    p.cable.radius = 2e-4;  // attenuation, dB/(m*sqrt(kHz))
    p.cable.twist = 2e8;    // wave speed, m/s
    p.cable.resistivity = 75;
    return p;
}

TEST_F(CouplingDeviceTest, EndDevicesPassTheOtherWiresStraight)
{
    const int n = 4;
    CUpr upr;
    upr.devices = {Device(1, 0), Device(3, 5, 1)};
    for (int position : {kUprFirst, kUprLast}) {
        TwoPortStorage t(n);
        CalcUprMatrices(upr, n, t.blocks(), position);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const int k = i * n + j;
                const bool link = i == j && i != 1 && i != 3;
                if (i == j && !link)
                    continue;  // a device wire
                EXPECT_CX_EQ_TOL(t.blocks().Y0[k], CComplex(link ? 100 : 0, 0), 0);
                EXPECT_CX_EQ_TOL(t.blocks().Y1[k], CComplex(link ? -100 : 0, 0), 0);
                EXPECT_CX_EQ_TOL(t.blocks().Y2[k], CComplex(link ? -100 : 0, 0), 0);
            }
        // The device wire holds the device's chain, turned for the end.
        ChainMatrix T = CalcPrisoedChain(upr.devices[0]);
        const int d = 1 * n + 1;
        if (position == kUprLast) {
            EXPECT_CX_EQ_TOL(t.blocks().Y0[d], T.D / T.B, 1e-15);
            EXPECT_CX_EQ_TOL(t.blocks().Y2[d], -(T.A / T.B), 1e-15);
        } else {
            EXPECT_CX_EQ_TOL(t.blocks().Y0[d], T.A / T.B, 1e-15);
            EXPECT_CX_EQ_TOL(t.blocks().Y2[d], -(T.D / T.B), 1e-15);
        }
        EXPECT_CX_EQ_TOL(t.blocks().Y1[d], -(1.0 / T.B), 1e-15);
    }
}

TEST_F(CouplingDeviceTest, InnerDeviceIsTheLastDeviceClosedByItsLoad)
{
    // The inner position gives the input admittance that the last position's
    // two-port shows when its equipment port is closed by the load.
    const int n = 3;
    CUpr upr;
    for (int type = 0; type < CFiltr::kTypes; ++type) {
        upr.devices = {Device(2, type, std::uint8_t(type % 2))};
        TwoPortStorage last(n), inner(n);
        CalcUprMatrices(upr, n, last.blocks(), kUprLast);
        CalcUprMatrices(upr, n, inner.blocks(), kUprInner);
        std::vector<CComplex> load(n * n), input(n * n);
        BuildCouplingShunt(upr, n, load.data());
        TwoPortInputMatrix(last.blocks(), load.data(), input.data(), n);
        for (int k = 0; k < n * n; ++k)
            EXPECT_CX_EQ_TOL(inner.blocks().Y0[k], input[k], 1e-9 * (Abs(input[k]) + 1e-6)) << "type " << type << " at " << k;
    }
}

TEST_F(CouplingDeviceTest, Loads)
{
    const CComplex jw = g_jOmega;
    CUpr upr;
    CPrisoed cap = Device(0, 3);
    cap.r = 0, cap.l = 0, cap.c = 5e-9;  // a pure capacitance at the end of the cable
    CPrisoed open = Device(2, 3);
    open.r = open.l = open.c = 0;
    upr.devices = {cap, open};
    std::vector<CComplex> Y(9);
    BuildCouplingShunt(upr, 3, Y.data());
    EXPECT_CX_EQ_TOL(Y[0], jw * 5e-9, 0);
    EXPECT_CX_EQ_TOL(Y[4], CComplex(), 0);
    EXPECT_CX_EQ_TOL(Y[8], CComplex(), 0);

    // An inner device with an open load shows its chain's C/A, the limit of a
    // vanishing load.
    TwoPortStorage t(3);
    CalcUprMatrices(upr, 3, t.blocks(), kUprInner);
    ChainMatrix T = CalcPrisoedChain(open);
    EXPECT_CX_EQ_TOL(t.blocks().Y0[8], T.C / T.A, 0);
    CUpr tiny;
    tiny.devices = {open};
    tiny.devices[0].c = 1e-22;
    TwoPortStorage u(3);
    CalcUprMatrices(tiny, 3, u.blocks(), kUprInner);
    EXPECT_CX_EQ_TOL(u.blocks().Y0[8], t.blocks().Y0[8], 1e-9 * Abs(t.blocks().Y0[8]));
}

TEST_F(CouplingDeviceTest, EndBlocksArePassiveAndPolarityOnlyTurnsTheTransfer)
{
    const int n = 2;
    for (int type = 0; type < CFiltr::kTypes; ++type)
        for (double f : {40e3, 250e3}) {
            SetFrequency(f);
            CUpr a, b;
            a.devices = {Device(0, type, 0)};
            b.devices = {Device(0, type, 1)};
            TwoPortStorage ta(n), tb(n);
            CalcUprMatrices(a, n, ta.blocks(), kUprLast);
            CalcUprMatrices(b, n, tb.blocks(), kUprLast);
            const double sign = (type == 4 || type == 6) ? 1.0 : -1.0;
            EXPECT_CX_EQ_TOL(tb.blocks().Y1[0], sign * ta.blocks().Y1[0], 1e-12 * Abs(ta.blocks().Y1[0]));
            EXPECT_CX_EQ_TOL(tb.blocks().Y0[0], ta.blocks().Y0[0], 1e-12 * Abs(ta.blocks().Y0[0]));

            // [[Y0, Y1], [Y1^T, -Y2]] of the device wire: lossy cable, passive parts.
            std::vector<CComplex> full = {ta.blocks().Y0[0], ta.blocks().Y1[0], ta.blocks().Y1[0], -ta.blocks().Y2[0]};
            EXPECT_TRUE(IsHermitianPartPsd(full, 2, 1e-7)) << "type " << type << " f " << f;
        }
}

} // namespace
