#include "model/lines.h"

#include "model/conductors.h"
#include "platform/archive.h"

#include <cmath>

void CheckLoadedWire(ArchiveReader& ar, int wire, const char* what, std::size_t at)
{
    if (wire >= kMaxWires || wire >= g_nLoadWires)
        ar.failAt(at == std::size_t(-1) ? ar.offset() : at, std::string(what) + " " + std::to_string(wire) +
                                                                " вне " + std::to_string(g_nLoadWires) +
                                                                " проводов элемента");
}

void CheckWireCount(ArchiveReader& ar, int count, const char* what)
{
    if (count > kMaxWires)
        ar.fail(std::string(what) + " " + std::to_string(count) + " больше 40");
}

namespace {

bool Near(double a, double b, double tol)
{
    return std::fabs(a - b) <= tol;
}

// The calculation solves an overhead section as its mirror halves unless the
// low byte of its symmetry code is -1, and a cable section in solid insulation
// unless its code is negative or that byte is -1.  The two paths agree only
// to rounding, so sections that take different ones never share results.
bool VLineSolvedByHalves(int symmetry)
{
    return static_cast<signed char>(symmetry) != -1;
}

bool KLineSolvedByHalves(int symmetry)
{
    return symmetry >= 0 && static_cast<signed char>(symmetry) != -1;
}

std::vector<std::uint8_t> ReadSpanValues(ArchiveReader& ar, std::uint16_t pieces)
{
    return ar.readBytes(pieces, "длины пролетов");
}

void WriteSpanValues(ArchiveWriter& ar, const std::vector<std::uint8_t>& v, std::uint16_t pieces)
{
    for (std::size_t i = 0; i < pieces; ++i)
        ar.writeByte(i < v.size() ? v[i] : 0);
}

}  // namespace

// ---- CVLProv ----------------------------------------------------------------

void CVLProv::Load(ArchiveReader& ar)
{
    sag = ar.readDouble("стрела провеса провода");
    bundleStep = ar.readDouble("шаг расщепления");
    iceThickness = ar.readDouble("толщина гололеда");
    iceDensity = ar.readDouble("плотность гололеда");
    bundleCount = ar.readByte("число проводов в фазе");
    wireType.Load(ar);
}

void CVLProv::Store(ArchiveWriter& ar) const
{
    ar.writeDouble(sag);
    ar.writeDouble(bundleStep);
    ar.writeDouble(iceThickness);
    ar.writeDouble(iceDensity);
    ar.writeByte(bundleCount);
    wireType.Store(ar);
}

void CVLProv::LoadDalvex(ArchiveReader& ar)
{
    sag = ar.readDouble("стрела провеса провода");
    bundleStep = ar.readDouble("шаг расщепления");
    bundleCount = ar.readByte("число проводов в фазе");
    wireType.Load(ar);
    iceThickness = 0.0;
    iceDensity = 0.0;
}

// ---- CVLine -----------------------------------------------------------------

void CVLine::Clear()
{
    *this = CVLine();
}

void CVLine::Copy(const CVLine& src)
{
    if (this == &src)
        return;
    Clear();
    wires = src.wires;
    phaseWires = src.phaseWires;
    ice = src.ice;
    inhomogeneity = src.inhomogeneity;
    earthModel = src.earthModel;
    spanValues = src.spanValues;
    wireCount = src.wireCount;
    pieces = src.pieces;
    tower.Copy(src.tower);
    iceTemperature = src.iceTemperature;
    iceFactor = src.iceFactor;
    spanDeviation = src.spanDeviation;
    earthRho1 = src.earthRho1;
    earthRho2 = src.earthRho2;
    earthEps1 = src.earthEps1;
    earthEps2 = src.earthEps2;
    layerDepth = src.layerDepth;
    spanMean = src.spanMean;
    length = src.length;
    symmetry = src.symmetry;
    if (src.inhomogeneity != 0)
        matrix.Copy(src.matrix);
    wireArray = src.wireArray;
}

const CVLProv* CVLine::Wire(int i) const
{
    if (!wireArray || i < 0 || i >= int(wireArray->size()))
        return nullptr;
    return &(*wireArray)[std::size_t(i)];
}

