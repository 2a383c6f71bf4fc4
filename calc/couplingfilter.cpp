#include "calc/couplingfilter.h"

#include "calc/calcglobals.h"
#include "calc/elementcheck.h"
#include "platform/format.h"

#include <cmath>
#include <vector>

namespace {

// The capacitances C1..C6, inductances L1..L6 and resistances R1..R5 of a
// filter by their numbers on the scheme.
struct FilterValues {
    const CFiltr& f;
    double C(int i) const { return f.C[i - 1]; }
    double L(int i) const { return f.L[i - 1]; }
    double R(int i) const { return f.resistors[i - 1]; }
};

CComplex Jw(double x)
{
    return g_jOmega * x;
}

// 1/(jw*x): the impedance of a capacitance or the admittance of an inductance.
CComplex InvJw(double x)
{
    return 1.0 / (g_jOmega * x);
}

// jw*L + 1/(jw*C) with the capacitive term only for a capacitor that is present.
CComplex SeriesLC(double L, double C)
{
    CComplex z = Jw(L);
    if (C > 0)
        z += InvJw(C);
    return z;
}

// jw*C + 1/(jw*L) with the inductive term only for a coil that is present.
CComplex ParallelCL(double C, double L)
{
    CComplex y = Jw(C);
    if (L > 0)
        y += InvJw(L);
    return y;
}

// Type 0: a series capacitor (when present) and two coupled coils, then a
// shunt capacitor and a series L, C circuit towards the cable.
void Type0(const FilterValues& v, double k, ChainMatrix& F1, ChainMatrix& F2)
{
    CComplex z1 = v.C(1) > 0 ? InvJw(v.C(1)) : CComplex();
    F1 = ChainSeries(z1) * ChainCoupledCoils(v.L(1), v.L(2), k);
    F2 = ChainShunt(Jw(v.C(2))) * ChainSeries(SeriesLC(v.L(3), v.C(3)));
}

// Type 1: the two coils joined as an autotransformer, replaced by coupled
// coils of the equivalent inductance L1' and coupling k'.
void Type1(const FilterValues& v, double k, double s, ChainMatrix& F1, ChainMatrix& F2)
{
    double L1 = v.L(1), L2 = v.L(2);
    double L1p = L1 + L2 + 2.0 * k * std::sqrt(L1 * L2);
    double kp = std::sqrt(L2 / L1p) * (1.0 + k * std::sqrt(L1 / L2));
    F1 = ChainSeries(InvJw(v.C(1))) * ChainShunt(Jw(v.C(4))) * (s * ChainCoupledCoils(L1p, L2, kp));
    F2 = ChainShunt(Jw(v.C(2))) * ChainSeries(SeriesLC(v.L(3), v.C(3))) * ChainShunt(Jw(v.C(5)));
}

// Type 2: a series branch L1 with the parallel circuit L2 || C2, coupled
// coils L3, L4, and on the cable side the shunt C3 with the series circuit
// L5, C4.  The 1e-18 keeps an exactly tuned circuit finite.
void Type2(const FilterValues& v, double k, double s, ChainMatrix& F1, ChainMatrix& F2)
{
    CComplex zb;
    if (v.C(2) <= 0)
        zb = Jw(v.L(2));
    else if (v.L(2) <= 0)
        zb = InvJw(v.C(2));
    else
        zb = 1.0 / (Jw(v.C(2)) + InvJw(v.L(2)) + 1e-18);
    CComplex zs = Jw(v.L(1)) + zb;

    CComplex ya;
    if (v.L(5) <= 0)
        ya = Jw(v.C(4));
    else if (v.C(4) <= 0)
        ya = InvJw(v.L(5));
    else
        ya = 1.0 / (Jw(v.L(5)) + InvJw(v.C(4)) + 1e-18);

    F1 = ChainSeries(InvJw(v.C(1))) * ChainShunt(Jw(v.C(5))) * (s * ChainSeries(zs)) *
         ChainCoupledCoils(v.L(3), v.L(4), k);
    F2 = ChainShunt(Jw(v.C(3)) + ya);
}

// Type 3: a ladder of series and shunt L, C branches ending in an ideal
// transformer; R lies in the third (series) branch.
void Type3(const FilterValues& v, double R, double k, ChainMatrix& F1, ChainMatrix& F2)
{
    CComplex z1 = SeriesLC(v.L(1), v.C(1));
    CComplex y2 = ParallelCL(v.C(2), v.L(2));
    CComplex z3 = R + SeriesLC(v.L(3), v.C(3));
    CComplex y4 = ParallelCL(v.C(4), v.L(4));
    CComplex z5 = SeriesLC(v.L(5), v.C(5));
    F1 = ChainSeries(z1) * ChainShunt(y2) * ChainSeries(z3) * ChainShunt(y4);
    F2 = ChainSeries(z5) * ChainTransformer(k);
}

// Type 4: S(1/(jwC1)) * P(1/(jwL1)) * S(1/(jwC2)) * N(k), written out.
void Type4(const FilterValues& v, double k, ChainMatrix& F1, ChainMatrix& F2)
{
    double w = g_jOmega.im;
    double L1 = v.L(1), C1 = v.C(1), C2 = v.C(2);
    double h = 1.0 / (w * w * L1 * C1);
    double f = 1.0 / (w * w * L1 * C2);
    F1.A = CComplex(k * (1.0 - h), 0);
    F1.B = (1.0 / C1 + (1.0 - h) / C2) / (g_jOmega * k);
    F1.C = k / (g_jOmega * L1);
    F1.D = CComplex((1.0 - f) / k, 0);
    F2 = ChainUnit();
}

// Type 5: a coupling capacitor, a shunt capacitor, coupled coils, then a
// shunt capacitor and a series L, C branch; a shunt C5 on the cable side.
void Type5(const FilterValues& v, double k, ChainMatrix& F1, ChainMatrix& F2)
{
    double w = g_jOmega.im;
    double x = w * v.L(3);
    if (v.C(3) > 0)
        x -= 1.0 / (w * v.C(3));
    F1 = ChainSeries(InvJw(v.C(1))) * ChainShunt(Jw(v.C(2))) * ChainCoupledCoils(v.L(1), v.L(2), k) *
         ChainShunt(Jw(v.C(4))) * ChainSeries(CComplex(0, x));
    F2 = ChainShunt(Jw(v.C(5)));
}

// Whether branch i of a type 6 filter has its R-L circuit R<i> + jwL<i>, the
// only place its R<i> is read.  Branches 1 and 3 always have it; in 2, 4 and
// 5 the circuit is absent when neither R nor L is positive (branch 2 is then
// C2 alone or a short, 4 and 5 an open), whatever R holds.
bool Type6HasRL(const FilterValues& v, int i)
{
    return i == 1 || i == 3 || v.R(i) > 0 || v.L(i) > 0;
}

// Type 6: a ladder with lossy branches around an ideal transformer.
void Type6(const FilterValues& v, double k, ChainMatrix& F1, ChainMatrix& F2)
{
    CComplex y1 = Jw(v.C(4)) + 1.0 / (v.R(1) + Jw(v.L(1)));

    CComplex z2;
    double R2 = v.R(2), L2 = v.L(2), C2 = v.C(2);
    if (!Type6HasRL(v, 2))
        z2 = C2 > 0 ? InvJw(C2) : CComplex();
    else if (C2 <= 0)
        z2 = R2 + Jw(L2);
    else {
        CComplex rl = R2 + Jw(L2);
        z2 = rl / (1.0 + Jw(C2) * rl);
    }

    CComplex z3 = v.R(3) + SeriesLC(v.L(3), v.C(3));

    CComplex y4;
    if (Type6HasRL(v, 4))
        y4 = 1.0 / (v.R(4) + Jw(v.L(4)));

    CComplex y5 = Jw(v.C(5));
    if (Type6HasRL(v, 5))
        y5 += 1.0 / (v.R(5) + Jw(v.L(5)));

    CComplex y6;
    if (v.C(6) > 0 || v.L(6) > 0)
        y6 = 1.0 / SeriesLC(v.L(6), v.C(6));

    F1 = ChainSeries(InvJw(v.C(1))) * ChainShunt(y1) * ChainSeries(z2) * ChainSeries(z3) * ChainShunt(y4) *
         ChainTransformer(k) * ChainShunt(y5) * ChainShunt(y6);
    F2 = ChainUnit();
}

} // namespace

