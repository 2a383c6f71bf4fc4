#include "model/catalogitems.h"

#include "platform/archive.h"

#include <algorithm>
#include <array>
#include <cmath>

bool CatalogRelEqual(double a, double b)
{
    if (a == b || (std::isnan(a) && std::isnan(b)))
        return true;
    // An infinity would be within its own relative tolerance of any number.
    if (!std::isfinite(a) || !std::isfinite(b))
        return false;
    return std::fabs(a - b) <= 1e-5 * std::fabs(a);
}

namespace {

// Equality within an absolute tolerance: |a - b| below tol (or at it, when
// atTolEqual), and a value that is no finite number equal to itself alone.
bool AbsEqual(double a, double b, double tol, bool atTolEqual)
{
    if (a == b || (std::isnan(a) && std::isnan(b)))
        return true;
    const double d = std::fabs(a - b);
    return atTolEqual ? d <= tol : d < tol;
}

// Compares two runs of doubles relatively; true when all are equal.
bool AllRelEqual(const double* a, const double* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (!CatalogRelEqual(a[i], b[i]))
            return false;
    return true;
}

// Reads count doubles into a fresh vector after checking they are in the file.
std::vector<double> ReadDoubles(ArchiveReader& ar, std::size_t count, const char* what)
{
    ar.checkCount(count, 8, what);
    std::vector<double> v(count);
    for (double& d : v)
        d = ar.readDouble(what);
    return v;
}

// Writes count entries of v; entries v does not hold are written as 0.0.
void WriteDoubles(ArchiveWriter& ar, const std::vector<double>& v, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        ar.writeDouble(i < v.size() ? v[i] : 0.0);
}

}  // namespace

// ---- CObj -------------------------------------------------------------------

void CObj::LoadName(ArchiveReader& ar)
{
    name = ar.readString("имя записи");
}

void CObj::StoreName(ArchiveWriter& ar) const
{
    ar.writeString(name);
}

// ---- CProvod ----------------------------------------------------------------

std::uint8_t CProvod::Compare(const CProvod& other) const
{
    if (name != other.name)
        return 0;
    const double a[3] = {radius, twist, resistivity};
    const double b[3] = {other.radius, other.twist, other.resistivity};
    return AllRelEqual(a, b, 3) ? 2 : 1;
}

void CProvod::Load(ArchiveReader& ar)
{
    LoadName(ar);
    radius = ar.readDouble("провод");
    twist = ar.readDouble("провод");
    resistivity = ar.readDouble("провод");
}

void CProvod::Store(ArchiveWriter& ar) const
{
    StoreName(ar);
    ar.writeDouble(radius);
    ar.writeDouble(twist);
    ar.writeDouble(resistivity);
}

// ---- CKabTv -----------------------------------------------------------------

namespace {
// The ten doubles of a solid-insulation cable in record order.
template <class K>
auto KabTvFields(K& k)
{
    return std::array{&k.coreRadius, &k.screenInnerRadius, &k.screenOuterRadius, &k.outerRadius,
                      &k.tanInner,   &k.tanOuter,          &k.epsInner,          &k.epsOuter,
                      &k.rhoCore,    &k.rhoScreen};
}
}  // namespace

std::uint8_t CKabTv::Compare(const CKabTv& other) const
{
    if (name != other.name)
        return 0;
    auto a = KabTvFields(*this);
    auto b = KabTvFields(other);
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!CatalogRelEqual(*a[i], *b[i]))
            return 1;
    return 2;
}

void CKabTv::Load(ArchiveReader& ar)
{
    LoadName(ar);
    for (double* d : KabTvFields(*this))
        *d = ar.readDouble("кабель");
}

void CKabTv::Store(ArchiveWriter& ar) const
{
    StoreName(ar);
    for (const double* d : KabTvFields(*this))
        ar.writeDouble(*d);
}

// ---- CKabTr -----------------------------------------------------------------

std::uint8_t CKabTr::Compare(const CKabTr& other) const
{
    if (name != other.name)
        return 0;
    return AbsEqual(coreRadius, other.coreRadius, 1e-4, false) ? 2 : 1;
}