void CVLine::Load(ArchiveReader& ar)
{
    Clear();
    wires = ar.readByte("провода линии");
    phaseWires = ar.readByte("фазные провода линии");
    ice = ar.readByte("признак гололеда");
    inhomogeneity = ar.readByte("неоднородность линии");
    layerDepth = ar.readDouble("глубина слоя");
    spanMean = ar.readDouble("средняя длина пролета");
    length = ar.readDouble("длина линии");
    pieces = ar.readWord("число участков линии");
    earthModel = ar.readByte("модель земли");
    iceTemperature = ar.readDouble("температура гололеда");
    iceFactor = ar.readDouble("коэффициент гололеда");
    spanDeviation = ar.readDouble("разброс длин пролетов");
    earthRho1 = ar.readDouble("удельное сопротивление земли");
    earthRho2 = ar.readDouble("удельное сопротивление земли");
    earthEps1 = ar.readDouble("диэлектрическая проницаемость земли");
    earthEps2 = ar.readDouble("диэлектрическая проницаемость земли");
    tower.Load(ar);
    std::uint8_t hasSpans = ar.readByte("признак длин пролетов");
    wireCount = g_nTaskVersion >= 5 ? ar.readByte("число проводов линии") : wires;
    CheckWireCount(ar, wireCount, "число проводов воздушной линии");
    if (hasSpans)
        spanValues = ReadSpanValues(ar, pieces);
    if (ar.readByte("признак проводов линии")) {
        ar.checkCount(wireCount, 58, "провода линии");
        wireArray.emplace(wireCount);
        for (CVLProv& w : *wireArray)
            w.Load(ar);
    }
    if (inhomogeneity != 0)
        matrix.Load(ar);
    AfterLoad();
}

void CVLine::Store(ArchiveWriter& ar)
{
    ar.writeByte(wires);
    ar.writeByte(phaseWires);
    ar.writeByte(ice);
    ar.writeByte(inhomogeneity);
    ar.writeDouble(layerDepth);
    ar.writeDouble(spanMean);
    ar.writeDouble(length);
    ar.writeWord(pieces);
    ar.writeByte(earthModel);
    for (double d : {iceTemperature, iceFactor, spanDeviation, earthRho1, earthRho2, earthEps1, earthEps2})
        ar.writeDouble(d);
    tower.Store(ar);
    bool hasSpans = spanValues.has_value() && inhomogeneity == 1;
    ar.writeByte(hasSpans ? 1 : 0);
    ar.writeByte(wireCount);
    if (hasSpans)
        WriteSpanValues(ar, *spanValues, pieces);
    ar.writeByte(wireArray ? 1 : 0);
    if (wireArray) {
        // wireCount records; a missing wire is written as a new one.
        for (int i = 0; i < wireCount; ++i) {
            const CVLProv* w = Wire(i);
            (w ? *w : CVLProv()).Store(ar);
        }
    }
    if (inhomogeneity != 0)
        matrix.Store(ar);
}

void CVLine::LoadDalvex(ArchiveReader& ar)
{
    Clear();
    inhomogeneity = ar.readByte("неоднородность линии");
    spanMean = ar.readDouble("средняя длина пролета");
    length = ar.readDouble("длина линии");
    pieces = ar.readWord("число участков линии");
    spanDeviation = ar.readDouble("разброс длин пролетов");
    earthRho1 = ar.readDouble("удельное сопротивление земли");
    tower.Load(ar);
    std::uint8_t hasSpans = ar.readByte("признак длин пролетов");
    wires = ar.readByte("провода линии");
    phaseWires = ar.readByte("фазные провода линии");
    CheckWireCount(ar, wires, "число проводов воздушной линии");
    if (hasSpans)
        spanValues = ReadSpanValues(ar, pieces);
    wireCount = wires;
    if (ar.readByte("признак проводов линии")) {
        ar.checkCount(wireCount, 42, "провода линии");
        wireArray.emplace(wireCount);
        for (CVLProv& w : *wireArray)
            w.LoadDalvex(ar);
    }
    if (inhomogeneity != 0)
        matrix.Load(ar);
    // What the sibling program does not keep: no ice, one-layer earth by
    // Carson's formulas.
    ice = 0;
    iceTemperature = iceFactor = 0.0;
    earthRho2 = earthEps1 = earthEps2 = layerDepth = 0.0;
    earthModel = 1;
    AfterLoad();
}

