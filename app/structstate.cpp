#include "app/structstate.h"

#include <algorithm>
#include <iterator>

StructureState::StructureState()
{
    Reset(0);
}

StructureState::~StructureState()
{
    if (g_pCurWireMap == wireMap)
        g_pCurWireMap = nullptr;
}

void StructureState::Reset(int conductorCount)
{
    std::fill(std::begin(stack), std::end(stack), nullptr);
    kind = kSectionNone;
    subState = kAttachedNone;
    depth = 0;
    wireCount = std::uint8_t(conductorCount);
    branchPhase = 0;
    linePlaced = 0;
    endPending = 0;
    endState = kChainOpen;
    std::fill(std::begin(wireMap), std::end(wireMap), -1);
    std::fill(std::begin(firstBranchEnd), std::end(firstBranchEnd), -1);
    brokenAt = -1;
    brokenReason.clear();
}
