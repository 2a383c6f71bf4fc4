#include "calc/bypass.h"

#include "calc/blockembed.h"
#include "calc/cableline.h"
#include "calc/couplingfilter.h"
#include "calc/elementcheck.h"
#include "calc/simplemodels.h"
#include "math/linecalc.h"
#include "math/matrix.h"
#include "model/element.h"
#include "platform/format.h"

#include <cstdlib>
#include <vector>

namespace {

// A busbar conductor that is a ground wire or a cable screen: the low two bits
// of its code, taken without sign, are 3.
bool IsGroundConductor(int code)
{
    return (std::abs(code) & 3) == 3;
}

// The map positions of the bypassed wires: all of them for a bypass over the
// whole line (and in the field, where the codes do not matter), else the
// selected ones in index order.
std::vector<int> BypassedPositions(const CEObhod& data)
{
    std::vector<int> pos;
    const bool all = data.selectionMode == 0 || data.kind == 1;
    for (int i = 0; i < kMaxWires && int(pos.size()) < data.n; ++i)
        if (all || data.flags[i] != 0)
            pos.push_back(i);
    return pos;
}

// The channel equipment in the middle of a bypass line, 1/(R + jwL) + jwC;
// 0 for a line without equipment.
CComplex EquipmentAdmittance(const CObhod& line)
{
    if (!line.equipment)
        return CComplex();
    CComplex y = g_jOmega * line.c;
    if (BypassEquipmentHasRL(line))
        y += 1.0 / (line.r + g_jOmega * line.l);
    return y;
}

// The series element that breaks the ground conductors at the obstacle: 1e-6 S
// in a ground conductor, 100 S in the others.
void BuildGroundBreak(const bool* ground, int n, const TwoPortBlocks& out)
{
    MatZero(out.Y0, n);
    for (int i = 0; i < n; ++i)
        out.Y0[i * n + i] = CComplex(ground[i] ? 1e-6 : 100.0, 0.0);
    MatNeg(out.Y0, out.Y1, n, n);
    MatCopy(out.Y1, out.Y2, n, n);
}

// Grounds the given conductors at the far port with 100 S (a portal earth).
void GroundAtFarPort(const TwoPortBlocks& t, const bool* ground, int n)
{
    for (int i = 0; i < n; ++i)
        if (ground[i])
            t.Y2[i * n + i] -= CComplex(100.0, 0.0);
}

bool AddAllPaths(const CEObhod& data, const TwoPortBlocks& blocks, int n)
{
    for (const CObhod& line : data.lines)
        if (!AddBypassPath(line, data.kind, blocks, n))
            return false;
    return true;
}

// The substation between the two trap groups (kind 0).
void SubstationMiddle(const CEObhod& data, const BypassGrounds& g, const TwoPortBlocks& ta,
                      const TwoPortBlocks& mid, int n)
{
    std::vector<CComplex> ysub(std::size_t(n) * std::size_t(n));
    BuildBusbarShunt(data, g, n, ysub.data());
    if (!g.any) {
        TwoPortShuntFar(ta, ysub.data(), mid, n);
        return;
    }
    TwoPortStorage breakIn(n), breakOut(n);
    BuildGroundBreak(g.before, n, breakIn.blocks());
    BuildGroundBreak(g.after, n, breakOut.blocks());
    MatCascade(ta, breakIn.blocks(), mid, n);
    if (g_MatError)
        return;
    TwoPortShuntFar(mid, ysub.data(), mid, n);
    MatCascade(mid, breakOut.blocks(), mid, n);
    GroundAtFarPort(mid, g.after, n);
}

// The cable insert between the two trap groups (kind 2).
void CableInsertMiddle(const CEObhod& data, const BypassGrounds& g, const TwoPortBlocks& ta,
                       const TwoPortBlocks& mid, int n)
{
    // The cable carries the conductors that are not ground conductors; the
    // ground wires pass it as straight links behind their breaks.
    std::uint8_t carried[kMaxWires] = {};
    int nc = 0;
    for (int i = 0; i < n; ++i)
        if (!g.any || !g.before[i]) {
            carried[i] = 1;
            ++nc;
        }
    TwoPortStorage cable(n);
    if (!data.cableInsert || nc == 0) {
        g_MatError = 2;
        return;
    }
    CalcKLineConstants(*data.cableInsert, cable.blocks(), nc);
    if (g_MatError)
        return;
    if (!g.any) {
        MatCascade(ta, cable.blocks(), mid, n);
        return;
    }
    ExpandElementBlocks(cable.blocks(), carried, nc, n);
    TwoPortStorage breakIn(n), breakOut(n);
    BuildGroundBreak(g.before, n, breakIn.blocks());
    BuildGroundBreak(g.after, n, breakOut.blocks());
    MatCascade(ta, breakIn.blocks(), mid, n);
    if (!g_MatError)
        MatCascade(mid, cable.blocks(), mid, n);
    if (!g_MatError)
        MatCascade(mid, breakOut.blocks(), mid, n);
    GroundAtFarPort(mid, g.before, n);
}

} // namespace

