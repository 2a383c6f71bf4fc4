// One element of a channel: its type, grid cell, wire counts, the conductor
// maps of the wires entering and leaving it, and the data object of its type.
// Nesting (taps, attached circuits, doublings, branchings) is written as
// marker elements of the same flat chain.
#pragma once

#include "model/elementdata.h"
#include "model/modelglobals.h"

#include <cstdint>
#include <memory>
#include <string>

// Element types.
enum ElementType : std::uint8_t {
    kOverheadLine = 0,
    kCableLine = 1,
    kShuntImpedance = 2,
    kSeriesImpedance = 3,
    kTapLoad = 4,
    kTransposition = 5,
    kCouplingDevice = 6,
    kBypass = 7,
    kTap = 8,
    kWireCountChange = 9,
    kDoubling = 10,
    kAttachedEnd = 11,
    kBranchingStart = 12,
    kBranchingEnd = 13,
    kEndLoad = 14,
    kNoType = 22,  // the editor's template when no type is chosen
};

// A new data object of the class of an element type; null for types without data.
std::unique_ptr<CElementData> CreateElementData(int type);

class CElement {
public:
    std::string name;
    std::uint8_t type = kNoType;
    std::uint8_t wirePositions = 0;   // conductors at the entry, +1 with a split conductor
    std::uint8_t wirePositions2 = 0;  // change of wire count: the positions after it
    std::uint8_t circuits = 0;        // at the entry (DC: poles)
    std::uint8_t groundWires = 0;
    std::uint8_t circuitsAfter = 0;
    std::uint8_t groundWiresAfter = 0;
    std::uint8_t circuitsPart = 0;    // of the nested part
    std::uint8_t groundWiresPart = 0;
    std::uint8_t conductors = 0;      // (DC ? 1 : 3) * circuits + groundWires
    int inMap[kMaxWires];             // conductor code of each entry position, -1 empty
    int outMap[kMaxWires];            // conductor code of each exit position
    int splitConductor = -1;
    int reserved = -1;                // kept in the record, never interpreted
    int cellX = 0;
    int cellY = 0;
    std::unique_ptr<CElementData> data;
    int selected = 0;                 // the view's selection; never stored
    int entered = 0;                  // 1 when the parameters are complete

    CElement();
    ~CElement();
    CElement(const CElement& src) : CElement() { Copy(src); }
    CElement& operator=(const CElement& src)
    {
        Copy(src);
        return *this;
    }

    // The data object as its class, or null.
    template <class T>
    T* Data() const
    {
        return dynamic_cast<T*>(data.get());
    }

    void SetType(int t);
    // Empties the name, flags, position counts, split conductor and maps, and
    // deletes the data; type, cell, the other counts and reserved stay.
    void Clear();
    void Copy(const CElement& src);
    // 0 different or not a line, 1 same cross-section with another length, 2 equal.
    std::uint8_t IsSameLine(const CElement& other) const;

    // Number of map pairs in the record: (DC ? 1 : 3) * circuits + groundWires.
    int MapPairs() const;

    // The element record of the task file (version in g_nTaskVersion).
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
    // The element record of a Dalvex task: the counts come from the task
    // (g_nCurCircuits, g_nCurGround, g_bDC, g_nSplitConductor, g_nConductors).
    void LoadDalvex(ArchiveReader& ar);

private:
    void DeriveOldCounts();
    void LoadData(ArchiveReader& ar, bool hasData);
    // Reads the record of the data object made for the type: a shunt
    // element's branches have their second wires checked as they are read.
    void ReadData(ArchiveReader& ar);
};

// Renumbers the wires that enter the nested part of a tap, doubling or
// branching as new circuits and ground wires after those of the task
// (advancing g_nLabelCircuits and g_nLabelGround).  Returns the number of
// wires moved into the nested part.
int NumberConductors(CElement& e);
