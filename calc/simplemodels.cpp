#include "calc/simplemodels.h"

#include "calc/linetrap.h"
#include "math/linecalc.h"
#include "math/matrix.h"

#include <cstddef>

namespace {

const CEShunt kNoBranches;

const CEShunt& ShuntData(const CElement& e)
{
    const CEShunt* d = e.Data<CEShunt>();
    return d ? *d : kNoBranches;
}

// A damped circuit counts as given when its values, in the units of the
// element dialog (pF, mH, ohm), add up to at least 0.001.
bool DampedBranchGiven(const CShunt& b)
{
    return b.c * 1e12 + b.l * 1e3 + b.r >= 0.001;
}

// Admittance of one branch: a line trap, or a damped circuit jwC + 1/(R + jwL).
// Without values a series branch is a broken wire (1e-6 S) and a shunt branch
// a short (100 S).
CComplex BranchAdmittance(const CEShunt& data, const CShunt& b, BranchOf of)
{
    if (data.trapKind != 0)
        return CalcTrapAdmittance(b);
    if (!DampedBranchGiven(b))
        return CComplex(of == BranchOf::SeriesElement ? 1e-6 : 100.0, 0);
    CComplex y = g_jOmega * b.c;
    if (DampedBranchHasRL(b, of))
        y += 1.0 / (b.r + g_jOmega * b.l);
    return y;
}

double ArrayValue(const std::optional<std::vector<double>>& a, int i, int count)
{
    if (!a || i < 0 || i >= count || i >= int(a->size()))
        return 0.0;
    return (*a)[std::size_t(i)];
}

} // namespace

bool DampedBranchHasRL(const CShunt& b, BranchOf of)
{
    if (!DampedBranchGiven(b))
        return false;
    return of == BranchOf::SeriesElement ? b.r + b.l > 0 : b.l * 1e3 + b.r > 0.001;
}

bool LoadHasRL(double R, double L)
{
    return R + L > 1e-15;
}

CComplex CalcTrapAdmittance(const CShunt& branch)
{
    return CalcTrapAdmittance(branch.trap);
}

void BuildSeriesElement(const CElement& element, const TwoPortBlocks& out)
{
    BuildSeriesElement(ShuntData(element), element.wirePositions, out);
}

void BuildSeriesElement(const CEShunt& data, int n, const TwoPortBlocks& out)
{
    MatZero(out.Y0, n);
    for (int i = 0; i < n; ++i)
        out.Y0[i * n + i] = 100.0;
    for (const CShunt& b : data.branches) {
        int w = b.firstWire;
        if (w >= n)
            continue;
        out.Y0[w * n + w] = BranchAdmittance(data, b, BranchOf::SeriesElement);
    }
    MatNeg(out.Y0, out.Y1, n, n);
    MatCopy(out.Y1, out.Y2, n, n);
}

void BuildShuntElement(const CElement& element, CComplex* Y)
{
    BuildShuntElement(ShuntData(element), element.wirePositions, Y);
}

void BuildShuntElement(const CEShunt& data, int n, CComplex* Y)
{
    const CComplex& jw = g_jOmega;
    MatZero(Y, n);
    for (const CShunt& br : data.branches) {
        int a = br.firstWire, b = br.secondWire;
        if (a >= n || b >= n)
            continue;
        const CComplex y = BranchAdmittance(data, br, BranchOf::ShuntElement);
        Y[b * n + a] = y;
        Y[a * n + b] = y;
    }
    // The substation's equivalent capacitance lies in series with every
    // branch to ground.
    if (data.capacitance > 1e-20) {
        CComplex c = jw * data.capacitance;
        for (int i = 0; i < n; ++i) {
            CComplex& d = Y[i * n + i];
            d = d * c / (d + c);
        }
    }
    // Nodal form: a branch between i and j adds to both diagonals and
    // appears negated off the diagonal.
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (j == i)
                continue;
            Y[i * n + i] += Y[i * n + j];
            Y[i * n + j] = -Y[i * n + j];
        }
}

void BuildConnectionMatrix(const CElement& element, int* M)
{
    static const CTransp kNoPermutation;
    const CTransp* d = element.Data<CTransp>();
    BuildConnectionMatrix(d ? *d : kNoPermutation, element.wirePositions, element.splitConductor, M);
}

void BuildConnectionMatrix(const CTransp& data, int n, int split, int* M)
{
    const std::size_t nn = std::size_t(n) * std::size_t(n);
    for (std::size_t k = 0; k < nn; ++k)
        M[k] = 0;
    if (split < 0) {
        for (int j = 0; j < n; ++j) {
            int t = data.Target(j);
            if (t >= 0 && t < n)
                M[j * n + t] = 1;
        }
        return;
    }
    // The split conductor s is carried on positions s and s+1; the
    // permutation numbers the conductors with it counted once.
    const int t = data.Target(split);
    for (int i = 0; i + 1 < n; ++i) {
        int p = data.Target(i);
        if (p < 0 || t < 0)
            continue;
        int r = i > split ? i + 1 : i;
        int c = p > t ? p + 1 : p;
        if (r < n && c < n)
            M[r * n + c] = 1;
        if (i == split && r + 1 < n && c + 1 < n)
            M[(r + 1) * n + c + 1] = 1;
    }
}

CComplex TapEndAdmittance(const CNagrOtv& data)
{
    switch (data.mode) {
    case 0:
        return CComplex(10, 0);
    case 2:
        return g_jOmega * data.capacitance;
    default:
        return CComplex();
    }
}

void BuildTapEndLoad(const CNagrOtv& data, CComplex* Y, int n)
{
    MatZero(Y, n);
    CComplex y = TapEndAdmittance(data);
    for (int i = 0; i < n; ++i)
        Y[i * n + i] = y;
}

bool AttachedEndReadsR(const CEndMod& data, int i)
{
    const double R = ArrayValue(data.r, i, data.count);
    switch (data.kind) {
    case 1:
        return R > 0;
    case 4:
        return LoadHasRL(R, ArrayValue(data.l, i, data.count));
    default:
        return false;
    }
}

CComplex AttachedEndAdmittance(const CEndMod& data, int i)
{
    const int count = data.count;
    switch (data.kind) {
    case 1: {
        double R = ArrayValue(data.r, i, count);
        return AttachedEndReadsR(data, i) ? CComplex(1.0 / R, 0) : CComplex();
    }
    case 2:
        return CComplex(10, 0);
    case 4: {
        double R = ArrayValue(data.r, i, count);
        double L = ArrayValue(data.l, i, count);
        double C = ArrayValue(data.c, i, count);
        CComplex y;
        if (!(R > 0 || L > 0 || C > 0))
            return y;
        // Without R and L there is no R-L branch (only the capacitance).
        if (AttachedEndReadsR(data, i))
            y = 1.0 / (R + g_jOmega * L);
        y += g_jOmega * C;
        return y;
    }
    default:
        return CComplex();
    }
}

void BuildAttachedEndLoad(const CEndMod& data, CComplex* Y, int n)
{
    MatZero(Y, n);
    for (int i = 0; i < n; ++i)
        Y[i * n + i] = AttachedEndAdmittance(data, i);
}
