#include "calc/vline.h"

#include "calc/blockembed.h"
#include "calc/calcglobals.h"
#include "calc/contact.h"
#include "calc/elementcheck.h"
#include "calc/linesection.h"
#include "calc/vlinespan.h"
#include "math/linecalc.h"
#include "math/matrix.h"
#include "math/mirror.h"
#include "model/conductors.h"
#include "model/element.h"
#include "model/lines.h"
#include "platform/format.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

using Matrix = std::vector<CComplex>;

inline std::size_t Sq(int n) { return static_cast<std::size_t>(n) * static_cast<std::size_t>(n); }

// The conductors of the section: its wires, the split wire counted twice.
int ConductorCount(const CVLine& line, int split)
{
    return VLineSectionWires(line) + (split >= 0 && split < VLineSectionWires(line) ? 1 : 0);
}

// Sub-conductors of the conductor: the split halves are single wires.
int BundleOf(const CVLProv& wire, const LineConductor& c)
{
    return c.splitHalf ? 1 : wire.bundleCount;
}

// Outer radius of a wire: with ice the geometric term sees the ice wall.
double OuterRadius(const CVLine& line, const CVLProv& wire)
{
    return wire.wireType.radius + (line.ice ? wire.iceThickness : 0.0);
}

// New random span values for every span of a tower-influence line.
void DrawSpanValues(CVLine& line)
{
    std::vector<std::uint8_t> values(line.pieces);
    for (auto& v : values)
        v = DrawSpanValue();
    line.spanValues = std::move(values);
}

// The first value the line's model reads that is not finite, as the
// refusal's reason; empty when all are.  The ice data are left to the ice
// model's own check.
std::string CheckVLineFinite(const CVLine& line, int wires)
{
    const bool carson = line.earthModel & 1, twoLayer = !carson && (line.earthModel & 2);
    std::string reason = FirstNotFinite(
        "", {{"длина линии", line.length},
             {"удельное сопротивление земли", line.earthRho1},
             {"диэлектрическая проницаемость земли", carson ? 0.0 : line.earthEps1},
             {"удельное сопротивление нижнего слоя земли", twoLayer ? line.earthRho2 : 0.0},
             {"диэлектрическая проницаемость нижнего слоя земли", twoLayer ? line.earthEps2 : 0.0},
             {"толщина верхнего слоя земли", twoLayer ? line.layerDepth : 0.0}});
    for (int i = 0; i < wires && reason.empty(); ++i) {
        const CVLProv& w = *line.Wire(i);
        reason = FirstNotFinite(StrFormat("провод %d, ", i + 1),
                                {{"абсцисса точки подвеса", line.tower.X(i)},
                                 {"высота точки подвеса", line.tower.Y(i)},
                                 {"стрела провеса", w.sag},
                                 {"шаг расщепления", w.bundleStep},
                                 {"радиус", w.wireType.radius},
                                 {"коэффициент скрутки", w.wireType.twist},
                                 {"удельное сопротивление", w.wireType.resistivity},
                                 {"толщина стенки гололеда", line.ice ? w.iceThickness : 0.0}});
    }
    if (!reason.empty() || line.inhomogeneity == 0)
        return reason;
    const CMatrix& m = line.matrix;
    if (!AllFinite(m.cap.data(), m.cap.size()) || !AllFinite(m.res.data(), m.res.size()))
        return NotFiniteReason("матрица влияния опор");
    return FirstNotFinite("", {{"средняя длина пролета", line.spanMean},
                               {"отклонение длины пролета", line.inhomogeneity == 1 ? line.spanDeviation : 0.0}});
}

} // namespace

EarthData EarthDataOf(const CVLine& line)
{
    EarthData earth;
    earth.model = line.earthModel;
    earth.rho1 = line.earthRho1;
    earth.rho2 = line.earthRho2;
    earth.eps1 = line.earthEps1;
    earth.eps2 = line.earthEps2;
    earth.layerDepth = line.layerDepth;
    return earth;
}

std::vector<LineConductor> BuildLineConductors(const CVLine& line, int split)
{
    std::vector<LineConductor> conductors;
    for (int i = 0; i < VLineSectionWires(line); ++i) {
        const CVLProv* wire = line.Wire(i);
        LineConductor c;
        c.x = line.tower.X(i);
        c.y = line.tower.Y(i);
        c.sag = wire ? wire->sag : 0.0;
        c.h = c.y - 0.75 * c.sag;
        c.wire = i;
        if (i == split) {
            double half = (wire ? wire->bundleStep : 0.0) / 2;
            c.splitHalf = true;
            LineConductor second = c;
            c.x -= half;
            second.x += half;
            conductors.push_back(c);
            conductors.push_back(second);
        } else {
            conductors.push_back(c);
        }
    }
    return conductors;
}

