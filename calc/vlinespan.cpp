#include "calc/vlinespan.h"

#include "calc/calcglobals.h"
#include "calc/linesection.h"
#include "calc/vline.h"
#include "calc/vlinegeometry.h"
#include "math/linecalc.h"
#include "math/matrix.h"
#include "math/mirror.h"
#include "math/rescale.h"
#include "model/lines.h"
#include "platform/format.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// The span models have always taken pi/2 for the ice model with fewer digits
// than the homogeneous line.
constexpr double kSpanHalfPi = 1.5707963;

using Matrix = std::vector<CComplex>;

inline std::size_t Sq(int n) { return static_cast<std::size_t>(n) * static_cast<std::size_t>(n); }

// Keeps g_bModalMode for the caller: the pieces are solved as blocks, and the
// re-length step at the end sees the caller's mode again.
class ModalModeOff {
public:
    ModalModeOff() : m_saved(g_bModalMode) { g_bModalMode = 0; }
    ~ModalModeOff() { g_bModalMode = m_saved; }
    ModalModeOff(const ModalModeOff&) = delete;
    ModalModeOff& operator=(const ModalModeOff&) = delete;

private:
    int m_saved;
};

// The run of pieces along a span: each piece is a homogeneous section at the
// conductors' positions of its middle; the first goes to out, every further
// one is cascaded onto it.
class PieceChain {
public:
    PieceChain(const CVLine& line, std::vector<LineConductor> conductors, const TwoPortBlocks& out)
        : m_line(line), m_conductors(std::move(conductors)), m_n(static_cast<int>(m_conductors.size())), m_out(out),
          m_piece(m_n), m_E(Sq(m_n)), m_B(Sq(m_n))
    {
        m_self = CalcConductorSelfTerms(line, m_conductors, g_dCalcFreq, g_jOmega.im, kSpanHalfPi);
    }

    LineConductor& conductor(int c) { return m_conductors[static_cast<std::size_t>(c)]; }

    // Adds the piece of the given length at the conductors' current x and h;
    // false after a singular matrix.
    bool add(double length)
    {
        if (!CalcLineMatrices(m_line, m_conductors, m_self, m_E.data(), m_B.data()))
            return false;
        const TwoPortBlocks target = m_first ? m_out : m_piece.blocks();
        CalcLineSection(m_E.data(), m_B.data(), target, m_n, length, true);
        if (!m_first)
            MatCascade(m_out, target, m_out, m_n);
        m_first = false;
        return g_MatError != 2;
    }

private:
    const CVLine& m_line;
    std::vector<LineConductor> m_conductors;
    std::vector<ConductorSelfTerms> m_self;
    int m_n;
    TwoPortBlocks m_out;
    TwoPortStorage m_piece;
    Matrix m_E, m_B;
    bool m_first = true;
};

// The tower shunt of the line's influence matrix: half a tower's admittance.
Matrix TowerShunt(const CVLine& line, int n)
{
    Matrix T(Sq(n));
    FillWireMatrix(T.data(), n, g_jOmega.im, line.matrix.cap.data(), line.matrix.res.data(), line.matrix.n);
    return T;
}

// Closes a span into a symmetric cell: the span A, the middle joint loaded by
// the shunt S (the other half comes from the mirrored span), the mirrored span.
// The cell's transfer block X = 0.5*A1*(A2 - S)^-1*A1^T goes to Y2, its self
// block A0 + X + T (half a tower at the cell's end; summed as A0 + T + X when
// towerFirst) to Y0; Y1 is left as work space for the re-length step.
bool CloseCell(const TwoPortBlocks& A, const CComplex* S, const CComplex* T, int n, bool towerFirst)
{
    Matrix M(Sq(n)), W(Sq(n)), X(Sq(n));
    if (S)
        MatSub(A.Y2, S, M.data(), n, n);
    else
        MatCopy(A.Y2, M.data(), n, n);
    MatInverse(M.data(), M.data(), n);
    if (g_MatError == 2)
        return false;
    MatMul(A.Y1, M.data(), W.data(), n, n, n);
    MatMulTransB(W.data(), A.Y1, X.data(), n, n, n);
    MatScaleReal(X.data(), 0.5, n, n);
    MatCopy(X.data(), A.Y2, n, n);
    MatAdd(A.Y0, towerFirst ? T : X.data(), A.Y0, n, n);
    MatAdd(A.Y0, towerFirst ? X.data() : T, A.Y0, n, n);
    return true;
}

