// Reference channels of the benchmark, built in code: what a designer of HF
// channels calculates every day, from a short two-circuit line to a line of 40
// wires and a line with 300 random spans.
#pragma once

#include "model/document.h"

#include <memory>

enum class BenchChannel {
    TwoCircuitRefinedEarth,  // (a) 8 wires, refined one-layer earth
    TwoCircuitCarson,        // (b) the same on Carson's earth
    FortyWires,              // (c) 13 circuits and a ground wire
    TowerInfluence,          // (d) 300 random spans with tower influence
};

const char* BenchChannelName(BenchChannel c);

// A new task holding the channel, installed as the open task (g_pDoc).
std::unique_ptr<CKestrinDoc> BuildBenchChannel(BenchChannel c);
