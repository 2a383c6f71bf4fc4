#include "calc/terminations.h"

#include "calc/blockembed.h"
#include "calc/calcglobals.h"
#include "calc/chaincascade.h"
#include "calc/couplingdevice.h"
#include "math/matrix.h"
#include "model/branches.h"
#include "model/element.h"
#include "model/results.h"

#include <cmath>
#include <vector>

namespace {

constexpr double kZeroDenominator = 1e-40;

bool IsFinite(const CComplex& z)
{
    return std::isfinite(z.re) && std::isfinite(z.im);
}

// The end-load termination of one end.
void EndLoadTermination(const CElement& end, int n, CComplex* Y)
{
    MatZero(Y, n);
    const CNagruz* load = end.Data<CNagruz>();
    if (!load)
        return;
    for (int i = 0; i < n; ++i) {
        const double R = load->Value(i);
        if (R < 0)
            continue;  // the wire is left open
        Y[i * n + i] = CComplex(R <= 1e-10 ? 1e10 : 1.0 / R, 0.0);
    }
}

// Moves transmit wire t and receive wire r of the channel blocks to position
// b: rows and columns of Y0 and the rows of Y1 follow the transmit end, the
// columns of Y1 and rows and columns of Y2 the receive end.
void MovePortWire(const TwoPortBlocks& channel, int n, int b, int t, int r)
{
    MoveMatrixRow(channel.Y0, n, b, t);
    MoveMatrixRow(channel.Y1, n, b, t);
    MoveMatrixRow(channel.Y2, n, b, r);
    MoveMatrixColumn(channel.Y0, n, b, t);
    MoveMatrixColumn(channel.Y1, n, b, r);
    MoveMatrixColumn(channel.Y2, n, b, r);
}

} // namespace

void MoveMatrixRow(CComplex* M, int n, int b, int c)
{
    if (b >= c)
        return;
    std::vector<CComplex> row(M + std::size_t(c) * n, M + std::size_t(c + 1) * n);
    for (int r = c; r > b; --r)
        for (int j = 0; j < n; ++j)
            M[r * n + j] = M[(r - 1) * n + j];
    for (int j = 0; j < n; ++j)
        M[b * n + j] = row[std::size_t(j)];
}

void MoveMatrixColumn(CComplex* M, int n, int b, int c)
{
    if (b >= c)
        return;
    for (int r = 0; r < n; ++r) {
        CComplex* row = M + std::size_t(r) * n;
        const CComplex moved = row[c];
        for (int j = c; j > b; --j)
            row[j] = row[j - 1];
        row[b] = moved;
    }
}

unsigned char RemoveRowColumn(CComplex* M, int n, int b)
{
    bool empty = true;
    int to = 0;
    for (int r = 0; r < n; ++r) {
        if (r == b)
            continue;
        for (int j = 0; j < n; ++j) {
            if (j == b)
                continue;
            const CComplex z = M[r * n + j];
            if (Abs(z) > 1e-25)
                empty = false;
            M[to++] = z;
        }
    }
    return empty ? 2 : 0;
}

void BuildEndTerminations(const CElement& first, const CElement& last, int n, CComplex* Ytx, CComplex* Yrx)
{
    if (first.type == kCouplingDevice) {
        const CUpr none;
        const CUpr* tx = first.Data<CUpr>();
        const CUpr* rx = last.Data<CUpr>();
        BuildCouplingShunt(tx ? *tx : none, n, Ytx);
        BuildCouplingShunt(rx ? *rx : none, n, Yrx);
        return;
    }
    EndLoadTermination(first, n, Ytx);
    EndLoadTermination(last, n, Yrx);
}

bool PortLoad(const CComplex* Y, int n, int w1, int w2, int mode, CComplex& G)
{
    G = Y[w1 * n + w1];
    if (mode == 0)
        return true;
    const CComplex c = Y[w2 * n + w2];
    if (mode == 2) {
        G = G + c;
        return true;
    }
    // Modes 1 and 3: the two wire terminations in series.
    if (!(Abs(c) > 1e-10)) {
        G = CComplex();
        return true;
    }
    const CComplex sum = c + G;
    if (!(Abs(sum) > kZeroDenominator))
        return false;
    G = G * c / sum;
    return true;
}

