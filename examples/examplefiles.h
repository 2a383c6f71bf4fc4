// The example files of examples/: one catalog and three channels that refer
// to it by a path relative to their own folder.  The generator writes them;
// the tests open them again.
#pragma once

inline constexpr const char* kExampleCatalog = "typical.kdb";

// The fingerprint of the math routines of the machine that calculated the
// stored results (see bench/goldenmatch.h): where the running machine's is
// the same, a recalculation must give the stored results bit for bit.
inline constexpr const char* kExampleFingerprint = "fingerprint.txt";

struct ExampleTask {
    const char* file;
    double lengthKm;  // route length along the main line
};

inline constexpr ExampleTask kExampleTasks[] = {
    {"vl110-phase-earth.ktf", 60.0},
    {"vl220-bypass-tap.ktf", 100.0},
    {"vl500-phase-phase.ktf", 250.0},
};
