// Stored calculation results of a task: the frequency responses of the
// channel (CRezGra, one CRezGraPoint per frequency) and the modal parameters
// of one line element at one frequency (CRezMod).  The document owns them
// and keeps them in the task file after the elements.
#pragma once

#include "math/complex.h"

#include <cstdint>
#include <string>
#include <vector>

class ArchiveReader;
class ArchiveWriter;

// One frequency of a response: 56 bytes in the file.
class CRezGraPoint {
public:
    double freq = 0.0;   // Hz
    CComplex transfer;   // re: working attenuation, dB; im: its phase, rad
    CComplex zLeft;      // input impedance at the transmitter end, ohm
    CComplex zRight;     // input impedance at the receiver end, ohm

    void Copy(const CRezGraPoint& src) { *this = src; }
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
};

// One run of the channel calculation.  Connection mode 0 is wire to ground;
// 1 to 3 the two-wire modes (mode 3 also stores its resistance).
class CRezGra {
public:
    static constexpr std::size_t kPointBytes = 56;

    double startFreq = 0.0;   // Hz
    double endFreq = 0.0;     // Hz
    double resistance = 0.0;  // ohm, connection mode 3 only
    double zEndLeft = 0.0;    // nominal transmitter-end impedance, ohm (not stored)
    double zEndRight = 0.0;   // nominal receiver-end impedance, ohm (not stored)
    std::string name;         // "%d.%m.%y %H:%M" of the run
    std::string label;        // set by the comparison buffer (not stored)
    std::uint8_t txWire1 = 0; // zero-based wire positions at the transmitter end
    std::uint8_t txWire2 = 0;
    std::uint8_t rxWire1 = 0; // and at the receiver end
    std::uint8_t rxWire2 = 0;
    std::uint8_t mode = 0;
    std::vector<CRezGraPoint> points;  // N, in order of increasing frequency

    std::size_t PointCount() const { return points.size(); }

    void Copy(const CRezGra& src);
    // Replaces any points the result had.  The end impedances are not in the
    // file: the document computes them after the load.
    void Load(ArchiveReader& ar);
    // Throws ArchiveError, before writing, for more than 65535 points.
    void Store(ArchiveWriter& ar) const;
};

// Modal parameters of one line element at one frequency: m modes with the
// mode matrices V and U = (V^-1)^T (row-major m x m), the propagation
// constants gamma and the modal wave admittances y.  The four arrays exist
// together or not at all (HasArrays).
class CRezMod {
public:
    std::string name;            // "%d.%m.%y %H:%M" of the calculation
    std::uint16_t position = 0;  // index of the calculated element
    double freq = 0.0;           // Hz
    std::uint8_t m = 0;
    std::vector<CComplex> V;
    std::vector<CComplex> U;
    std::vector<CComplex> gamma;
    std::vector<CComplex> y;

    bool HasArrays() const { return m > 0 && !V.empty(); }
    // Allocates the four arrays for order m, zero-filled.
    void AllocArrays();
    void FreeArrays();
    void Copy(const CRezMod& src);
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
};
