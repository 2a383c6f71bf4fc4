#include "calc/cableline.h"

#include "calc/blockembed.h"
#include "calc/contact.h"
#include "calc/elementcheck.h"
#include "calc/linemodes.h"
#include "calc/linesection.h"
#include "math/linecalc.h"
#include "math/matrix.h"
#include "math/mirror.h"
#include "model/conductors.h"
#include "model/element.h"
#include "model/modelglobals.h"
#include "platform/format.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace {

// The constants as the cable model has always used them.
constexpr double kPi = 3.1415926536;
constexpr double kMu0 = 1.25663706144e-6;      // H/m
constexpr double kMu0Over2Pi = 2e-7;           // H/m
constexpr double kInv2PiEps0 = 1.8e10;         // 1/(2*pi*eps0), m/F
constexpr double kHalfEulerGamma = 0.8905;     // half of 1.781 = e^0.5772
constexpr double kCoreSkin = 0.777;            // the solid-conductor impedance fit
constexpr double kCoreDc = 0.356;
constexpr double kSeriesTolerance = 1e-12;
// The pipe's proximity series converge geometrically (ratio below 1 for a cable
// inside the pipe); the cap only bounds the loop.
constexpr int kMaxSeriesTerms = 100000;

using Matrix = std::vector<CComplex>;

Matrix NewMatrix(int n) { return Matrix(static_cast<std::size_t>(n) * n, g_CZero); }

bool IsPipe(const CKLine& line) { return line.pipe == 1; }

// The modal data of a cable system of order m: voltage modes T (columns),
// their inverse, the current modes X = (T^-1)^T, and per mode the propagation
// constant and the modal characteristic admittance.
struct CableModes {
    int m = 0;
    Matrix T, Tinv, X;
    std::vector<CComplex> gamma, Yc;
};

// Modes of Z*Y into modes (T, and gamma^2 still in gamma); mirror-symmetric
// conductors (pairIds, with g_nLineSymmetry on the axis) as two halves.
void SolveCableModes(const CComplex* Z, const CComplex* Y, int m, const signed char* pairIds, CableModes& modes)
{
    modes.m = m;
    modes.T = NewMatrix(m);
    modes.gamma.assign(static_cast<std::size_t>(m), g_CZero);
    DecomposeProduct(Z, Y, modes.T.data(), modes.gamma.data(), m, pairIds);
}

// From the eigen-solution of Z*Y: the current modes, the propagation constants
// and the modal characteristic admittances.  In modal mode the mode matrices are
// scaled column by column to a largest entry of 1.  False after a singular
// matrix (g_MatError is 2 then).
bool FinishCableModes(const CComplex* Y, CableModes& modes)
{
    const int m = modes.m;
    const bool modal = g_bModalMode != 0;
    if (g_MatError == 2)
        return false;
    if (modal)
        NormalizeColumnsByMax(modes.T.data(), m);
    modes.Tinv = NewMatrix(m);
    modes.X = NewMatrix(m);
    MatInverse(modes.T.data(), modes.Tinv.data(), m);
    MatTranspose(modes.Tinv.data(), modes.X.data(), m, m);
    if (modal)
        NormalizeColumnsByMax(modes.X.data(), m);
    for (CComplex& g : modes.gamma)
        g = Sqrt(g);

    // T^T*Y*T is diagonal, so (T^-1*Y^-1*X)_kk = 1/(T^T*Y*T)_kk and
    // Yc_k = (T^T*Y*T)_kk/gamma_k: the modal current over the modal voltage of
    // a wave travelling one way.
    Matrix Yinv = NewMatrix(m), W = NewMatrix(m), V = NewMatrix(m);
    MatInverse(Y, Yinv.data(), m);
    MatMul(modes.Tinv.data(), Yinv.data(), W.data(), m, m, m);
    MatMul(W.data(), modes.X.data(), V.data(), m, m, m);
    modes.Yc.resize(static_cast<std::size_t>(m));
    for (int k = 0; k < m; ++k)
        modes.Yc[k] = 1.0 / (modes.gamma[k] * V[k * m + k]);
    return g_MatError != 2;
}

