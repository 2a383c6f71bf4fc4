// Golden results of the reference channels: every number of a frequency
// response as computed by the engine when the file was written, kept as exact
// doubles (hex floats).  The engine may get faster but never different: the
// benchmark and the calculation tests compare their sweeps with this file bit
// for bit.
//
// The file is text: a line "fingerprint <digests>" records the math routines
// of the machine that wrote it (bench/goldenmatch.h); a line "sweep <key>
// <points>" opens a sweep, followed by one line per point: the frequency, the
// transfer (attenuation, phase) and the input impedances of both ends, seven
// hex floats.  '#' starts a comment line.
#pragma once

#include "bench/goldenmatch.h"
#include "model/results.h"

#include <map>
#include <string>
#include <vector>

struct CalcRequest;

using GoldenSweeps = std::map<std::string, std::vector<CRezGraPoint>>;

// The golden file of the source tree.
const char* GoldenFilePath();

struct GoldenFile {
    std::string fingerprint;  // empty in a file written before fingerprints
    GoldenSweeps sweeps;
};

// Reads the file; false with the reason when it cannot be read or is damaged.
bool ReadGoldenFile(const std::string& path, GoldenFile& file, std::string& error);
// Writes the fingerprint and the sweeps in key order; false with the reason on failure.
bool WriteGoldenFile(const std::string& path, const GoldenFile& file, std::string& error);

// The first difference between a computed sweep and its golden points, as a
// readable line; empty when every number matches: bit for bit, or within the
// tolerance where `match` allows it (each impedance's values against its
// modulus, the phase against pi and modulo 2 pi).
std::string CompareWithGolden(const std::vector<CRezGraPoint>& golden, const std::vector<CRezGraPoint>& computed,
                              const GoldenMatch& match = GoldenMatch::BitForBit());

// The two ranges the golden file holds: 1000 points from 16 to 1000 kHz (the
// benchmark's sweep) and 13 points over the same band (the tests' sweep).
CalcRequest GoldenSweepRequest();
CalcRequest GoldenCoarseRequest();
