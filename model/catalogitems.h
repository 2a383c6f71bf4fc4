// Catalog items: the named physical objects a channel is built from (towers,
// wires, cables, coupling filters, line traps, tower influence matrices).
// The catalog (CBase) holds them in typed lists; element data embed copies of
// them by value, so a task file never refers to the catalog.
//
// Every item has Copy (deep assignment), Compare and the exact file record
// (Load/Store).  Compare is called on the item being tested with the candidate
// as argument and answers 0 (another name, or not comparable), 1 (same name,
// other values) or 2 (equal).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ArchiveReader;
class ArchiveWriter;

// Relative equality of the catalog compares: |a - b| <= 1e-5 * |a|.  A value
// that is no finite number (an infinity, or a NaN a damaged or imported
// catalog holds) equals itself alone, so one answer to the catalog check
// settles such an item; the check before a run refuses the value.
bool CatalogRelEqual(double a, double b);

class CObj {
public:
    CObj() = default;
    virtual ~CObj() = default;
    CObj(const CObj&) = default;
    CObj& operator=(const CObj&) = default;

    std::string name;  // UTF-8; items of one list are told apart by name

protected:
    void LoadName(ArchiveReader& ar);
    void StoreName(ArchiveWriter& ar) const;
};

// Phase wire, ground wire or HF cable: one layout, three lists.  The three
// doubles mean radius (m), twist coefficient and resistivity (ohm*m) for a
// wire, and attenuation (dB/(m*sqrt(kHz))), propagation speed (m/s) and wave
// impedance (ohm) for an HF cable.
class CProvod : public CObj {
public:
    double radius = 0.0;
    double twist = 0.0;
    double resistivity = 0.0;

    double attenuation() const { return radius; }
    double speed() const { return twist; }
    double waveImpedance() const { return resistivity; }

    void Copy(const CProvod& src) { *this = src; }
    std::uint8_t Compare(const CProvod& other) const;
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
};

// Power cable in solid insulation.  Radii in m (strictly increasing), loss
// tangents as fractions, resistivities in ohm*m.
class CKabTv : public CObj {
public:
    double coreRadius = 0.0;
    double screenInnerRadius = 0.0;
    double screenOuterRadius = 0.0;
    double outerRadius = 0.0;
    double tanInner = 0.0;
    double tanOuter = 0.0;
    double epsInner = 0.0;
    double epsOuter = 0.0;
    double rhoCore = 0.0;
    double rhoScreen = 0.0;

    void Copy(const CKabTv& src) { *this = src; }
    std::uint8_t Compare(const CKabTv& other) const;
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
};

// Power cable in a steel pipe: only its core radius (m).
class CKabTr : public CObj {
public:
    double coreRadius = 0.0;

    void Copy(const CKabTr& src) { *this = src; }
    std::uint8_t Compare(const CKabTr& other) const;
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
};

// Tower: one suspension point (X abscissa, Y height, m) per wire of the line.
// x and y are empty for a new or cleared tower; after Load both hold count
// entries.
class COpora : public CObj {
public:
    std::uint8_t count = 0;
    std::vector<double> x;
    std::vector<double> y;

    void Clear();
    void Copy(const COpora& src);
    std::uint8_t Compare(const COpora& other) const;
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;

    double X(int i) const { return i < int(x.size()) ? x[std::size_t(i)] : 0.0; }
    double Y(int i) const { return i < int(y.size()) ? y[std::size_t(i)] : 0.0; }
};

// Coupling filter of one of seven scheme types (0..6; the user sees 1..7).
class CFiltr : public CObj {
public:
    static constexpr int kMaxParts = 6;
    static constexpr int kTypes = 7;
    // Capacitances and inductances a filter of each type has.
    static const std::uint8_t kCapCount[kTypes];
    static const std::uint8_t kIndCount[kTypes];

    std::uint8_t type = 0;
    std::uint8_t nC = 0;
    std::uint8_t nL = 0;
    double C[kMaxParts] = {};  // F, the first nC used
    double L[kMaxParts] = {};  // H, the first nL used
    double R = 0.0;            // ohm, optional (0 = not given)
    double ratio = 0.0;        // transformation ratio, at least 0.001
    double resistors[5] = {};  // R1..R5, ohm, type 6 only

    void Clear() { *this = CFiltr(); }
    void Copy(const CFiltr& src) { *this = src; }
    std::uint8_t Compare(const CFiltr& other) const;
    // Refuses (ArchiveError) a type above 6 or more than six capacitances or
    // inductances: such a record cannot come from a sound file.
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
};

// Line trap of one of three schemes (0..2; the user sees 1..3).  L4 belongs
// to scheme 2 only; an element the scheme does not have is 0.
class CZagrad : public CObj {
public:
    double C1 = 0.0, C2 = 0.0, C3 = 0.0;  // F
    double L1 = 0.0, L2 = 0.0, L3 = 0.0;  // H
    double R = 0.0;                       // ohm
    double L4 = 0.0;                      // H
    std::uint8_t scheme = 0;

    void Copy(const CZagrad& src) { *this = src; }
    std::uint8_t Compare(const CZagrad& other) const;
    // Reads the current record (with the -1.0 marker) or the older one of
    // seven doubles, where a negative R meant scheme 1.
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
};

// Tower influence matrix of order n: capacitance corrections (F) of a
// symmetric n x n matrix packed by rows of the upper triangle, and n
// resistances (ohm).  Both arrays are empty for order 0 or a new item.
class CMatrix : public CObj {
public:
    std::uint8_t n = 0;
    std::vector<double> cap;  // n(n+1)/2
    std::vector<double> res;  // n

    static std::size_t PackedSize(int order) { return std::size_t(order) * std::size_t(order + 1) / 2; }
    // Index of (i, k) in the packed upper triangle, any order of i and k.
    static std::size_t PackedIndex(int order, int i, int k);

    void Clear();
    void Copy(const CMatrix& src);
    std::uint8_t Compare(const CMatrix& other) const;
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
};