double ConductorRadius(const CVLine& line, const LineConductor& conductor)
{
    const CVLProv& wire = *line.Wire(conductor.wire);
    return BundleRadius(OuterRadius(line, wire), BundleOf(wire, conductor), wire.bundleStep);
}

ConductorTouch FindTouchingConductors(const CVLine& line, const std::vector<LineConductor>& conductors)
{
    // Every position is made of the tower's coordinates, the sags and the
    // split spacing: their size sets the rounding a typed touch may hide.
    double scale = 0;
    for (int i = 0; i < VLineSectionWires(line); ++i) {
        const CVLProv* wire = line.Wire(i);
        scale = std::max({scale, std::fabs(line.tower.X(i)), std::fabs(line.tower.Y(i)),
                          wire ? std::fabs(wire->sag) + std::fabs(wire->bundleStep) : 0.0});
    }
    std::vector<double> radius(conductors.size());
    for (std::size_t c = 0; c < conductors.size(); ++c)
        radius[c] = ConductorRadius(line, conductors[c]);
    ConductorTouch touch;
    for (std::size_t c = 0; c < conductors.size(); ++c)
        for (std::size_t j = 0; j < c; ++j) {
            const double d = std::hypot(conductors[c].x - conductors[j].x, conductors[c].h - conductors[j].h);
            if (TouchAsTyped(d, radius[c] + radius[j], scale)) {
                touch.first = static_cast<int>(j);
                touch.second = static_cast<int>(c);
                touch.coincide = TouchAsTyped(d, 0, scale);
                return touch;
            }
        }
    return touch;
}

std::vector<ConductorSelfTerms> CalcConductorSelfTerms(const CVLine& line,
                                                       const std::vector<LineConductor>& conductors,
                                                       double f, double omega, double halfPi)
{
    std::vector<ConductorSelfTerms> self(conductors.size());
    for (std::size_t c = 0; c < conductors.size(); ++c) {
        const CVLProv& wire = *line.Wire(conductors[c].wire);
        const double a = wire.wireType.radius;
        const int N = BundleOf(wire, conductors[c]);
        self[c].radius = ConductorRadius(line, conductors[c]);
        self[c].e = ConductorInternalImpedance(a, wire.wireType.twist, wire.wireType.resistivity, f, N);
        // The ice wall is a lossy dielectric layer: it shifts part of the
        // logarithm between the inductive and the capacitive term.  A wire
        // without ice gets nothing (the logarithm is 0).
        if (line.ice && wire.iceThickness > 0) {
            CComplex q = IceInverseEpsilon(line.iceTemperature, line.iceFactor, wire.iceDensity, omega, f, halfPi);
            double L = std::log(1 + wire.iceThickness / a);
            CComplex eIce = (1.0 - q) * L, pIce = q * L;
            if (N >= 2) {
                eIce = eIce / static_cast<double>(N);
                pIce = pIce / static_cast<double>(N);
            }
            self[c].e += eIce;
            self[c].p += pIce;
        }
    }
    return self;
}

void SetLineSymmetry(const CVLine& line, const std::vector<LineConductor>& conductors)
{
    const int n = static_cast<int>(conductors.size());
    g_nLineSymmetry = static_cast<signed char>(line.symmetry);
    if (n != VLineSectionWires(line)) {
        g_nLineSymmetry = -1;
        return;
    }
    if (g_nLineSymmetry == -1)
        return;
    std::vector<double> x(static_cast<std::size_t>(n)), h(static_cast<std::size_t>(n));
    for (int c = 0; c < n; ++c) {
        x[c] = conductors[c].x;
        h[c] = conductors[c].h;
    }
    g_nLineSymmetry = static_cast<signed char>(FindSymmetricWires(x.data(), h.data(), static_cast<std::uint8_t>(n)));
}

bool CalcLineMatrices(const CVLine& line, const std::vector<LineConductor>& conductors,
                      const std::vector<ConductorSelfTerms>& self, CComplex* E, CComplex* B)
{
    const int n = static_cast<int>(conductors.size());
    std::vector<double> x(static_cast<std::size_t>(n)), h(static_cast<std::size_t>(n));
    for (int c = 0; c < n; ++c) {
        x[c] = conductors[c].x;
        h[c] = conductors[c].h;
    }
    std::vector<int> pairIndex;
    BuildEarthPairTable(x.data(), h.data(), n, pairIndex);
    std::vector<CComplex> earthTerms = CalcEarthTerms(EarthDataOf(line), g_dCalcFreq, g_jOmega.im);
    FillLineMatrices(conductors, pairIndex, earthTerms, self, E, B);
    MatInverseKept(B, B, n);  // P, and so B, is the same at every frequency (unless iced)
    return g_MatError != 2;
}

