// Data of the shunt and series impedances (CEShunt with its CShunt
// branches), of the load at the end of a tap (CNagrOtv) and of the
// transposition (CTransp).
#pragma once

#include "model/catalogitems.h"
#include "model/elementdata.h"
#include "model/modelglobals.h"

#include <cstdint>
#include <optional>
#include <vector>

// One branch: an R, L, C circuit or a line trap between two wires (equal
// wires: to ground; the series element uses firstWire only).
class CShunt {
public:
    std::uint8_t firstWire = 0;
    std::uint8_t secondWire = 0;
    double r = 0.0;  // ohm
    double l = 0.0;  // H
    double c = 0.0;  // F
    CZagrad trap;

    void Clear() { *this = CShunt(); }
    void Copy(const CShunt& src) { *this = src; }
    // The first wire must lie within the element's wires.  The second is
    // kept as read unless joinsSecondWire: only a shunt element's branch
    // joins it (a series element and a line trap lie in the first wire
    // alone).  A wire outside is refused at its own byte.
    void Load(ArchiveReader& ar, bool joinsSecondWire = false);
    void Store(ArchiveWriter& ar) const;
};

class CEShunt : public CElementDataOf<CEShunt> {
public:
    double capacitance = 0.0;     // F: the substation's equivalent capacitance (shunt element); 0 none
    std::uint8_t count = 0;       // branches, set from the list when stored
    std::uint8_t trapKind = 0;    // non-zero: the branches are line traps
    std::vector<CShunt> branches;

    void Clear() override { *this = CEShunt(); }
    void Copy(const CEShunt& src) { *this = src; }
    // The record of a series element, whose branches lie in their first wire.
    void Load(ArchiveReader& ar) override { Read(ar, false); }
    // The record of a shunt element: each branch joins its second wire too,
    // which must lie within the element's wires.
    void LoadShunt(ArchiveReader& ar) { Read(ar, true); }
    // Throws ArchiveError, before writing, for more than 255 branches.
    void Store(ArchiveWriter& ar) override;

private:
    void Read(ArchiveReader& ar, bool joinsSecondWires);
};

class CNagrOtv : public CElementDataOf<CNagrOtv> {
public:
    double capacitance = 0.0;  // F
    std::uint8_t mode = 0;     // 0 grounded, 1 insulated, 2 loaded on the equivalent capacitance

    void Clear() override { *this = CNagrOtv(); }
    void Copy(const CNagrOtv& src) { *this = src; }
    void Load(ArchiveReader& ar) override;
    void Store(ArchiveWriter& ar) override;
};

// Transposition: the wire at position j goes to position permutation[j].
class CTransp : public CElementDataOf<CTransp> {
public:
    std::uint8_t count = 0;
    std::optional<std::vector<std::uint8_t>> permutation;

    // Target of position j; -1 when the permutation does not hold it.
    int Target(int j) const;

    void Clear() override { *this = CTransp(); }
    void Copy(const CTransp& src) { *this = src; }
    // Refuses more than 40 wires and a target outside the count.
    void Load(ArchiveReader& ar) override;
    void Store(ArchiveWriter& ar) override;
    // Dalvex form: the flag before the count.
    void LoadDalvex(ArchiveReader& ar);

private:
    void ReadPermutation(ArchiveReader& ar, bool present);
};