// The modes of one pipe repeated for each of the m/3 pipes: block-diagonal
// mode matrices, the mode values repeated.
CableModes RepeatPipeModes(const CableModes& pipe, int m)
{
    const int p = pipe.m;
    CableModes all;
    all.m = m;
    all.T = NewMatrix(m);
    all.Tinv = NewMatrix(m);
    all.X = NewMatrix(m);
    for (int b = 0; b < m; b += p)
        for (int i = 0; i < p; ++i) {
            for (int j = 0; j < p; ++j) {
                const std::size_t at = static_cast<std::size_t>(b + i) * m + b + j;
                all.T[at] = pipe.T[i * p + j];
                all.Tinv[at] = pipe.Tinv[i * p + j];
                all.X[at] = pipe.X[i * p + j];
            }
            all.gamma.push_back(pipe.gamma[i]);
            all.Yc.push_back(pipe.Yc[i]);
        }
    return all;
}

// The blocks of a uniform section of length l from the modal data
// P5 = X*diag(Yc), P4 = T^-1 and gamma (order m).  With n = m/2 only the cores
// (even conductors) are kept: the screens are held at zero potential at both
// ends.
void BlocksFromModes(const CComplex* P5, const CComplex* P4, const CComplex* gamma, int m, double l,
                     const TwoPortBlocks& out, int n)
{
    if (n == m) {
        BlocksFromModalData(P4, P5, gamma, m, l, out);
        return;
    }
    TwoPortStorage all(m);
    const TwoPortBlocks b = all.blocks();
    BlocksFromModalData(P4, P5, gamma, m, l, b);
    // The permutation that puts the cores in front of the screens, and the
    // core-core corner of the result.
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            out.Y0[i * n + j] = b.Y0[2 * i * m + 2 * j];
            out.Y1[i * n + j] = b.Y1[2 * i * m + 2 * j];
        }
    MatNeg(out.Y0, out.Y2, n, n);
}

// The outputs of a solved cable system: the modal data in modal mode, else the
// blocks, keeping the modal data for a later section of the same
// cross-section when the record asks for it.
void WriteCableSection(const CableModes& modes, const TwoPortBlocks& out, double l, bool reduce)
{
    const int m = modes.m;
    if (g_bModalMode) {
        MatCopy(modes.T.data(), out.Y0, m, m);
        MatCopy(modes.X.data(), out.Y1, m, m);
        MatCopy(modes.gamma.data(), out.Y2, 1, m);
        MatCopy(modes.Yc.data(), out.Y2 + m, 1, m);
        return;
    }
    Matrix P5 = NewMatrix(m);
    MatMulDiagRight(modes.X.data(), modes.Yc.data(), P5.data(), m);
    LineCalcRecord* rec = g_pCurLineRec;
    if (rec && (rec->flags & kLineRecStoreModal)) {
        MatCopy(P5.data(), rec->p5, m, m);
        MatCopy(modes.Tinv.data(), rec->p4, m, m);
        MatCopy(modes.gamma.data(), rec->p6, 1, m);
    }
    BlocksFromModes(P5.data(), modes.Tinv.data(), modes.gamma.data(), m, l, out, reduce ? m / 2 : m);
}