void CVLine::AfterLoad()
{
    if (inhomogeneity != 0 || g_nSplitConductor >= 0) {
        symmetry = -1;
        return;
    }
    symmetry = FindSymmetricWires(tower.x.data(), tower.y.data(),
                                  std::uint8_t(std::min<std::size_t>(tower.count, tower.x.size())));
    if (symmetry == -1 || wires < 2)
        return;
    // Every wire pair below must exist in the wire array, on the tower and in
    // the 40-entry pair table.
    if (!wireArray || wires > wireArray->size() || wires > tower.count || wires > kMaxWires) {
        symmetry = -1;
        return;
    }
    const std::vector<CVLProv>& w = *wireArray;
    for (int i = 1; i < wires; ++i) {
        int pair = g_SymWires[i];
        if (pair == 0)
            continue;
        for (int j = 0; j < i; ++j) {
            if (g_SymWires[j] != -pair)
                continue;
            const CVLProv& a = w[std::size_t(i)];
            const CVLProv& b = w[std::size_t(j)];
            bool agree = !(i >= phaseWires && j < phaseWires) && a.wireType.name == b.wireType.name &&
                         Near(a.sag, b.sag, 0.001) && a.bundleCount == b.bundleCount &&
                         (a.bundleCount <= 1 || Near(a.bundleStep, b.bundleStep, 0.001)) &&
                         (!ice || (Near(a.iceThickness, b.iceThickness, 0.001) &&
                                   Near(a.iceDensity, b.iceDensity, 0.001)));
            if (!agree) {
                symmetry = -1;
                return;
            }
        }
    }
}

std::uint8_t CVLine::IsSame(const CVLine& o) const
{
    if (wires != o.wires || wireCount != o.wireCount || phaseWires != o.phaseWires ||
        inhomogeneity != o.inhomogeneity || earthModel != o.earthModel || tower.Compare(o.tower) == 0)
        return 0;
    if (VLineSolvedByHalves(symmetry) != VLineSolvedByHalves(o.symmetry))
        return 0;
    if (ice != o.ice || !Near(earthRho1, o.earthRho1, 0.001))
        return 0;
    if (earthModel != 1 && !Near(earthEps1, o.earthEps1, 0.001))
        return 0;
    // The refined two-layer earth is any model without the Carson bit and with
    // the two-layer bit, not only model 2.
    const bool twoLayer = !(earthModel & 1) && (earthModel & 2);
    if (twoLayer && (!Near(layerDepth, o.layerDepth, 0.001) || !Near(earthRho2, o.earthRho2, 0.001) ||
                     !Near(earthEps2, o.earthEps2, 0.001)))
        return 0;
    if (ice && (!Near(iceTemperature, o.iceTemperature, 1e-5) || !Near(iceFactor, o.iceFactor, 1e-6)))
        return 0;
    if (inhomogeneity != 0 &&
        (matrix.Compare(o.matrix) == 0 || pieces != o.pieces || !Near(spanMean, o.spanMean, 0.001)))
        return 0;
    if (inhomogeneity == 1) {
        if (!Near(spanDeviation, o.spanDeviation, 0.001))
            return 0;
        // A line with fewer values than spans draws new ones when it is
        // calculated, so it is the same as no other.
        if (!spanValues || !o.spanValues || spanValues->size() < pieces || o.spanValues->size() < pieces)
            return 0;
        for (std::size_t i = 0; i < pieces; ++i)
            if ((*spanValues)[i] != (*o.spanValues)[i])
                return 0;
    }
    for (int i = 0; i < wireCount; ++i) {
        const CVLProv* a = Wire(i);
        const CVLProv* b = o.Wire(i);
        if (!a || !b) {
            if (a != b)
                return 0;
            continue;
        }
        if (a->wireType.Compare(b->wireType) == 0 || !Near(a->sag, b->sag, 0.001) ||
            a->bundleCount != b->bundleCount)
            return 0;
        if (ice && (!Near(a->iceThickness, b->iceThickness, 1e-5) || !Near(a->iceDensity, b->iceDensity, 1e-6)))
            return 0;
        if (a->bundleCount > 1 && !Near(a->bundleStep, b->bundleStep, 1e-5))
            return 0;
    }
    return std::fabs(length - o.length) < 0.001 ? 2 : 1;
}

// ---- CKLine -----------------------------------------------------------------

int CKLine::CableCount() const
{
    int n = pipe == 1 ? 3 : 3 * circuits;
    return std::min(n, kMaxWires);
}

void CKLine::Clear()
{
    *this = CKLine();
}

