// The channel editor's structure state: where the description of the chain
// stands at its end (open taps, attached circuits, doublings and branchings,
// the wire count and the conductor map there).  The structure replay rebuilds
// it from the stored chain; placing an element advances it by one element.
#pragma once

#include "model/conductors.h"  // IsGroundCode: a ground wire or cable screen
#include "model/element.h"

#include <cstdint>
#include <string>

// Entries of the structure stack: at most this many nested open markers.
inline constexpr int kStructStackSize = 100;

// Section kinds.
enum StructSection : std::uint8_t {
    kSectionNone = 0,
    kSectionAttached = 1,  // an attached circuit (change of the number of wires)
    kSectionDoubling = 2,  // a doubling of the number of wires
};

// Attached-circuit sub-states.
enum StructSubState : std::uint8_t {
    kAttachedNone = 0,
    kAttachedDescribing = 1,  // the attached circuit is being described
    kAttachedEnded = 2,       // back on the line after its end
    kAttachedRejoining = 3,   // the second change of wires: the circuit leaves again
};

// The reduced state up to a position of the chain.
class CStructState {
public:
    CElement* stack[kStructStackSize] = {};  // open markers; the top is entry depth - 1
    std::uint8_t kind = kSectionNone;
    std::uint8_t subState = kAttachedNone;
    std::uint8_t depth = 0;
    std::uint8_t wireCount = 0;    // wire positions at this point of the chain
    std::uint8_t branchPhase = 0;  // 0 none, 1 first branch, 2 second branch

    CElement* Top() const { return depth > 0 ? stack[depth - 1] : nullptr; }
    int TopType() const { return depth > 0 ? stack[depth - 1]->type : -1; }
};

// End states of the chain.
enum StructEndState : std::uint8_t {
    kChainOpen = 0,
    kChainClosedByCoupling = 1,  // may be completed: a coupling device closes a chain begun by one
    kChainClosedByLoad = 2,      // an end load closes a chain begun by one
};

// The full state at the chain end, held by the main frame.
class StructureState : public CStructState {
public:
    std::uint8_t linePlaced = 0;  // a line, series impedance or bypass on the main line, or a section opened
    std::uint8_t endPending = 0;  // inside a section a line was placed, so the section may end
    std::uint8_t endState = kChainOpen;
    int split = -1;               // split conductor at the chain end (the view shows it)
    CElement lastPlaced;          // the chain end: the last element, or the marker a return went back to
    int wireMap[kMaxWires];       // conductor codes at the chain end; g_pCurWireMap points here
    int firstBranchEnd[kMaxWires];  // the wires where the first branch of the open branching ended
    int brokenAt = -1;            // index of the element from which the chain is broken, -1 sound
    std::string brokenReason;     // why (a phrase of the structure message)

    StructureState();
    // Leaves g_pCurWireMap pointing nowhere when it pointed here.
    ~StructureState();
    StructureState(const StructureState&) = delete;
    StructureState& operator=(const StructureState&) = delete;

    // The state of an empty chain of a task with that many wire positions.
    void Reset(int conductorCount);
    bool Broken() const { return brokenAt >= 0; }
    // g_pCurWireMap to this state's map.
    void PublishWireMap() { g_pCurWireMap = wireMap; }
};