void CalcFiltrMatrices(ChainMatrix& F1, ChainMatrix& F2, const CFiltr& filter, std::uint8_t polarity)
{
    const FilterValues v{filter};
    const double s = polarity == 0 ? 1.0 : -1.0;
    const double k = filter.ratio;
    F1 = ChainUnit();
    F2 = ChainUnit();
    switch (filter.type) {
    case 0:
        Type0(v, k, F1, F2);
        F1 = s * F1;
        break;
    case 1:
        Type1(v, k, s, F1, F2);
        break;
    case 2:
        Type2(v, k, s, F1, F2);
        break;
    case 3:
        Type3(v, filter.R, k, F1, F2);
        F1 = s * F1;
        break;
    case 4:
        Type4(v, k, F1, F2);
        break;
    case 5:
        Type5(v, k, F1, F2);
        F1 = s * F1;
        break;
    case 6:
        Type6(v, k, F1, F2);
        break;
    default:
        break;
    }
}

ChainMatrix CalcHfCableMatrix(double a, double v, double Zc, double length)
{
    if (length == 0)
        return ChainUnit();
    // 0.115 turns decibels into nepers; the attenuation is given per sqrt(kHz).
    double alpha = 0.115 * a * std::sqrt(g_dCalcFreq / 1000);
    CComplex gl = (alpha + g_jOmega / v) * length;
    CComplex ch = Cosh(gl);
    CComplex sh = Sinh(gl);
    return {ch, Zc * sh, sh / Zc, ch};
}

