#include "examples/examplecatalog.h"

#include "catalog/filtrdlg.h"
#include "catalog/kabdlg.h"
#include "catalog/oporadlg.h"
#include "catalog/provoddlg.h"
#include "catalog/vchkabdlg.h"
#include "catalog/zagraddlg.h"

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace examplenames;

namespace {

constexpr double kPi = 3.14159265358979323846;

// The editor's OK step on the item it was opened on: the item then holds
// what "Сохранить" writes (values rounded to the editor's fields).
template <class Dlg>
void Save(Dlg& dlg, const std::string& name)
{
    dlg.OnInitDialog();
    if (dlg.OnOK() != IDOK)
        throw std::runtime_error("the catalog editor refuses " + name);
}

template <class T>
T& Append(ObjList<T>& list)
{
    list.push_back(std::make_unique<T>());
    return *list.back();
}

// A tower from its suspension points (m): phase wires first, then ground wires.
void AddTower(CBase& base, const char* name, const std::vector<std::pair<double, double>>& points)
{
    COpora& t = Append(base.towers);
    t.name = name;
    t.count = std::uint8_t(points.size());
    for (const auto& [x, y] : points) {
        t.x.push_back(x);
        t.y.push_back(y);
    }
    COporaDlg dlg;
    dlg.m_pOpora = &t;
    Save(dlg, name);
}

// A wire by its outer diameter (mm) and resistivity (ohm*m).  The twist
// coefficient 1 takes the stranded surface as a smooth one.
void AddWire(ObjList<CProvod>& list, std::uint8_t kind, const char* name, double diameterMm, double resistivity)
{
    CProvod& w = Append(list);
    w.name = name;
    w.radius = diameterMm * 0.0005;
    w.twist = 1.0;
    w.resistivity = resistivity;
    CProvodDlg dlg;
    dlg.m_pItem = &w;
    dlg.m_nKind = kind;
    Save(dlg, name);
}

void SaveFilter(CFiltr& f)
{
    CFiltrDlg dlg;
    dlg.m_pFiltr = &f;
    Save(dlg, f.name);
}

// A new coupling filter of a type (0-based) with its count of elements.
CFiltr& NewFilter(CBase& base, const char* name, int type)
{
    CFiltr& f = Append(base.filters[type]);
    f.name = name;
    f.type = std::uint8_t(type);
    f.nC = CFiltr::kCapCount[type];
    f.nL = CFiltr::kIndCount[type];
    return f;
}

// A coupling filter of the editor's type 5: the coupling capacitor C1, the
// drain coil L1 to earth, the series capacitor C2 and a matching
// transformer.  Together C1, L1 and C2 form a constant-k high-pass T
// section of image impedance r0 whose cut-off lies where the coupling
// capacitor (two half-section capacitors 2C in series with the line) puts it.
void AddHighPassFilter(CBase& base, const char* name, double couplingC, double r0, double cableZ)
{
    const double halfC = couplingC / 2;                 // C of the full series arm
    const double fc = 1.0 / (4 * kPi * r0 * halfC);     // cut-off, Hz
    CFiltr& f = NewFilter(base, name, 4);
    f.C[0] = couplingC;
    f.L[0] = r0 / (4 * kPi * fc);
    f.C[1] = couplingC;
    f.ratio = std::sqrt(r0 / cableZ);
    SaveFilter(f);
}

// A coupling filter of the editor's type 4 built as a constant-k band-pass
// half section of image impedance r0 for the band f1..f2: a series circuit
// (the coupling capacitor C1 with the tuning coil L1) towards the line, a
// parallel circuit (C2, L2) to earth, both tuned to the band's geometric
// middle, the coils' loss as R and a matching transformer to the cable.
void AddBandPassFilter(CBase& base, const char* name, double couplingC, double f1, double f2, double r0,
                       double cableZ, double lossR)
{
    const double w0 = 2 * kPi * std::sqrt(f1 * f2);
    const double shuntL = 2 * r0 * (f2 - f1) / (4 * kPi * f1 * f2);  // 2 Z2 of the half section
    CFiltr& f = NewFilter(base, name, 3);
    f.C[0] = couplingC;
    f.L[0] = 1.0 / (w0 * w0 * couplingC);
    f.L[1] = shuntL;
    f.C[1] = 1.0 / (w0 * w0 * shuntL);
    f.R = lossR;
    f.ratio = std::sqrt(r0 / cableZ);
    SaveFilter(f);
}

// A wide-band line trap of scheme 1: the reactor L1 tuned by C1 to the
// geometric middle f0 of its blocking band and damped by the resistor R, so
// that the trap's impedance stays above R / sqrt(2) over a band of width
// 1 / (2 pi R C1) around f0.
void AddTrap(CBase& base, const char* name, double reactorL, double f0, double r)
{
    const double w0 = 2 * kPi * f0;
    CZagrad& t = Append(base.traps);
    t.name = name;
    t.scheme = 0;
    t.L1 = reactorL;
    t.C1 = 1.0 / (w0 * w0 * reactorL);
    t.R = r;
    CZagradDlg dlg;
    dlg.m_pZagrad = &t;
    Save(dlg, name);
}

} // namespace