// Solid insulation: every cable is a core (conductor 2i) inside its screen
// (2i + 1); the screens return through the earth.
void SolidCableMatrices(const CKLine& line, const double* x, const double* y, int N, CComplex* Z,
                        CComplex* Y)
{
    const CKabTv& k = line.solidCable;
    const double r1 = k.coreRadius, r2 = k.screenInnerRadius, r3 = k.screenOuterRadius, r4 = k.outerRadius;
    const CComplex jw = g_jOmega;
    const double w = jw.im;
    const int m = 2 * N;

    // Propagation constants of the core, the screen and the earth.
    const CComplex mc = Sqrt(jw * (kMu0 / k.rhoCore));
    const CComplex ms = Sqrt(jw * (kMu0 / k.rhoScreen));
    const CComplex me = Sqrt(jw * (kMu0 / line.rho));
    const double d = r3 - r2;

    // Self terms, the same for every cable.
    const CComplex coreInternal =
        mc * (k.rhoCore / (2 * kPi * r1)) * Coth(mc * (kCoreSkin * r1)) + kCoreDc * k.rhoCore / (kPi * r1 * r1);
    const CComplex mainInsulation = jw * (kMu0Over2Pi * std::log(r2 / r1));
    const CComplex screenCoth = ms * Coth(ms * d);
    const CComplex screenInner = (screenCoth - 1.0 / (r2 + r3)) * (k.rhoScreen / (2 * kPi * r2));
    const CComplex screenMutual = ms * (k.rhoScreen / (kPi * (r2 + r3))) * Csch(ms * d);
    const CComplex screenOuter = (screenCoth + 1.0 / (r2 + r3)) * (k.rhoScreen / (2 * kPi * r3)) +
                                 jw * (kMu0Over2Pi * std::log(r4 / r3));
    const CComplex coreLoop = coreInternal + mainInsulation + screenInner - 2.0 * screenMutual;

    // Earth return of the screens.
    const CComplex Le = -Log(kHalfEulerGamma * me);
    for (int i = 0; i < N; ++i) {
        const CComplex earthSelf = jw * kMu0Over2Pi * (Le - std::log(r4) + 0.5 - (4.0 / 3.0) * me * y[i]);
        const CComplex Zss = screenOuter + earthSelf;
        const CComplex Zcs = Zss - screenMutual;
        Z[2 * i * m + 2 * i] = coreLoop + Zss;
        Z[2 * i * m + 2 * i + 1] = Zcs;
        Z[(2 * i + 1) * m + 2 * i] = Zcs;
        Z[(2 * i + 1) * m + 2 * i + 1] = Zss;
        for (int j = 0; j < N; ++j) {
            if (j == i)
                continue;
            const double dij = std::hypot(x[i] - x[j], y[i] - y[j]);
            const CComplex earthMutual =
                jw * kMu0Over2Pi * (Le - std::log(dij) + 0.5 - (2.0 / 3.0) * me * (y[i] + y[j]));
            for (int a = 0; a < 2; ++a)
                for (int b = 0; b < 2; ++b)
                    Z[(2 * i + a) * m + 2 * j + b] = earthMutual;
        }
    }

    // Shunt admittance with the dielectric losses: main insulation between core
    // and screen, the jacket between screen and earth.
    const CComplex Y1 = CComplex(w * k.tanInner, w) * (k.epsInner / std::log(r2 / r1) / kInv2PiEps0);
    const CComplex Y2 = CComplex(w * k.tanOuter, w) * (k.epsOuter / std::log(r4 / r3) / kInv2PiEps0);
    for (int i = 0; i < N; ++i) {
        Y[2 * i * m + 2 * i] = Y1;
        Y[2 * i * m + 2 * i + 1] = -Y1;
        Y[(2 * i + 1) * m + 2 * i] = -Y1;
        Y[(2 * i + 1) * m + 2 * i + 1] = Y1 + Y2;
    }
}