void CalcVLineBlocks(CVLine& line, const TwoPortBlocks& out, unsigned char* regenerate)
{
    const int split = g_nCalcSplitConductor;
    const double f = g_dCalcFreq;
    const double omega = g_jOmega.im;

    // Random spans: redrawn on request, and drawn when the line has fewer
    // values than spans (as its dialog does when the span count changes).
    if (line.inhomogeneity == 1 &&
        ((regenerate && *regenerate) || !line.spanValues || line.spanValues->size() < line.pieces))
        DrawSpanValues(line);

    std::vector<LineConductor> conductors = BuildLineConductors(line, split);
    const int n = static_cast<int>(conductors.size());
    SetLineSymmetry(line, conductors);
    std::vector<ConductorSelfTerms> self = CalcConductorSelfTerms(line, conductors, f, omega, 1.5707963268);
    Matrix E(Sq(n)), P(Sq(n));
    if (!CalcLineMatrices(line, conductors, self, E.data(), P.data()))
        return;
    if (line.inhomogeneity == 1)
        CalcInhomLineSection(line, E.data(), P.data(), out, n, line.length);
    else
        CalcLineSection(E.data(), P.data(), out, n, line.length, false);
}

namespace {

// The blocks of the line data by the model its inhomogeneity asks for, or
// from the identical-line cache.
void CalcVLineModel(CVLine& line, int wirePositions, int split, const TwoPortBlocks& out,
                    unsigned char* regenerate)
{
    g_nCalcSplitConductor = split;
    const int n = wirePositions;

    // Identical-line cache (channel calculation only).
    LineCalcRecord* rec = g_bModalMode ? nullptr : g_pCurLineRec;
    if (rec && (rec->flags & kLineRecEqual) && rec->p1 && rec->p2 && rec->p3) {
        MatCopy(rec->p1, out.Y0, n, n);
        MatCopy(rec->p2, out.Y1, n, n);
        MatCopy(rec->p3, out.Y2, n, n);
        return;
    }
    if (rec && (rec->flags & kLineRecSameSection) && rec->p4 && rec->p5 && rec->p6) {
        BlocksFromModalData(rec->p4, rec->p5, rec->p6, n, line.length, out);
        if ((rec->flags & kLineRecStoreBlocks) && rec->p1 && rec->p2 && rec->p3) {
            MatCopy(out.Y0, rec->p1, n, n);
            MatCopy(out.Y1, rec->p2, n, n);
            MatCopy(out.Y2, rec->p3, n, n);
        }
        return;
    }

    // Refused data never reach the formulas: the run checks every element
    // before it starts, and a caller that did not gets a stopped run.
    if (!CheckVLineData(line, wirePositions, split).empty()) {
        g_MatError = 2;
        return;
    }
    if (line.inhomogeneity == 2)
        CalcVLineSagBlocks(line, out);
    else if (line.inhomogeneity > 2)
        CalcVLineTranspBlocks(line, out);
    else
        CalcVLineBlocks(line, out, regenerate);
}

} // namespace

void CalcVLineData(CVLine& line, int wirePositions, int split, const TwoPortBlocks& out,
                   unsigned char* regenerate)
{
    CalcVLineModel(line, wirePositions, split, out, regenerate);
    if (g_MatError != 2 && !BlocksAreFinite(out, wirePositions))
        g_MatError = 2;
}

void CalcVLineElement(CElement& element, const TwoPortBlocks& out, unsigned char* regenerate)
{
    CVLine* line = element.Data<CVLine>();
    if (!line) {
        g_nCalcSplitConductor = element.splitConductor;
        g_MatError = 2; // an overhead line without its data: refused before the run
        return;
    }
    CalcVLineData(*line, element.wirePositions, element.splitConductor, out, regenerate);
}

std::string CheckVLineElement(const CElement& element, int number)
{
    const CVLine* line = element.Data<CVLine>();
    std::string reason =
        line ? CheckVLineData(*line, element.wirePositions, element.splitConductor) : "не заданы параметры линии";
    return reason.empty() ? reason : FormatElementDataError(number, reason);
}

int VLineSectionWires(const CVLine& line)
{
    return line.wireCount;
}