void CKabTr::Load(ArchiveReader& ar)
{
    LoadName(ar);
    coreRadius = ar.readDouble("кабель в трубе");
}

void CKabTr::Store(ArchiveWriter& ar) const
{
    StoreName(ar);
    ar.writeDouble(coreRadius);
}

// ---- COpora -----------------------------------------------------------------

void COpora::Clear()
{
    name.clear();
    count = 0;
    x.clear();
    y.clear();
}

void COpora::Copy(const COpora& src)
{
    if (this == &src)
        return;
    Clear();
    count = src.count;
    name = src.name;
    if (count > 0) {
        x.resize(count);
        y.resize(count);
        for (int i = 0; i < count; ++i) {
            x[std::size_t(i)] = src.X(i);
            y[std::size_t(i)] = src.Y(i);
        }
    }
}

std::uint8_t COpora::Compare(const COpora& other) const
{
    if (name != other.name || count != other.count)
        return 0;
    for (int i = 0; i < count; ++i) {
        if (!AbsEqual(Y(i), other.Y(i), 1e-4, true) || !AbsEqual(X(i), other.X(i), 1e-4, true))
            return 1;
    }
    return 2;
}

void COpora::Load(ArchiveReader& ar)
{
    Clear();
    LoadName(ar);
    std::uint8_t n = ar.readByte("число точек опоры");
    ar.checkCount(n, 16, "точки опоры");
    x.resize(n);
    y.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = ar.readDouble("точка опоры");
        y[i] = ar.readDouble("точка опоры");
    }
    count = n;
}

void COpora::Store(ArchiveWriter& ar) const
{
    StoreName(ar);
    ar.writeByte(count);
    for (int i = 0; i < count; ++i) {
        ar.writeDouble(X(i));
        ar.writeDouble(Y(i));
    }
}

// ---- CFiltr -----------------------------------------------------------------

const std::uint8_t CFiltr::kCapCount[CFiltr::kTypes] = {3, 5, 5, 5, 2, 6, 6};
const std::uint8_t CFiltr::kIndCount[CFiltr::kTypes] = {3, 3, 5, 5, 1, 4, 6};

std::uint8_t CFiltr::Compare(const CFiltr& other) const
{
    if (name != other.name || type != other.type)
        return 0;
    if (type == 3 && !CatalogRelEqual(R, other.R))
        return 1;
    // Counts come from sound records (at most six), but clamp so that a filter
    // filled in memory by hand can never index past its arrays.
    std::size_t nc = std::min<std::size_t>(std::max(nC, other.nC), kMaxParts);
    if (!AllRelEqual(C, other.C, nc))
        return 1;
    std::size_t nl = std::min<std::size_t>(nL, kMaxParts);
    if (!AllRelEqual(L, other.L, nl))
        return 1;
    if (type == 6 && !AllRelEqual(resistors, other.resistors, 5))
        return 1;
    return 2;
}

void CFiltr::Load(ArchiveReader& ar)
{
    Clear();
    LoadName(ar);
    std::uint8_t t = ar.readByte("тип фильтра");
    std::uint8_t nc = ar.readByte("число емкостей фильтра");
    std::uint8_t nl = ar.readByte("число индуктивностей фильтра");
    if (t >= kTypes)
        ar.fail("тип фильтра " + std::to_string(t) + " не из семи схем");
    if (nc > kMaxParts || nl > kMaxParts)
        ar.fail("у фильтра больше шести емкостей или индуктивностей");
    type = t;
    nC = nc;
    nL = nl;
    ratio = ar.readDouble("коэффициент фильтра");
    R = ar.readDouble("сопротивление фильтра");
    for (int i = 0; i < nC; ++i)
        C[i] = ar.readDouble("емкость фильтра");
    for (int i = 0; i < nL; ++i)
        L[i] = ar.readDouble("индуктивность фильтра");
    if (type == 6)
        for (double& r : resistors)
            r = ar.readDouble("резисторы фильтра");
}