// Mirror pairs of the cables widened to their conductors: a cable of pair t
// gives its core the pair 2t - 1 (or -(2|t| - 1)) and its screen 2t, a cable on
// the axis puts both on it.  The number of conductors on the axis, or -1 when
// the cables are not placed mirror-symmetrically.
int CablePairIds(const double* x, const double* y, int N, std::vector<signed char>& ids)
{
    const int axis = FindSymmetricWires(x, y, static_cast<std::uint8_t>(N));
    if (axis < 0)
        return -1;
    ids.assign(static_cast<std::size_t>(2 * N), 0);
    for (int i = 0; i < N; ++i) {
        const int t = g_SymWires[i];
        ids[2 * i] = static_cast<signed char>(t > 0 ? 2 * t - 1 : t < 0 ? 2 * t + 1 : 0);
        ids[2 * i + 1] = static_cast<signed char>(2 * t);
    }
    return 2 * axis;
}

void CalcSolidConstants(const CKLine& line, const TwoPortBlocks& out, int n)
{
    const int N = line.CableCount(), m = 2 * N;
    std::vector<double> x(line.x, line.x + N), y(line.y, line.y + N);
    std::vector<signed char> pairIds;
    g_nLineSymmetry = static_cast<signed char>(line.symmetry < 0 ? -1 : line.symmetry);
    if (g_nLineSymmetry != -1) {
        double mean = 0;
        for (double v : x)
            mean += v;
        mean /= N;
        for (double& v : x)
            v -= mean;
        // The stored code was found from the same positions; should they no
        // longer be symmetric, the line is solved whole.
        g_nLineSymmetry = static_cast<signed char>(CablePairIds(x.data(), y.data(), N, pairIds));
    }
    Matrix Z = NewMatrix(m), Y = NewMatrix(m);
    SolidCableMatrices(line, x.data(), y.data(), N, Z.data(), Y.data());
    CalcKLineSectionSolid(Z.data(), Y.data(), out, m, line.length, n != m,
                          g_nLineSymmetry == -1 ? nullptr : pairIds.data());
}

// Sum over n >= 1 of ratio^n * cos(n*angle) / (x + n*(mur + 1)), until three
// successive terms are negligible against the sum.
CComplex PipeMutualSeries(double ratio, double angle, const CComplex& x, double mur)
{
    CComplex sum = g_CZero;
    double power = 1;
    int small = 0;
    for (int n = 1; n <= kMaxSeriesTerms; ++n) {
        power *= ratio;
        const CComplex term = (power * std::cos(n * angle)) / (x + n * (mur + 1));
        sum += term;
        if (Abs(term) < kSeriesTolerance * Abs(sum)) {
            if (++small == 3)
                break;
        } else {
            small = 0;
        }
    }
    return sum;
}

// Sum over n >= 1 of ratio^n / (x + n*(mur + 1)), until the first negligible term.
CComplex PipeSelfSeries(double ratio, const CComplex& x, double mur)
{
    CComplex sum = g_CZero;
    double power = 1;
    for (int n = 1; n <= kMaxSeriesTerms; ++n) {
        power *= ratio;
        const CComplex term = power / (x + n * (mur + 1));
        sum += term;
        if (Abs(term) <= kSeriesTolerance * Abs(sum))
            break;
    }
    return sum;
}