ChainMatrix CalcHfCableMatrix(const CProvod& cable, double length)
{
    return CalcHfCableMatrix(cable.attenuation(), cable.speed(), cable.waveImpedance(), length);
}

namespace {

// The values a filter of each type divides by without a test of its own.
std::vector<std::string> MissingFilterValues(const CFiltr& f)
{
    const FilterValues v{f};
    std::vector<std::string> missing;
    auto need = [&](bool ok, const char* name) {
        if (!ok)
            missing.emplace_back(name);
    };
    auto needC = [&](int i) { need(v.C(i) > 0, StrFormat("C%d", i).c_str()); };
    auto needL = [&](int i) { need(v.L(i) > 0, StrFormat("L%d", i).c_str()); };

    switch (f.type) {
    case 0:
        needL(1), needL(2);
        break;
    case 1:
    case 2:
        needC(1);
        if (f.type == 1)
            needL(1), needL(2);
        else
            needL(3), needL(4);
        break;
    case 4:
        needC(1), needC(2), needL(1);
        break;
    case 5:
        needC(1), needL(1), needL(2);
        break;
    case 6:
        needC(1);
        need(v.R(1) > 0 || v.L(1) > 0, "R1 или L1");
        break;
    default:
        break;
    }
    // The coefficient is required of every type (the catalog asks at least
    // 0.001); every type but 1 divides by it, type 1 builds its coil from it.
    need(f.ratio > 0, f.type <= 2 ? "коэффициент связи" : "коэффициент трансформации");
    return missing;
}

// The first resistance the filter's scheme reads that is negative (a
// negative resistor gives power: the channel would show gain), as "R" or
// "R<i>"; empty when none is.  Type 3 always has its R in the third branch;
// type 6 reads R<i> only where its branch has the R-L circuit.
std::string NegativeFilterResistance(const CFiltr& f)
{
    const FilterValues v{f};
    if (f.type == 3 && f.R < 0)
        return "R";
    if (f.type == 6)
        for (int i = 1; i <= 5; ++i)
            if (v.R(i) < 0 && Type6HasRL(v, i))
                return StrFormat("R%d", i);
    return {};
}

// The first value of the filter's scheme that is not finite, as "C<i>",
// "L<i>", "R", "R<i>" or the coefficient; empty when all are.  Every part
// the scheme has counts, also where the scheme tests it to leave a branch
// out: NaN is no absent part.
std::string NotFiniteFilterValue(const CFiltr& f)
{
    const FilterValues v{f};
    for (int i = 1; i <= CFiltr::kCapCount[f.type]; ++i)
        if (!std::isfinite(v.C(i)))
            return StrFormat("C%d", i);
    for (int i = 1; i <= CFiltr::kIndCount[f.type]; ++i)
        if (!std::isfinite(v.L(i)))
            return StrFormat("L%d", i);
    if (f.type == 3 && !std::isfinite(f.R))
        return "R";
    if (f.type == 6)
        for (int i = 1; i <= 5; ++i)
            if (!std::isfinite(v.R(i)))
                return StrFormat("R%d", i);
    if (!std::isfinite(f.ratio))
        return f.type <= 2 ? "коэффициент связи" : "коэффициент трансформации";
    return {};
}

} // namespace