void BuildExampleCatalog(CBase& base)
{
    base.RemoveAll();

    // Suspension points (x, height in m): three phases, then ground wires.
    AddTower(base, kTower110, {{-2.0, 14.5}, {2.5, 17.5}, {-2.0, 20.5}, {0.0, 24.0}});
    AddTower(base, kTower220, {{-6.0, 20.0}, {4.0, 26.5}, {6.0, 20.0}, {0.0, 31.0}});
    AddTower(base, kTower500, {{-12.0, 22.0}, {0.0, 22.0}, {12.0, 22.0}, {-10.5, 31.0}, {10.5, 31.0}});

    // Steel-aluminium wires: outer diameters of the standard tables; at high
    // frequency the current keeps to the aluminium surface (skin depth about
    // 0.27 mm at 100 kHz), so the resistivity is aluminium's.
    constexpr double kAluminium = 2.83e-8;
    AddWire(base.phaseWires, 2, kWire120, 15.2, kAluminium);
    AddWire(base.phaseWires, 2, kWire240, 21.6, kAluminium);
    AddWire(base.phaseWires, 2, kWire300, 24.0, kAluminium);
    // Ground wires: a steel one (its resistivity that of steel wire) and the
    // steel-aluminium one of large lines, aluminium outside.
    AddWire(base.groundWires, 3, kGroundWire, 11.0, 1.5e-7);
    AddWire(base.groundWires, 3, kGroundWire500, 15.4, kAluminium);

    // The 110 kV cross-linked polyethylene cable, aluminium core 630 mm^2,
    // copper screen 95 mm^2 (diameters in m, loss tangents as fractions).
    CKabTv& cable = Append(base.solidCables);
    cable.name = kPowerCable;
    cable.coreRadius = 0.0151;
    cable.screenInnerRadius = 0.0330;
    cable.screenOuterRadius = 0.0345;
    cable.outerRadius = 0.0400;
    cable.tanInner = 0.0005;
    cable.tanOuter = 0.001;
    cable.epsInner = 2.4;
    cable.epsOuter = 2.3;
    cable.rhoCore = kAluminium;
    cable.rhoScreen = 1.72e-8;
    CKabTvDlg cableDlg;
    cableDlg.m_pItem = &cable;
    Save(cableDlg, kPowerCable);

    // The 75 ohm HF cable with polyethylene insulation: about 1.1 dB per
    // 100 m at 1 MHz, velocity factor 0.66.
    CProvod& hf = Append(base.hfCables);
    hf.name = kHfCable;
    hf.radius = 3.5e-4;  // dB/(m*sqrt(kHz))
    hf.twist = 1.98e8;   // m/s
    hf.resistivity = 75.0;
    CVchKabDlg hfDlg;
    hfDlg.m_pItem = &hf;
    Save(hfDlg, kHfCable);

    // Coupling filters: a phase-to-earth line side of about 400 ohm matched
    // to the 75 ohm cable.
    AddHighPassFilter(base, kHighPassFilter, 6400e-12, 400.0, 75.0);
    AddBandPassFilter(base, kBandPassFilter, 3200e-12, 100e3, 400e3, 400.0, 75.0, 3.0);

    // Line traps of two ratings, blocking resistance 600 ohm.
    AddTrap(base, kTrap630, 0.5e-3, 170e3, 600.0);
    AddTrap(base, kTrap1250, 1.0e-3, 150e3, 600.0);
}

namespace {

template <class T>
const T& Find(const ObjList<T>& list, const char* name)
{
    for (const auto& item : list)
        if (item->name == name)
            return *item;
    throw std::runtime_error(std::string("no catalog item ") + name);
}

} // namespace

const COpora& FindTower(const CBase& base, const char* name) { return Find(base.towers, name); }
const CProvod& FindPhaseWire(const CBase& base, const char* name) { return Find(base.phaseWires, name); }
const CProvod& FindGroundWire(const CBase& base, const char* name) { return Find(base.groundWires, name); }
const CProvod& FindHfCable(const CBase& base, const char* name) { return Find(base.hfCables, name); }
const CZagrad& FindTrap(const CBase& base, const char* name) { return Find(base.traps, name); }

const CFiltr& FindFilter(const CBase& base, const char* name)
{
    for (const auto& list : base.filters)
        for (const auto& item : list)
            if (item->name == name)
                return *item;
    throw std::runtime_error(std::string("no coupling filter ") + name);
}