// Three cables of core radius rc inside a steel pipe of inner radius R: cable i
// at distance d_i from the pipe axis and angle theta_i.  Z (3 x 3) with the
// pipe's internal impedance and its proximity series, Y = Q^-1 from the
// potential coefficients of the cores inside the pipe.
void CalcPipeConstants(const CKLine& line, const TwoPortBlocks& out, int m)
{
    constexpr int p = 3;
    const double R = line.pipeRadius, rc = line.pipeCable.coreRadius, rho = line.rho, mur = line.pipeMu;
    const CComplex jw = g_jOmega;
    const double w = jw.im;

    const double mp = std::sqrt(w * kMu0 * mur / rho);
    const CComplex e45 = Polar(1.0, kPi / 4);
    const CComplex xp = mp * R * e45;
    const CComplex Zp = e45 * (rho * mp / (2 * kPi * R));
    const CComplex Kp = jw * (kMu0 * mur / kPi);
    const CComplex qScale = jw / kInv2PiEps0;

    double d[p], theta[p], G[p], t[p];
    for (int i = 0; i < p; ++i) {
        d[i] = line.x[i];
        theta[i] = PipeCableAngle(line.y[i]);
        const double e = (R * R + d[i] * d[i] - rc * rc) / (2 * d[i]);
        G[i] = e + std::sqrt(e * e - R * R);
        t[i] = R * (G[i] - d[i]) / G[i];
    }

    Matrix Z = NewMatrix(p), Q = NewMatrix(p);
    for (int i = 0; i < p; ++i)
        for (int k = 0; k < p; ++k) {
            CComplex& z = Z[i * p + k];
            if (i == k) {
                Q[i * p + i] = CComplex(std::log(R * (G[i] - d[i]) / (G[i] * rc)), 0.0) / qScale;
                z = jw * (kMu0Over2Pi * std::log((d[i] + R) * t[i] / (rc * R))) + Zp +
                    Kp * PipeSelfSeries((d[i] / R) * (d[i] / R), xp, mur);
                continue;
            }
            const double dth = theta[i] - theta[k];
            const double s = d[k] + rc, D = R * R / G[i], c = std::cos(dth);
            const double q = std::sqrt((s * s + D * D - 2 * s * D * c) / (s * s + G[i] * G[i] - 2 * s * G[i] * c));
            const double e = d[i] * d[k] / (R * R);
            Q[i * p + k] = CComplex(std::log(R / (G[i] * q)), 0.0) / qScale;
            z = jw * (kMu0Over2Pi * std::log(R * t[i] * std::sqrt(1 - 2 * e * c + e * e) /
                                             ((G[i] - d[i]) * q * (R - d[i])))) +
                Zp + Kp * PipeMutualSeries(e, dth, xp, mur);
        }

    Matrix Y = NewMatrix(p);
    MatInverse(Q.data(), Y.data(), p);
    if (g_MatError == 2)
        return;
    CalcKLineSectionPipe(Z.data(), Y.data(), out, m, line.length);
}

} // namespace

int KLineModalOrder(const CKLine& line) { return 3 * line.circuits * (IsPipe(line) ? 1 : 2); }

void NormalizeColumnsByMax(CComplex* M, int n)
{
    for (int j = 0; j < n; ++j) {
        int best = 0;
        double largest = 0;
        for (int i = 0; i < n; ++i) {
            const double a = Abs(M[i * n + j]);
            if (a > largest) {
                largest = a;
                best = i;
            }
        }
        if (!(largest > 0))
            continue;
        const CComplex v = M[best * n + j];
        for (int i = 0; i < n; ++i)
            M[i * n + j] = M[i * n + j] / v;
    }
}

void CalcKLineSectionSolid(const CComplex* Z, const CComplex* Y, const TwoPortBlocks& out, int m,
                           double l, bool reduce, const signed char* pairIds)
{
    CableModes modes;
    SolveCableModes(Z, Y, m, pairIds, modes);
    if (!FinishCableModes(Y, modes))
        return;
    WriteCableSection(modes, out, l, reduce);
}

void CalcKLineSectionPipe(const CComplex* Z, const CComplex* Y, const TwoPortBlocks& out, int m,
                          double l)
{
    CableModes pipe;
    SolveCableModes(Z, Y, 3, nullptr, pipe);
    if (!FinishCableModes(Y, pipe))
        return;
    WriteCableSection(m == 3 ? pipe : RepeatPipeModes(pipe, m), out, l, false);
}

void CalcKLineConstants(const CKLine& line, const TwoPortBlocks& out, int n)
{
    if (!CheckKLineValues(line, n).empty()) {
        g_MatError = 2;
        return;
    }
    if (IsPipe(line)) {
        g_nLineSymmetry = -1;
        CalcPipeConstants(line, out, KLineModalOrder(line));
    } else {
        CalcSolidConstants(line, out, n);
    }
}