void CKLine::Copy(const CKLine& src)
{
    if (this == &src)
        return;
    Clear();
    elementWires = src.elementWires;
    circuits = src.circuits;
    pipe = src.pipe;
    rho = src.rho;
    pipeRadius = src.pipeRadius;
    pipeMu = src.pipeMu;
    length = src.length;
    for (int i = 0; i < src.CableCount(); ++i) {
        x[i] = src.x[i];
        y[i] = src.y[i];
    }
    symmetry = src.symmetry;
    pipeCable.Copy(src.pipeCable);
    solidCable.Copy(src.solidCable);
}

void CKLine::Load(ArchiveReader& ar)
{
    Clear();
    rho = ar.readDouble("удельное сопротивление земли у кабеля");
    pipeRadius = ar.readDouble("радиус трубы");
    pipeMu = ar.readDouble("магнитная проницаемость трубы");
    length = ar.readDouble("длина кабеля");
    if (g_nTaskVersion == 0) {
        // Oldest form: six coordinate pairs whatever the circuit count.
        for (int i = 0; i < 6; ++i)
            x[i] = ar.readDouble("координата X кабеля");
        for (int i = 0; i < 6; ++i)
            y[i] = ar.readDouble("координата Y кабеля");
    }
    circuits = ar.readByte("число цепей кабельной линии");
    pipe = ar.readByte("признак трубы");
    elementWires = ar.readByte("провода кабельного элемента");
    if (circuits > kMaxCircuits)
        ar.fail("кабельная линия из " + std::to_string(circuits) + " цепей (не больше 13)");
    symmetry = ar.readInt("симметрия кабельной линии");
    pipeCable.Load(ar);
    solidCable.Load(ar);
    if (g_nTaskVersion == 0)
        return;
    for (int i = 0; i < CableCount(); ++i) {
        x[i] = ar.readDouble("координата X кабеля");
        y[i] = ar.readDouble("координата Y кабеля");
    }
}

void CKLine::Store(ArchiveWriter& ar)
{
    ar.writeDouble(rho);
    ar.writeDouble(pipeRadius);
    ar.writeDouble(pipeMu);
    ar.writeDouble(length);
    ar.writeByte(circuits);
    ar.writeByte(pipe);
    ar.writeByte(elementWires);
    ar.writeInt(symmetry);
    pipeCable.Store(ar);
    solidCable.Store(ar);
    // A circuit count above 13 cannot be held; CableCount stops at 40 cables,
    // so the record is short rather than reading past the coordinates.
    int k = pipe == 1 ? 3 : 3 * circuits;
    for (int i = 0; i < k; ++i) {
        ar.writeDouble(i < kMaxWires ? x[i] : 0.0);
        ar.writeDouble(i < kMaxWires ? y[i] : 0.0);
    }
}

void CKLine::LoadDalvex(ArchiveReader& ar)
{
    Clear();
    rho = ar.readDouble("удельное сопротивление земли у кабеля");
    length = ar.readDouble("длина кабеля");
    symmetry = ar.readInt("симметрия кабельной линии");
    elementWires = ar.readByte("число кабелей");
    CheckWireCount(ar, elementWires, "число кабелей");
    for (int i = 0; i < elementWires; ++i) {
        x[i] = ar.readDouble("координата X кабеля");
        y[i] = ar.readDouble("координата Y кабеля");
        solidCable.Load(ar);  // each record names the cable type; the last one stays
    }
    circuits = std::uint8_t(elementWires / 3);
    pipe = 0;
}

std::uint8_t CKLine::IsSame(const CKLine& o) const
{
    if (circuits != o.circuits || pipe != o.pipe)
        return 0;
    if (!(std::fabs(rho - o.rho) / rho <= 1e-5))
        return 0;
    if (pipe == 1) {
        for (int i = 0; i < 3; ++i)
            if (x[i] != o.x[i] || y[i] != o.y[i])
                return 0;
        if (pipeCable.Compare(o.pipeCable) == 0 || !Near(pipeRadius, o.pipeRadius, 1e-5) ||
            !Near(pipeMu, o.pipeMu, 1e-5))
            return 0;
    } else {
        for (int i = 0; i < CableCount(); ++i)
            if (x[i] != o.x[i] || y[i] != o.y[i])
                return 0;
        if (solidCable.Compare(o.solidCable) == 0 ||
            KLineSolvedByHalves(symmetry) != KLineSolvedByHalves(o.symmetry))
            return 0;
    }
    return std::fabs(length - o.length) < 0.001 ? 2 : 1;
}