bool BypassEquipmentHasRL(const CObhod& line)
{
    return line.equipment && LoadHasRL(line.r, line.l);
}

void BuildTrapTwoPort(const CEShunt& traps, int n, const TwoPortBlocks& out)
{
    MatZero(out.Y0, n);
    for (int i = 0; i < n; ++i)
        out.Y0[i * n + i] = CComplex(100.0, 0.0);
    for (const CShunt& branch : traps.branches)
        if (branch.firstWire < n)
            out.Y0[branch.firstWire * n + branch.firstWire] = CalcTrapAdmittance(branch);
    MatNeg(out.Y0, out.Y1, n, n);
    MatCopy(out.Y1, out.Y2, n, n);
}

ChainMatrix CalcBypassPathChain(const CObhod& line, int kind)
{
    ChainMatrix side[2];
    for (int i = 0; i < 2; ++i) {
        // In the field both cables run along the same route, each to the
        // middle: attenuation and speed of the first cable, half the length.
        const CProvod& own = line.cables[i];
        const CProvod& route = kind == 1 ? line.cables[0] : own;
        double length = i == 0 ? line.lengthBefore : line.lengthAfter;
        if (kind == 1)
            length /= 2;
        const ChainMatrix K = CalcHfCableMatrix(route.attenuation(), route.speed(), own.waveImpedance(), length);
        ChainMatrix F1, F2;
        CalcFiltrMatrices(F1, F2, line.filters[i], i == 0 ? line.polarity1 : line.polarity2);
        side[i] = F1 * F2 * K;
    }
    const CComplex ym = EquipmentAdmittance(line);
    return side[0] * ChainShunt(ym) * ChainReversed(side[1]);
}

bool AddBypassPath(const CObhod& line, int kind, const TwoPortBlocks& blocks, int n)
{
    const ChainMatrix T = CalcBypassPathChain(line, kind);
    // B = 0 (at some frequency) means no current from one end of the path to
    // the other: the path has no admittance form.
    if (!(Abs(T.B) > 1e-40) || line.wireBefore >= n || line.wireAfter >= n) {
        g_MatError = 2;
        return false;
    }
    const ChainAdmittance y = ChainToAdmittance(T);
    const int p = line.wireBefore, q = line.wireAfter;
    blocks.Y0[p * n + p] += y.y0;
    blocks.Y1[p * n + q] += y.y1;
    blocks.Y2[q * n + q] += y.y2;
    return true;
}

BypassGrounds FindBypassGrounds(const CElement& element, const CEObhod& data)
{
    BypassGrounds g;
    const std::vector<int> pos = BypassedPositions(data);
    for (std::size_t k = 0; k < pos.size(); ++k) {
        g.before[k] = IsGroundConductor(element.inMap[pos[k]]);
        g.after[k] = data.insideDoubling ? IsGroundConductor(element.outMap[pos[k]]) : g.before[k];
        g.any = g.any || g.before[k] || g.after[k];
    }
    return g;
}