void CalcKLineElement(const CKLine& line, const TwoPortBlocks& out, int n)
{
    // Refused data never reach the formulas (nor write past blocks of another
    // order): the run checks every element before it starts, and a caller that
    // did not gets a stopped run.
    if (!CheckKLineValues(line, n).empty()) {
        g_MatError = 2;
        return;
    }
    LineCalcRecord* rec = g_bModalMode ? nullptr : g_pCurLineRec;
    const unsigned char flags = rec ? rec->flags : 0;
    if (flags & kLineRecEqual) {
        MatCopy(rec->p1, out.Y0, n, n);
        MatCopy(rec->p2, out.Y1, n, n);
        MatCopy(rec->p3, out.Y2, n, n);
        return;
    }
    if (flags & kLineRecSameSection)
        BlocksFromModes(rec->p5, rec->p4, rec->p6, KLineModalOrder(line), line.length, out, n);
    else
        CalcKLineConstants(line, out, n);
    if (!BlocksAreFinite(out, n))
        g_MatError = 2;
    if ((flags & kLineRecStoreBlocks) && g_MatError != 2) {
        MatCopy(out.Y0, rec->p1, n, n);
        MatCopy(out.Y1, rec->p2, n, n);
        MatCopy(out.Y2, rec->p3, n, n);
    }
}

double PipeCableAngle(double degrees)
{
    return degrees * kPi / 180;
}

PipeCoreContact FindPipeCoreContact(const CKLine& line)
{
    const double R = line.pipeRadius, rc = line.pipeCable.coreRadius;
    PipeCoreContact contact;
    for (int i = 0; i < 3; ++i) {
        contact.cable = i;
        const double ri = line.x[i];
        if (TouchAsTyped(R - ri, rc, R)) {
            // Beyond the rounding the core crosses the wall.
            contact.kind = R - ri - rc < -kTypedTolerance * R ? PipeCoreContact::kOutside : PipeCoreContact::kOnWall;
            return contact;
        }
        for (int j = 0; j < i; ++j) {
            const double rj = line.x[j];
            const double c = std::cos(PipeCableAngle(line.y[i]) - PipeCableAngle(line.y[j]));
            const double d2 = ri * ri + rj * rj - 2 * ri * rj * c;
            if (TouchAsTyped(std::sqrt(std::max(d2, 0.0)), 2 * rc, R)) {
                contact.kind = PipeCoreContact::kCoresTouch;
                contact.other = j;
                return contact;
            }
        }
    }
    return {};
}

namespace {

// The first value the section's model reads that is not finite, as the
// refusal's reason; empty when all are.
std::string CheckKLineFinite(const CKLine& line)
{
    const std::size_t cables = std::size_t(line.CableCount());
    if (!AllFinite(line.x, cables) || !AllFinite(line.y, cables))
        return NotFiniteReason("координаты кабелей");
    if (IsPipe(line))
        return FirstNotFinite("", {{"длина линии", line.length},
                                   {"внутренний диаметр трубы", line.pipeRadius},
                                   {"удельное сопротивление трубы", line.rho},
                                   {"магнитная проницаемость трубы", line.pipeMu},
                                   {"радиус жилы кабеля", line.pipeCable.coreRadius}});
    const CKabTv& k = line.solidCable;
    const double cable[] = {k.coreRadius, k.screenInnerRadius, k.screenOuterRadius, k.outerRadius, k.tanInner,
                            k.tanOuter,   k.epsInner,          k.epsOuter,          k.rhoCore,     k.rhoScreen};
    if (!AllFinite(cable, std::size(cable)))
        return NotFiniteReason(StrFormat("параметры кабеля \"%s\"", k.name.c_str()));
    return FirstNotFinite("", {{"длина линии", line.length}, {"удельное сопротивление грунта", line.rho}});
}

} // namespace