std::string ConductorTouchText(const std::vector<LineConductor>& conductors, const ConductorTouch& touch, int piece)
{
    const int first = conductors[std::size_t(touch.first)].wire + 1;
    const int second = conductors[std::size_t(touch.second)].wire + 1;
    const std::string where = piece > 0 ? StrFormat(" на участке %d пролета", piece) : std::string();
    if (first == second)
        return StrFormat("половины расщепленного провода %d%s касаются друг друга", first, where.c_str());
    return StrFormat(touch.coincide ? "провода %d и %d%s совпадают" : "провода %d и %d%s касаются друг друга", first,
                     second, where.c_str());
}

std::string CheckVLineData(const CVLine& line, int wirePositions, int split)
{
    const int wires = VLineSectionWires(line);
    if (wires < 1)
        return "не задано ни одного провода";
    if (wires > line.tower.count || wires > static_cast<int>(line.tower.x.size()) ||
        wires > static_cast<int>(line.tower.y.size()))
        return "проводов больше, чем точек подвеса на опоре";
    for (int i = 0; i < wires; ++i)
        if (!line.Wire(i))
            return "заданы параметры не всех проводов";
    const int n = ConductorCount(line, split);
    // The stored wire count is either the element's wire positions (the split
    // wire counted twice) or the section's wires; any other value is damage.
    if (n != wirePositions || n > 40 || (line.wires != n && line.wires != wires))
        return StrFormat("число проводов линии (%d) не совпадает с числом проводов элемента (%d)", n,
                         wirePositions);
    if (std::string reason = CheckVLineFinite(line, wires); !reason.empty())
        return reason;
    if (!(line.length > 0))
        return "длина линии должна быть больше нуля";

    if (!(line.earthRho1 > 0))
        return "удельное сопротивление земли должно быть больше нуля";
    if (!(line.earthModel & 1) && (line.earthModel & 2)) {
        if (!(line.earthRho2 > 0))
            return "удельное сопротивление нижнего слоя земли должно быть больше нуля";
        if (!(line.layerDepth > 0))
            return "толщина верхнего слоя земли должна быть больше нуля";
    }

    for (int i = 0; i < wires; ++i) {
        const CVLProv& wire = *line.Wire(i);
        if (!(wire.wireType.radius > 0))
            return StrFormat("радиус провода %d должен быть больше нуля", i + 1);
        if (!(wire.wireType.resistivity > 0))
            return StrFormat("удельное сопротивление провода %d должно быть больше нуля", i + 1);
        // The twist coefficient scales the wire's internal impedance: 0 is a
        // lossless wire, below it the wire would give power.
        if (wire.wireType.twist < 0)
            return StrFormat("коэффициент скрутки провода %d отрицателен", i + 1);
        if ((wire.bundleCount >= 2 || i == split) && !(wire.bundleStep > 0))
            return StrFormat("шаг расщепления провода %d должен быть больше нуля", i + 1);
        if (line.ice) {
            if (wire.iceThickness < 0)
                return StrFormat("толщина стенки гололеда провода %d отрицательна", i + 1);
            if (wire.iceThickness > 0 && !IceModelDefined(line.iceTemperature, line.iceFactor, wire.iceDensity))
                return StrFormat("данные гололеда провода %d не позволяют рассчитать его диэлектрическую проницаемость",
                                 i + 1);
        }
    }

    std::vector<LineConductor> conductors = BuildLineConductors(line, split);
    for (const LineConductor& c : conductors)
        if (!(c.h > OuterRadius(line, *line.Wire(c.wire))))
            return StrFormat("средняя высота провода %d не больше его радиуса", c.wire + 1);
    if (const ConductorTouch touch = FindTouchingConductors(line, conductors); touch.first >= 0)
        return ConductorTouchText(conductors, touch, 0);

    if (line.inhomogeneity == 1) {
        if (line.pieces == 0)
            return "число пролетов должно быть больше нуля";
        if (!(line.spanMean > 0))
            return "средняя длина пролета должна быть больше нуля";
        if (!(std::fabs(line.spanDeviation) < line.spanMean))
            return "отклонение длины пролета должно быть меньше средней длины пролета";
        const CMatrix& m = line.matrix;
        if (m.n < n || m.cap.size() < CMatrix::PackedSize(m.n) || m.res.size() < static_cast<std::size_t>(n))
            return "порядок матрицы влияния опор меньше числа проводов";
        for (int i = 0; i < n; ++i)
            if (!(m.res[static_cast<std::size_t>(i)] > 0))
                return "сопротивления матрицы влияния опор должны быть больше нуля";
    }
    if (line.inhomogeneity >= 2)
        return CheckVLineSpanData(line, n, split);
    return std::string();
}