void BuildBusbarShunt(const CEObhod& data, const BypassGrounds& g, int n, CComplex* Y)
{
    MatZero(Y, n);
    const CComplex c = g_jOmega * data.equivalentCapacitance;
    for (int i = 0; i < n; ++i)
        if (!g.before[i])
            Y[i * n + i] = c;
    // The mutual capacitances keep their places in the triangle even when a
    // pair is skipped.
    if (data.triangle) {
        const std::vector<double>& t = *data.triangle;
        std::size_t index = 0;
        for (int i = 0; i < n - 1; ++i)
            for (int k = i + 1; k < n; ++k, ++index) {
                if (index >= t.size() || g.before[i] || g.after[k])
                    continue;
                Y[i * n + k] = Y[k * n + i] = g_jOmega * t[index];
            }
    }
    // Nodal form: the mutual branches join each diagonal entry.
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (j != i) {
                Y[i * n + i] += Y[i * n + j];
                Y[i * n + j] = -Y[i * n + j];
            }
}

void CalcEObhodMatrices(const CElement& element, const TwoPortBlocks& out)
{
    const CEObhod* data = element.Data<CEObhod>();
    if (!data || data->n < 1 || data->n > kMaxWires) {
        g_MatError = 2;
        return;
    }
    const int n = data->n;
    MatZero(out.Y0, n);
    MatZero(out.Y1, n);
    MatZero(out.Y2, n);

    TwoPortStorage ta(n), tb(n), mid(n);
    BuildTrapTwoPort(data->traps[0], n, ta.blocks());
    BuildTrapTwoPort(data->traps[1], n, tb.blocks());

    if (data->kind == 1) {
        // In the field: the paths lie in parallel with the power line between
        // the two trap groups.
        SetSeriesLink(n, 100.0, mid.blocks());
        if (!AddAllPaths(*data, mid.blocks(), n))
            return;
        MatCascade(ta.blocks(), mid.blocks(), mid.blocks(), n);
        if (!g_MatError)
            MatCascade(mid.blocks(), tb.blocks(), out, n);
        return;
    }

    const BypassGrounds g = FindBypassGrounds(element, *data);
    if (g.any)
        GroundAtFarPort(ta.blocks(), g.before, n);
    if (data->kind == 2)
        CableInsertMiddle(*data, g, ta.blocks(), mid.blocks(), n);
    else
        SubstationMiddle(*data, g, ta.blocks(), mid.blocks(), n);
    if (g_MatError)
        return;
    MatCascade(mid.blocks(), tb.blocks(), out, n);
    if (!g_MatError)
        AddAllPaths(*data, out, n);
}

std::string CheckBypassElement(const CElement& element, int number)
{
    const CEObhod* data = element.Data<CEObhod>();
    auto refuse = [number](const std::string& reason) { return FormatElementDataError(number, reason); };
    if (!data)
        return refuse("не заданы параметры обхода");
    const int n = data->n, wires = element.wirePositions;
    if (n < 1 || n > wires)
        return refuse(StrFormat("обход задан для %d проводов, а у элемента %d проводов", n, wires));
    if (data->selectionMode != 0) {
        if (SelectedCount(data->flags, wires) != n)
            return refuse(StrFormat("в обход выбрано %d проводов вместо %d", SelectedCount(data->flags, wires), n));
    } else if (n != wires && !(data->kind == 0 && data->insideDoubling && 2 * n == wires)) {
        return refuse(StrFormat("обход задан для %d проводов, а у элемента %d проводов", n, wires));
    }
    for (int side = 0; side < 2; ++side)
        for (const CShunt& b : data->traps[side].branches)
            if (b.firstWire >= n)
                return refuse(StrFormat("заградитель в проводе %d вне обходимых проводов (%d)", b.firstWire + 1, n));
    int index = 0;
    for (const CObhod& line : data->lines) {
        ++index;
        if (line.wireBefore >= n || line.wireAfter >= n)
            return refuse(StrFormat("линия обхода %d подключена к проводу вне обходимых проводов (%d)", index, n));
        if (data->kind == 1 && line.lengthAfter > 0 && !(line.cables[0].speed() > 0))
            return refuse(StrFormat("у ВЧ кабеля линии обхода %d не задана скорость распространения", index));
    }
    if (data->kind == 2) {
        if (!data->cableInsert)
            return refuse("не задана кабельная вставка");
        const BypassGrounds g = FindBypassGrounds(element, *data);
        int nc = 0;
        for (int i = 0; i < n; ++i)
            if (!g.any || !g.before[i])
                ++nc;
        std::string reason = nc > 0 ? CheckKLineValues(*data->cableInsert, nc) : "все провода кабельной вставки - тросы";
        if (!reason.empty())
            return refuse(reason);
    }
    return {};
}