void CFiltr::Store(ArchiveWriter& ar) const
{
    StoreName(ar);
    ar.writeByte(type);
    ar.writeByte(nC);
    ar.writeByte(nL);
    ar.writeDouble(ratio);
    ar.writeDouble(R);
    // A count above six cannot be stored back faithfully; the arrays end there.
    for (int i = 0; i < nC; ++i)
        ar.writeDouble(i < kMaxParts ? C[i] : 0.0);
    for (int i = 0; i < nL; ++i)
        ar.writeDouble(i < kMaxParts ? L[i] : 0.0);
    if (type == 6)
        for (double r : resistors)
            ar.writeDouble(r);
}

// ---- CZagrad ----------------------------------------------------------------

std::uint8_t CZagrad::Compare(const CZagrad& other) const
{
    if (name != other.name)
        return 0;
    if (scheme != other.scheme)
        return 1;
    const double a[7] = {C1, C2, C3, L1, L2, L3, R};
    const double b[7] = {other.C1, other.C2, other.C3, other.L1, other.L2, other.L3, other.R};
    if (!AllRelEqual(a, b, 7))
        return 1;
    if (scheme == 2 && !CatalogRelEqual(L4, other.L4))
        return 1;
    return 2;
}

void CZagrad::Load(ArchiveReader& ar)
{
    LoadName(ar);
    for (double* d : {&C1, &C2, &C3, &L1, &L2, &L3, &R})
        *d = ar.readDouble("заградитель");
    if (C1 > -0.5) {
        // Older form: no scheme byte and no L4; the sign of R told the scheme.
        if (R < 0.0) {
            R = -R;
            scheme = 1;
        } else {
            scheme = 0;
        }
        return;
    }
    scheme = ar.readByte("схема заградителя");
    C1 = ar.readDouble("заградитель");
    L4 = ar.readDouble("заградитель");
}

void CZagrad::Store(ArchiveWriter& ar) const
{
    StoreName(ar);
    ar.writeDouble(-1.0);  // marks the current form
    for (double d : {C2, C3, L1, L2, L3, R})
        ar.writeDouble(d);
    ar.writeByte(scheme);
    ar.writeDouble(C1);
    ar.writeDouble(L4);
}

// ---- CMatrix ----------------------------------------------------------------

std::size_t CMatrix::PackedIndex(int order, int i, int k)
{
    if (i > k)
        std::swap(i, k);
    // Rows 0..i-1 hold order, order-1, ... entries.
    return std::size_t(i * order - i * (i - 1) / 2 + (k - i));
}

void CMatrix::Clear()
{
    name.clear();
    n = 0;
    cap.clear();
    res.clear();
}

void CMatrix::Copy(const CMatrix& src)
{
    if (this == &src)
        return;
    Clear();
    name = src.name;
    n = src.n;
    std::size_t packed = PackedSize(n);
    cap.assign(packed, 0.0);
    res.assign(n, 0.0);
    for (std::size_t i = 0; i < packed && i < src.cap.size(); ++i)
        cap[i] = src.cap[i];
    for (std::size_t i = 0; i < n && i < src.res.size(); ++i)
        res[i] = src.res[i];
}

std::uint8_t CMatrix::Compare(const CMatrix& other) const
{
    if (name != other.name || n != other.n)
        return 0;
    auto at = [](const std::vector<double>& v, std::size_t i) { return i < v.size() ? v[i] : 0.0; };
    for (std::size_t i = 0; i < PackedSize(n); ++i)
        if (!CatalogRelEqual(at(cap, i), at(other.cap, i)))
            return 1;
    if (n == 0)
        return 2;
    for (std::size_t i = 0; i < n; ++i)
        if (!CatalogRelEqual(at(res, i), at(other.res, i)))
            return 1;
    return 2;
}

void CMatrix::Load(ArchiveReader& ar)
{
    Clear();
    LoadName(ar);
    std::uint8_t order = ar.readByte("порядок матрицы");
    if (order > 0) {
        ar.checkCount(PackedSize(order) + order, 8, "значения матрицы");
        cap = ReadDoubles(ar, PackedSize(order), "емкости матрицы");
        res = ReadDoubles(ar, order, "сопротивления матрицы");
    }
    n = order;
}

void CMatrix::Store(ArchiveWriter& ar) const
{
    StoreName(ar);
    ar.writeByte(n);
    WriteDoubles(ar, cap, PackedSize(n));
    WriteDoubles(ar, res, n);
}