std::string CheckFiltrValues(const CFiltr& filter)
{
    if (filter.type >= CFiltr::kTypes)
        return StrFormat("Фильтр присоединения \"%s\": неизвестный тип %d", filter.name.c_str(), filter.type + 1);
    if (const std::string what = NotFiniteFilterValue(filter); !what.empty())
        return NotFiniteReason(
            StrFormat("Фильтр присоединения \"%s\" (тип %d), %s", filter.name.c_str(), filter.type + 1, what.c_str()));
    std::vector<std::string> missing = MissingFilterValues(filter);
    if (missing.empty()) {
        const std::string negative = NegativeFilterResistance(filter);
        if (negative.empty())
            return {};
        return StrFormat("Фильтр присоединения \"%s\" (тип %d): сопротивление %s отрицательно", filter.name.c_str(),
                         filter.type + 1, negative.c_str());
    }
    std::string list;
    for (const std::string& m : missing)
        list += (list.empty() ? "" : ", ") + m;
    return StrFormat("Фильтр присоединения \"%s\" (тип %d): не заданы обязательные параметры: %s",
                     filter.name.c_str(), filter.type + 1, list.c_str());
}

std::string CheckHfCableValues(const CProvod& cable, double length)
{
    if (!std::isfinite(length))
        return NotFiniteReason(StrFormat("длина ВЧ кабеля \"%s\"", cable.name.c_str()));
    if (length < 0)
        return StrFormat("длина ВЧ кабеля \"%s\" отрицательна", cable.name.c_str());
    if (length == 0)
        return {};
    if (std::string loss = CheckHfCableLoss(cable); !loss.empty())
        return loss;
    if (!std::isfinite(cable.speed()) || !std::isfinite(cable.waveImpedance()))
        return NotFiniteReason(StrFormat("ВЧ кабель \"%s\", %s", cable.name.c_str(),
                                         std::isfinite(cable.speed()) ? "волновое сопротивление"
                                                                      : "скорость распространения"));
    std::string list;
    if (!(cable.speed() > 0))
        list = "скорость распространения";
    if (!(cable.waveImpedance() > 0))
        list += std::string(list.empty() ? "" : ", ") + "волновое сопротивление";
    if (list.empty())
        return {};
    return StrFormat("ВЧ кабель \"%s\": не заданы обязательные параметры: %s", cable.name.c_str(), list.c_str());
}

std::string CheckHfCableLoss(const CProvod& cable)
{
    if (!std::isfinite(cable.attenuation()))
        return NotFiniteReason(StrFormat("затухание ВЧ кабеля \"%s\"", cable.name.c_str()));
    // 0 is a lossless cable; below it the cable would amplify.
    if (cable.attenuation() < 0)
        return StrFormat("затухание ВЧ кабеля \"%s\" отрицательно", cable.name.c_str());
    return {};
}
