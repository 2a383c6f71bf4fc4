#include "calc/simplecheck.h"

#include "calc/bypass.h"
#include "calc/couplingfilter.h"
#include "calc/elementcheck.h"
#include "calc/linetrap.h"
#include "calc/simplemodels.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/shunts.h"
#include "platform/format.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Every value of the trap's scheme is read, R also where it only decides
// whether the resistor branch is there; L4 belongs to scheme 2 alone.
std::string CheckTrapValues(const CZagrad& t)
{
    return FirstNotFinite(StrFormat("заградитель \"%s\", ", t.name.c_str()),
                          {{"C1", t.C1}, {"C2", t.C2}, {"C3", t.C3}, {"L1", t.L1}, {"L2", t.L2}, {"L3", t.L3},
                           {"R", t.R}, {"L4", t.scheme == 2 ? t.L4 : 0.0}});
}

// A negative resistance in a trap or a branch gives power: a passive
// element would show gain.  0 is a trap without R or a lossless branch.  Each
// R is refused only where its model reads it: a branch the model leaves out
// (or reads as a short or a break) calculates whatever its R holds.
std::string CheckTraps(const CEShunt& traps)
{
    for (const CShunt& b : traps.branches) {
        if (std::string reason = CheckTrapValues(b.trap); !reason.empty())
            return reason;
        if (b.trap.R < 0 && TrapHasResistorBranch(b.trap))
            return StrFormat("сопротивление R заградителя \"%s\" отрицательно", b.trap.name.c_str());
    }
    return {};
}

std::string CheckBranches(const CEShunt& data, int n, bool twoWires)
{
    // The shunt element puts the substation's capacitance in series with its
    // ground branches.
    if (twoWires && !std::isfinite(data.capacitance))
        return NotFiniteReason("эквивалентная емкость подстанции");
    int index = 0;
    for (const CShunt& b : data.branches) {
        ++index;
        int top = twoWires ? std::max(b.firstWire, b.secondWire) : b.firstWire;
        if (top >= n)
            return StrFormat("ветвь %d подключена к проводу %d, а у элемента %d проводов", index, top + 1, n);
        if (data.trapKind == 0)
            if (std::string reason = FirstNotFinite(StrFormat("ветвь %d, ", index), {{"R", b.r}, {"L", b.l}, {"C", b.c}});
                !reason.empty())
                return reason;
        if (data.trapKind == 0 && b.r < 0 &&
            DampedBranchHasRL(b, twoWires ? BranchOf::ShuntElement : BranchOf::SeriesElement))
            return StrFormat("сопротивление ветви %d отрицательно", index);
    }
    return data.trapKind != 0 ? CheckTraps(data) : std::string();
}

std::string CheckTransposition(const CTransp* data, int n, int split)
{
    if (!data || !data->permutation)
        return "не задана перестановка проводов";
    if (split >= 0 && split + 1 >= n)
        return StrFormat("расщепленный провод %d вне числа проводов элемента (%d)", split + 1, n);
    // With a split conductor the permutation counts it once.
    const int conductors = split >= 0 ? n - 1 : n;
    if (int(data->permutation->size()) < conductors)
        return StrFormat("перестановка задана для %d проводов из %d", int(data->permutation->size()), conductors);
    std::vector<bool> used(std::size_t(conductors), false);
    for (int j = 0; j < conductors; ++j) {
        int t = data->Target(j);
        if (t < 0 || t >= conductors)
            return StrFormat("провод %d переставлен на позицию %d, а проводов %d", j + 1, t + 1, conductors);
        if (used[std::size_t(t)])
            return StrFormat("на позицию %d переставлены два провода", t + 1);
        used[std::size_t(t)] = true;
    }
    return {};
}

std::string CheckDevice(const CFiltr& filter, const CProvod& cable, double length)
{
    std::string reason = CheckFiltrValues(filter);
    if (reason.empty())
        reason = CheckHfCableValues(cable, length);
    return reason;
}

std::string CheckCoupling(const CUpr* data, int n)
{
    if (!data)
        return {};
    for (const CPrisoed& d : data->devices) {
        if (d.wire >= n)
            return StrFormat("устройство присоединения подключено к проводу %d, а у элемента %d проводов",
                             d.wire + 1, n);
        if (std::string reason = FirstNotFinite(
                StrFormat("аппаратура устройства присоединения к проводу %d, ", d.wire + 1),
                {{"R", d.r}, {"L", d.l}, {"C", d.c}});
            !reason.empty())
            return reason;
        if (d.r < 0 && LoadHasRL(d.r, d.l))
            return StrFormat("сопротивление аппаратуры устройства присоединения к проводу %d отрицательно",
                             d.wire + 1);
        std::string reason = CheckDevice(d.filter, d.cable, d.cableLength);
        if (!reason.empty())
            return reason;
    }
    return {};
}