// Where wire j of a transposed span ends: the mirrored tower point perm[j].
void TranspEnd(const CVLine& line, const int perm[3], int j, double& Xb, double& Yb)
{
    Xb = -line.tower.X(perm[j]);
    Yb = line.tower.Y(perm[j]);
}

} // namespace

double SagPieceHeight(double Y, double s, int i, int m)
{
    const double u = static_cast<double>(2 * (m - i) - 1) / (2 * m);
    return Y - s * (1 - u * u);
}

SpanPoint TranspPiecePoint(double Xa, double Ya, double Xb, double Yb, double s, int i, int m)
{
    const double x = static_cast<double>(2 * i + 1) / (4 * m);
    const double D = std::fabs(Ya - Yb), S = D + s;
    // S = 0 (no sag between supports at one height) is refused by the check.
    const double r = std::sqrt(1 - D / S);
    SpanPoint p;
    p.x = Xa + (Xb - Xa) * x;
    if (Ya <= Yb) {
        const double t = (r + 1) * x - r;
        p.h = Ya - (1 - t * t) * S + D;
    } else {
        const double t = (r + 1) * x - 1;
        p.h = Ya - (1 - t * t) * S;
    }
    return p;
}

void TranspPermutation(const double* towerY, int perm[3])
{
    int highest = 0;
    double top = 0;
    for (int i = 0; i < 3; ++i)
        if (towerY[i] > top) {
            top = towerY[i];
            highest = i;
        }
    static const int kPerms[3][3] = {{0, 2, 1}, {2, 1, 0}, {1, 0, 2}};
    for (int j = 0; j < 3; ++j)
        perm[j] = kPerms[highest][j];
}

void CalcVLineSagBlocks(CVLine& line, const TwoPortBlocks& out)
{
    std::vector<LineConductor> conductors = BuildLineConductors(line, g_nCalcSplitConductor);
    const int n = static_cast<int>(conductors.size());
    {
        ModalModeOff pieces;
        // The pieces keep the mirror symmetry of the mean heights when the
        // wires of each pair sag alike.
        SetLineSymmetry(line, conductors);

        // m pieces make half a span, from the tower to mid-span.
        const int m = line.pieces;
        const double pieceLength = (line.spanMean / m) * 0.5;
        PieceChain chain(line, conductors, out);
        for (int i = 0; i < m; ++i) {
            for (int c = 0; c < n; ++c) {
                LineConductor& k = chain.conductor(c);
                k.h = SagPieceHeight(k.y, k.sag, i, m);
            }
            if (!chain.add(pieceLength))
                return;
        }

        // The half span and its mirror image make a span, with half a tower at
        // each end.
        Matrix T = TowerShunt(line, n);
        if (!CloseCell(out, nullptr, T.data(), n, false))
            return;
    }
    RescaleLineBlocks(out, n, line.length, line.spanMean);
}

void CalcVLineTranspBlocks(CVLine& line, const TwoPortBlocks& out)
{
    constexpr int n = 3;
    {
        ModalModeOff pieces;
        g_nLineSymmetry = -1;
        int perm[3];
        const double towerY[3] = {line.tower.Y(0), line.tower.Y(1), line.tower.Y(2)};
        TranspPermutation(towerY, perm);

        // m pieces make half a span, 2m the span from one tower to the next.
        const int m = line.pieces;
        const double pieceLength = (line.spanMean / m) * 0.5;
        PieceChain chain(line, BuildLineConductors(line, -1), out);
        for (int i = 0; i < 2 * m; ++i) {
            for (int j = 0; j < n; ++j) {
                LineConductor& k = chain.conductor(j);
                double Xb, Yb;
                TranspEnd(line, perm, j, Xb, Yb);
                const SpanPoint p = TranspPiecePoint(line.tower.X(j), line.tower.Y(j), Xb, Yb, k.sag, i, m);
                k.x = p.x;
                k.h = p.h;
            }
            if (!chain.add(pieceLength))
                return;
        }

        // Two spans with the tower between them turned by the permutation:
        // Pm*T*Pm^T is that tower's half admittance in the first span's order.
        Matrix T = TowerShunt(line, n), PT(Sq(n)), S(Sq(n));
        int Pm[n * n] = {};
        for (int j = 0; j < n; ++j)
            Pm[j * n + perm[j]] = 1;
        MatMulIntCx(Pm, T.data(), PT.data(), n, n, n);
        MatMulCxIntTransB(PT.data(), Pm, S.data(), n, n, n);
        if (!CloseCell(out, S.data(), T.data(), n, true))
            return;
    }
    RescaleLineBlocks(out, n, line.length, 2 * line.spanMean);
}