ScalarTwoPort CombineConnection(const CComplex* A, const CComplex* B, const CComplex* C, int mode, double R)
{
    ScalarTwoPort t;
    const CComplex* M[3] = {A, B, C};
    CComplex r[3];
    switch (mode) {
    case 1:  // wire to wire
        for (int i = 0; i < 3; ++i)
            r[i] = 0.25 * (M[i][0] + M[i][3] - M[i][1] - M[i][2]);
        break;
    case 2:  // two wires to ground
        for (int i = 0; i < 3; ++i)
            r[i] = M[i][0] + M[i][1] + M[i][2] + M[i][3];
        break;
    case 3: {
        // Wire to wire with the midpoint of each pair grounded through R:
        // sums, differences, row and column differences of the blocks.
        CComplex sum[3], diff[3], row[3], col[3];
        for (int i = 0; i < 3; ++i) {
            sum[i] = M[i][0] + M[i][1] + M[i][2] + M[i][3];
            diff[i] = M[i][0] + M[i][3] - M[i][1] - M[i][2];
            row[i] = M[i][0] + M[i][1] - M[i][2] - M[i][3];
            col[i] = M[i][0] + M[i][2] - M[i][1] - M[i][3];
        }
        const CComplex a = 1.0 + R * sum[0];
        const CComplex c = 1.0 - R * sum[2];
        const CComplex rb = R * sum[1];
        const CComplex W = a * c - rb * rb;
        if (!(Abs(W) > kZeroDenominator)) {
            t.valid = false;
            return t;
        }
        const CComplex P = (col[0] * c - R * row[1] * sum[1]) / W;
        const CComplex Q = (col[1] * c + R * col[2] * sum[1]) / W;
        const CComplex U = (-row[1] * a + R * col[0] * sum[1]) / W;
        const CComplex V = (col[2] * a + R * col[1] * sum[1]) / W;
        r[0] = 0.25 * (diff[0] - R * row[0] * P + R * row[1] * U);
        r[1] = 0.25 * (diff[1] - R * row[0] * Q + R * row[1] * V);
        r[2] = 0.25 * (diff[2] + R * col[1] * Q + R * row[2] * V);
        break;
    }
    default:  // wire to ground: one wire per end
        for (int i = 0; i < 3; ++i)
            r[i] = M[i][0];
        break;
    }
    t.y11 = r[0];
    t.y12 = r[1];
    t.c = r[2];
    return t;
}

void CalcPointQuantities(const ScalarTwoPort& t, const CComplex* Gtx, const CComplex* Grx, CRezGraPoint& point)
{
    const CComplex none(kNoValue, 0.0);
    point.transfer = point.zLeft = point.zRight = none;
    if (!t.valid)
        return;
    const CComplex y11 = t.y11, y12 = t.y12, c = t.c;
    const CComplex D = y12 * y12 + y11 * c;

    if (Gtx && Grx && Abs(*Grx * *Gtx * y12) > kZeroDenominator) {
        const CComplex gt = *Gtx, gr = *Grx;
        const CComplex T = ((c / gr - y11 / gt - 1.0) + D / gt / gr) / y12 * 0.5 * Sqrt(gt * gr);
        const double modulus = Abs(T);
        if (modulus > 0) {
            double phase = Arg(T);
            if (phase < 0)
                phase += 6.2831853072;
            point.transfer = CComplex(20.0 * std::log10(modulus), phase);
        }
    }
    if (Grx) {
        const CComplex den = D - y11 * *Grx;
        if (Abs(den) > kZeroDenominator)
            point.zLeft = (c - *Grx) / den;
    }
    if (Gtx) {
        const CComplex den = D + c * *Gtx;
        if (Abs(den) > kZeroDenominator)
            point.zRight = -(y11 + *Gtx) / den;
    }
}

bool CalcResultPoint(const TwoPortBlocks& channel, int n, const CElement& first, const CElement& last,
                     const CRezGra& result, CRezGraPoint& point)
{
    const int mode = result.mode;
    const int k = mode == 0 ? 1 : 2;
    const int m = n - k;
    const int t1 = result.txWire1, t2 = result.txWire2, r1 = result.rxWire1, r2 = result.rxWire2;
    const std::size_t nn = std::size_t(n) * std::size_t(n);

    // 1. Terminations, 2. port loads.
    std::vector<CComplex> Ytx(nn), Yrx(nn);
    BuildEndTerminations(first, last, n, Ytx.data(), Yrx.data());
    CComplex Gtx, Grx;
    const bool hasGtx = PortLoad(Ytx.data(), n, t1, t2, mode, Gtx);
    const bool hasGrx = PortLoad(Yrx.data(), n, r1, r2, mode, Grx);

    // 3, 4. The port wires to the front; their terminations out of the
    // matrices of the other conductors.
    MovePortWire(channel, n, 0, t1, r1);
    unsigned char codeTx = RemoveRowColumn(Ytx.data(), n, t1);
    unsigned char codeRx = RemoveRowColumn(Yrx.data(), n, r1);
    if (k == 2) {
        MovePortWire(channel, n, 1, t2, r2);
        codeTx = RemoveRowColumn(Ytx.data(), n - 1, t2 - 1);
        codeRx = RemoveRowColumn(Yrx.data(), n - 1, r2 - 1);
    }

    // 5. Reduction to the port wires.
    CComplex A[4], B[4], C[4];
    TwoPortReduce(channel, Ytx.data(), Yrx.data(), TwoPortBlocks{A, B, C}, codeTx, codeRx, k, m);
    if (!g_MatError && !(MatIsFinite(A, k, k) && MatIsFinite(B, k, k) && MatIsFinite(C, k, k)))
        g_MatError = 2;
    if (g_MatError) {
        ReportElementMatrixError(0);
        return false;
    }

    // 6. Connection mode, 7. the point.
    const ScalarTwoPort t = CombineConnection(A, B, C, mode, result.resistance);
    CalcPointQuantities(t, hasGtx ? &Gtx : nullptr, hasGrx ? &Grx : nullptr, point);
    point.freq = g_dCalcFreq;
    if (!IsFinite(point.transfer) || !IsFinite(point.zLeft) || !IsFinite(point.zRight)) {
        g_MatError = 2;
        ReportElementMatrixError(0);
        return false;
    }
    return true;
}