std::string CheckBypassFilters(const CEObhod* data)
{
    if (!data)
        return {};
    // The busbar capacitances of a bypass at the substation.
    if (data->kind == 0) {
        if (!std::isfinite(data->equivalentCapacitance))
            return NotFiniteReason("эквивалентная емкость сборных шин");
        if (data->triangle && !AllFinite(data->triangle->data(), data->triangle->size()))
            return NotFiniteReason("взаимная емкость сборных шин");
    }
    for (const CEShunt& traps : data->traps)
        if (std::string reason = CheckTraps(traps); !reason.empty())
            return reason;
    int index = 0;
    for (const CObhod& line : data->lines) {
        ++index;
        for (int side = 0; side < 2; ++side) {
            std::string reason =
                CheckDevice(line.filters[side], line.cables[side], side == 0 ? line.lengthBefore : line.lengthAfter);
            if (!reason.empty())
                return reason;
        }
        // In the field both halves run along the first cable's route and
        // take its attenuation.
        if (data->kind == 1 && line.lengthAfter > 0) {
            if (std::string reason = CheckHfCableLoss(line.cables[0]); !reason.empty())
                return reason;
            if (!std::isfinite(line.cables[0].speed()))
                return NotFiniteReason(StrFormat("ВЧ кабель \"%s\", скорость распространения",
                                                 line.cables[0].name.c_str()));
        }
        if (line.equipment)
            if (std::string reason = FirstNotFinite(StrFormat("аппаратура линии обхода %d, ", index),
                                                    {{"R", line.r}, {"L", line.l}, {"C", line.c}});
                !reason.empty())
                return reason;
        if (line.r < 0 && BypassEquipmentHasRL(line))
            return StrFormat("сопротивление аппаратуры линии обхода %d отрицательно", index);
    }
    return {};
}

std::string CheckAttachedEnd(const CEndMod* data, int n)
{
    if (!data || (data->kind != 1 && data->kind != 4))
        return {};
    auto shortArray = [n](const std::optional<std::vector<double>>& a) { return a && int(a->size()) < n; };
    // A resistive load reads R alone; the R, L, C load all three (an absent
    // array is a value of 0 on every wire).
    bool shortData = data->count < n || shortArray(data->r) ||
                     (data->kind == 4 && (shortArray(data->l) || shortArray(data->c)));
    if (shortData)
        return StrFormat("нагрузки заданы не для всех %d проводов", n);
    for (int i = 0; i < n; ++i) {
        auto at = [i](const std::optional<std::vector<double>>& a) { return a ? (*a)[std::size_t(i)] : 0.0; };
        const bool rlc = data->kind == 4;
        std::string reason = FirstNotFinite(StrFormat("нагрузка провода %d, ", i + 1),
                                            {{"R", at(data->r)}, {"L", rlc ? at(data->l) : 0.0},
                                             {"C", rlc ? at(data->c) : 0.0}});
        if (!reason.empty())
            return reason;
    }
    for (int i = 0; data->r && i < n; ++i)
        if ((*data->r)[std::size_t(i)] < 0 && AttachedEndReadsR(*data, i))
            return StrFormat("сопротивление нагрузки провода %d отрицательно", i + 1);
    return {};
}

} // namespace

std::string CheckSimpleElementData(const CElement& e, int number)
{
    const int n = e.wirePositions;
    std::string reason;
    switch (e.type) {
    case kShuntImpedance:
    case kSeriesImpedance:
        if (const CEShunt* d = e.Data<CEShunt>())
            reason = CheckBranches(*d, n, e.type == kShuntImpedance);
        break;
    case kTransposition:
        reason = CheckTransposition(e.Data<CTransp>(), n, e.splitConductor);
        break;
    case kCouplingDevice:
        reason = CheckCoupling(e.Data<CUpr>(), n);
        break;
    case kBypass:
        reason = CheckBypassFilters(e.Data<CEObhod>());
        break;
    case kAttachedEnd:
        reason = CheckAttachedEnd(e.Data<CEndMod>(), n);
        break;
    case kTapLoad:
        // Only the load on the equivalent capacitance reads its capacitance.
        if (const CNagrOtv* d = e.Data<CNagrOtv>(); d && d->mode == 2 && !std::isfinite(d->capacitance))
            reason = NotFiniteReason("эквивалентная емкость нагрузки ответвления");
        break;
    default:
        break;
    }
    return reason.empty() ? std::string() : FormatElementDataError(number, reason);
}