std::string CheckVLineSpanData(const CVLine& line, int n, int split)
{
    const bool transposed = line.inhomogeneity > 2;
    if (line.pieces == 0)
        return "число участков разбиения полупролета должно быть больше нуля";
    if (!(line.spanMean > 0))
        return "средняя длина пролета должна быть больше нуля";
    if (transposed && (n != 3 || VLineSectionWires(line) != 3))
        return StrFormat("транспозиция в пролете рассчитывается только для трех проводов, а у линии их %d", n);
    const CMatrix& mx = line.matrix;
    if (mx.n != n || mx.cap.size() < CMatrix::PackedSize(mx.n) || mx.res.size() < static_cast<std::size_t>(n))
        return StrFormat("порядок матрицы влияния опор (%d) не равен числу проводов (%d)", mx.n, n);
    for (int i = 0; i < n; ++i)
        if (!(mx.res[static_cast<std::size_t>(i)] > 0))
            return "сопротивления матрицы влияния опор должны быть больше нуля";

    // Every piece must lie above the ground and apart from the others.
    std::vector<LineConductor> conductors = BuildLineConductors(line, transposed ? -1 : split);
    int perm[3] = {0, 1, 2};
    if (transposed) {
        const double towerY[3] = {line.tower.Y(0), line.tower.Y(1), line.tower.Y(2)};
        TranspPermutation(towerY, perm);
    }
    for (std::size_t c = 0; c < conductors.size(); ++c) {
        const LineConductor& k = conductors[c];
        const CVLProv& wire = *line.Wire(k.wire);
        double lowest = k.y - k.sag;
        if (transposed) {
            double Xb, Yb;
            TranspEnd(line, perm, static_cast<int>(c), Xb, Yb);
            if (k.sag < 0)
                return StrFormat("провес провода %d отрицателен", k.wire + 1);
            if (k.y == Yb && !(k.sag > 0))
                return StrFormat("провод %d с точками подвеса на одной высоте должен иметь провес больше нуля",
                                 k.wire + 1);
            lowest = std::min(k.y, Yb) - k.sag;
        }
        const double radius = wire.wireType.radius + (line.ice ? wire.iceThickness : 0.0);
        if (!(lowest > radius))
            return StrFormat("провод %d провисает ниже своего радиуса над землей", k.wire + 1);
    }
    const int pieces = transposed ? 2 * line.pieces : line.pieces;
    // Conductors of a piece at one place make its potential coefficients
    // infinite; touching, they are one conductor.
    for (int i = 0; i < pieces; ++i) {
        std::vector<LineConductor> piece = conductors;
        for (std::size_t c = 0; c < piece.size(); ++c) {
            LineConductor& k = piece[c];
            if (transposed) {
                double Xb, Yb;
                TranspEnd(line, perm, static_cast<int>(c), Xb, Yb);
                const SpanPoint p = TranspPiecePoint(k.x, k.y, Xb, Yb, k.sag, i, line.pieces);
                k.x = p.x;
                k.h = p.h;
            } else {
                k.h = SagPieceHeight(k.y, k.sag, i, line.pieces);
            }
        }
        const ConductorTouch touch = FindTouchingConductors(line, piece);
        if (touch.first >= 0)
            return ConductorTouchText(piece, touch, i + 1);
    }
    return std::string();
}
