// Data of the two line elements: an overhead line section (CVLine, one
// CVLProv per wire) and a cable line section (CKLine, also a bypass's cable
// insert).  Catalog items are held by value.
#pragma once

#include "model/catalogitems.h"
#include "model/elementdata.h"
#include "model/modelglobals.h"

#include <cstdint>
#include <optional>
#include <vector>

// One wire of an overhead cross-section.
class CVLProv {
public:
    double sag = 0.0;           // m
    double bundleStep = 0.0;    // spacing of a bundle's sub-conductors, m
    double iceThickness = 0.0;  // m
    double iceDensity = 0.0;    // as entered
    CProvod wireType;
    std::uint8_t bundleCount = 1;

    void Clear() { *this = CVLProv(); }
    void Copy(const CVLProv& src) { *this = src; }
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
    // Dalvex form: sag, bundle step, bundle count, wire type; no ice.
    void LoadDalvex(ArchiveReader& ar);
};

class CVLine : public CElementDataOf<CVLine> {
public:
    std::uint8_t wires = 1;          // tower points used; the first phaseWires are phase (pole) wires
    std::uint8_t phaseWires = 1;
    std::uint8_t ice = 0;            // 1: ice deposit taken into account
    std::uint8_t inhomogeneity = 0;  // 0 none, 1 tower influence, 2 sag, 3 transposition in the span
    std::uint8_t earthModel = 1;     // bit 0: Carson's formulas; bit 1: two-layer earth
    std::optional<std::vector<std::uint8_t>> spanValues;  // random span values (inhomogeneity 1)
    std::uint8_t wireCount = 0;      // entries of wireArray
    std::uint16_t pieces = 1;        // pieces of a half-span; span values of mode 1
    COpora tower;
    double iceTemperature = 0.0;  // deg C
    double iceFactor = 0.0;       // "Кзагр"
    double spanDeviation = 0.0;   // m
    double earthRho1 = 0.0;       // ohm*m, upper layer
    double earthRho2 = 0.0;       // ohm*m, lower layer
    double earthEps1 = 0.0;
    double earthEps2 = 0.0;
    double layerDepth = 0.0;      // m
    double spanMean = 0.0;        // m
    double length = 0.0;          // m
    int symmetry = -1;            // -1 not mirror-symmetric, else wires on the axis
    CMatrix matrix;               // tower influence (inhomogeneity not 0)
    std::optional<std::vector<CVLProv>> wireArray;

    void Clear() override;
    void Copy(const CVLine& src);
    void Load(ArchiveReader& ar) override;
    void Store(ArchiveWriter& ar) override;
    void LoadDalvex(ArchiveReader& ar);
    // Sets the symmetry code from the tower and the wires.
    void AfterLoad();
    // 0 different, 1 same cross-section with another length, 2 equal.
    std::uint8_t IsSame(const CVLine& other) const;

    const CVLProv* Wire(int i) const;
};

class CKLine : public CElementDataOf<CKLine> {
public:
    static constexpr int kMaxCircuits = 13;  // 3 cables each, 40 coordinates

    std::uint8_t elementWires = 0;  // 3 x circuits (the cores); an element with screens has more wire positions
    std::uint8_t circuits = 1;
    std::uint8_t pipe = 0;          // 0 solid insulation in the ground, 1 in a steel pipe
    double x[kMaxWires] = {};       // m
    double y[kMaxWires] = {};       // m (depth)
    double rho = 0.0;               // soil resistivity (pipe: resistivity of the pipe), ohm*m
    double pipeRadius = 0.0;        // m
    double pipeMu = 0.0;            // relative permeability of the pipe
    double length = 0.0;            // m
    int symmetry = -1;
    CKabTr pipeCable;
    CKabTv solidCable;

    // Cables of the section: 3 in a pipe, else 3 per circuit (at most 40).
    int CableCount() const;

    void Clear() override;
    void Copy(const CKLine& src);
    void Load(ArchiveReader& ar) override;
    void Store(ArchiveWriter& ar) override;
    void LoadDalvex(ArchiveReader& ar);
    std::uint8_t IsSame(const CKLine& other) const;
};