std::string CheckKLineValues(const CKLine& line, int n)
{
    if (line.pipe > 1)
        return StrFormat("неизвестный способ прокладки кабелей %d", line.pipe);
    if (line.circuits < 1 || 3 * line.circuits > kMaxWires)
        return StrFormat("недопустимое число цепей кабельной линии %d", line.circuits);
    const int m = KLineModalOrder(line);
    if (n != m && (IsPipe(line) || 2 * n != m))
        return StrFormat("число проводов элемента (%d) не соответствует числу цепей кабельной линии (%d)", n,
                         line.circuits);
    if (std::string reason = CheckKLineFinite(line); !reason.empty())
        return reason;
    if (!(line.length > 0))
        return "длина линии должна быть больше нуля";

    if (IsPipe(line)) {
        const double R = line.pipeRadius, rc = line.pipeCable.coreRadius;
        if (!(R > 0))
            return "не задан внутренний диаметр трубы";
        if (!(line.rho > 0))
            return "удельное сопротивление трубы должно быть больше нуля";
        if (!(line.pipeMu > 0))
            return "магнитная проницаемость трубы должна быть больше нуля";
        if (!(rc > 0))
            return StrFormat("кабель \"%s\": радиус жилы должен быть больше нуля", line.pipeCable.name.c_str());
        for (int i = 0; i < 3; ++i)
            if (!(line.x[i] > 0))
                return StrFormat("кабель %d лежит на оси трубы", i + 1);
        // A core on the wall is shorted to the pipe through no insulation:
        // its potential coefficient comes out 0 and the section a short.  Two
        // cores that touch are one conductor.
        const PipeCoreContact contact = FindPipeCoreContact(line);
        switch (contact.kind) {
        case PipeCoreContact::kClear:
            return {};
        case PipeCoreContact::kOutside:
            return StrFormat("кабель %d не помещается в трубе", contact.cable + 1);
        case PipeCoreContact::kOnWall:
            return StrFormat("жила кабеля %d касается стенки трубы", contact.cable + 1);
        case PipeCoreContact::kCoresTouch:
            return StrFormat("жилы кабелей %d и %d касаются друг друга", contact.other + 1, contact.cable + 1);
        }
        return {};
    }

    const CKabTv& k = line.solidCable;
    if (!(k.coreRadius > 0 && k.screenInnerRadius > k.coreRadius && k.screenOuterRadius > k.screenInnerRadius &&
          k.outerRadius > k.screenOuterRadius))
        return StrFormat("кабель \"%s\": радиусы жилы, экрана и оболочки должны быть больше нуля и возрастать",
                         k.name.c_str());
    if (!(k.rhoCore > 0 && k.rhoScreen > 0))
        return StrFormat("кабель \"%s\": удельные сопротивления жилы и экрана должны быть больше нуля",
                         k.name.c_str());
    if (!(k.epsInner > 0 && k.epsOuter > 0))
        return StrFormat("кабель \"%s\": диэлектрические проницаемости изоляции и оболочки должны быть больше нуля",
                         k.name.c_str());
    // A loss tangent of 0 is a lossless dielectric; below it the
    // insulation would give power.
    if (k.tanInner < 0 || k.tanOuter < 0)
        return StrFormat("кабель \"%s\": тангенс угла потерь %s отрицателен", k.name.c_str(),
                         k.tanInner < 0 ? "изоляции" : "оболочки");
    if (!(line.rho > 0))
        return "удельное сопротивление грунта должно быть больше нуля";
    const int N = line.CableCount();
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < i; ++j)
            if (line.x[i] == line.x[j] && line.y[i] == line.y[j])
                return StrFormat("кабели %d и %d проложены в одной точке", j + 1, i + 1);
    return {};
}

std::string CheckKLineElement(const CElement& element, int number)
{
    const CKLine* line = element.Data<CKLine>();
    std::string reason = line ? CheckKLineValues(*line, element.wirePositions) : "не заданы параметры линии";
    return reason.empty() ? reason : FormatElementDataError(number, reason);
}
