#include "calc/couplingdevice.h"

#include "calc/couplingfilter.h"
#include "calc/simplemodels.h"
#include "math/linecalc.h"
#include "math/matrix.h"

namespace {

const CUpr kNoDevices;

const CUpr& UprData(const CElement& e)
{
    const CUpr* d = e.Data<CUpr>();
    return d ? *d : kNoDevices;
}

} // namespace

ChainMatrix CalcPrisoedChain(const CPrisoed& device)
{
    ChainMatrix F1, F2;
    CalcFiltrMatrices(F1, F2, device.filter, device.polarity);
    return F1 * F2 * CalcHfCableMatrix(device.cable, device.cableLength);
}

CComplex PrisoedLoadAdmittance(const CPrisoed& device)
{
    CComplex y = g_jOmega * device.c;
    if (LoadHasRL(device.r, device.l))
        y += 1.0 / (device.r + g_jOmega * device.l);
    return y;
}

void CalcUprMatrices(const CElement& element, const TwoPortBlocks& out, int position)
{
    CalcUprMatrices(UprData(element), element.wirePositions, out, position);
}

void CalcUprMatrices(const CUpr& data, int n, const TwoPortBlocks& out, int position)
{
    MatZero(out.Y0, n);
    const bool endPosition = position == kUprFirst || position == kUprLast;
    if (endPosition) {
        for (int i = 0; i < n; ++i)
            out.Y0[i * n + i] = 100.0;
        MatNeg(out.Y0, out.Y1, n, n);
        MatNeg(out.Y0, out.Y2, n, n);
    }
    for (const CPrisoed& device : data.devices) {
        const int w = device.wire;
        if (w >= n)
            continue;
        const int d = w * n + w;
        const ChainMatrix T = CalcPrisoedChain(device);
        if (endPosition) {
            // At the transmitter end the equipment side is port 1, so the
            // chain is read from its cable end.
            const ChainAdmittance y = ChainToAdmittance(position == kUprFirst ? ChainReversed(T) : T);
            out.Y0[d] = y.y0;
            out.Y1[d] = y.y1;
            out.Y2[d] = y.y2;
        } else {
            // Input admittance of the chain closed by the load: with the load
            // impedance Zl, (C*Zl + D)/(A*Zl + B); an open load leaves C/A.
            CComplex yl = PrisoedLoadAdmittance(device);
            if (Abs(yl) <= 0) {
                out.Y0[d] = T.C / T.A;
            } else {
                CComplex zl = 1.0 / yl;
                out.Y0[d] = (T.C * zl + T.D) / (T.A * zl + T.B);
            }
        }
    }
}

void BuildCouplingShunt(const CElement& element, CComplex* Y)
{
    BuildCouplingShunt(UprData(element), element.wirePositions, Y);
}

void BuildCouplingShunt(const CUpr& data, int n, CComplex* Y)
{
    MatZero(Y, n);
    for (const CPrisoed& device : data.devices) {
        const int w = device.wire;
        if (w < n)
            Y[w * n + w] = PrisoedLoadAdmittance(device);
    }
}
