// Helpers shared by the model tests: byte fixtures, sample catalog items and
// store/load round trips.
#pragma once

#include "model/catalogitems.h"
#include "model/modelglobals.h"
#include "platform/archive.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Every model test starts from the start-up values of the task globals.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override { ResetModelGlobals(); }
    void TearDown() override { ResetModelGlobals(); }
};

// A byte fixture written field by field, in the file notation.
class Fixture {
public:
    Fixture& B(int v) { w.writeByte(std::uint8_t(v)); return *this; }
    Fixture& W(int v) { w.writeWord(std::uint16_t(v)); return *this; }
    Fixture& D(int v) { w.writeInt(v); return *this; }
    Fixture& d(double v) { w.writeDouble(v); return *this; }
    Fixture& S(const std::string& s) { w.writeString(s); return *this; }
    Fixture& Wn(int n, int v = 0) { for (int i = 0; i < n; ++i) W(v); return *this; }
    Fixture& Bn(int n, int v) { for (int i = 0; i < n; ++i) B(v); return *this; }
    Fixture& Dn(int n, int v) { for (int i = 0; i < n; ++i) D(v); return *this; }
    Fixture& dn(int n, double v) { for (int i = 0; i < n; ++i) d(v); return *this; }
    template <class T>
    Fixture& Item(const T& item) { item.Store(w); return *this; }
    Bytes bytes() const { return w.bytes(); }
    ArchiveReader reader() const { return ArchiveReader(w.bytes()); }

private:
    ArchiveWriter w;
};

template <class T>
Bytes StoreBytes(T& item)
{
    ArchiveWriter w;
    item.Store(w);
    return w.take();
}

// Loads bytes into item and checks that the whole record was consumed.
template <class T>
void LoadBytes(T& item, const Bytes& bytes)
{
    ArchiveReader r(bytes);
    item.Load(r);
    EXPECT_TRUE(r.atEnd()) << "record not read to its end: " << r.remaining() << " bytes left";
}

// Store, load into a fresh object, store again: the two byte streams must agree.
template <class T>
void ExpectRoundTrip(T& item)
{
    Bytes first = StoreBytes(item);
    T back;
    LoadBytes(back, first);
    EXPECT_EQ(StoreBytes(back), first);
}

// Every proper prefix of bytes must make load throw ArchiveError.
template <class T>
void ExpectEveryPrefixThrows(const Bytes& bytes, const std::function<void(T&)>& check = {})
{
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        T item;
        ArchiveReader r(bytes.data(), n);
        EXPECT_THROW(item.Load(r), ArchiveError) << "prefix of " << n << " bytes";
        if (check)
            check(item);
    }
}

inline CProvod MakeWire(const std::string& name, double r, double twist = 0.95, double rho = 2.9e-8)
{
    CProvod p;
    p.name = name;
    p.radius = r;
    p.twist = twist;
    p.resistivity = rho;
    return p;
}

inline COpora MakeTower(const std::string& name, std::initializer_list<std::pair<double, double>> points)
{
    COpora t;
    t.name = name;
    for (auto [x, y] : points) {
        t.x.push_back(x);
        t.y.push_back(y);
    }
    t.count = std::uint8_t(t.x.size());
    return t;
}

inline CFiltr MakeFilter(const std::string& name, int type, double scale = 1.0)
{
    CFiltr f;
    f.name = name;
    f.type = std::uint8_t(type);
    f.nC = CFiltr::kCapCount[type];
    f.nL = CFiltr::kIndCount[type];
    for (int i = 0; i < f.nC; ++i)
        f.C[i] = scale * (i + 1) * 1e-9;
    for (int i = 0; i < f.nL; ++i)
        f.L[i] = scale * (i + 1) * 1e-3;
    f.R = type == 3 ? 12.0 : 0.0;
    f.ratio = 2.5;
    if (type == 6)
        for (int i = 0; i < 5; ++i)
            f.resistors[i] = 10.0 * (i + 1);
    return f;
}

inline CZagrad MakeTrap(const std::string& name, int scheme)
{
    CZagrad z;
    z.name = name;
    z.scheme = std::uint8_t(scheme);
    z.C1 = 1.2e-9;
    z.C2 = 2.2e-9;
    z.L1 = 0.5e-3;
    z.L2 = 0.1e-3;
    z.R = 400.0;
    if (scheme == 2)
        z.L4 = 0.2e-3;
    return z;
}

inline CKabTv MakeSolidCable(const std::string& name)
{
    CKabTv k;
    k.name = name;
    k.coreRadius = 0.01;
    k.screenInnerRadius = 0.02;
    k.screenOuterRadius = 0.021;
    k.outerRadius = 0.03;
    k.tanInner = 0.001;
    k.tanOuter = 0.002;
    k.epsInner = 2.3;
    k.epsOuter = 3.5;
    k.rhoCore = 2.8e-8;
    k.rhoScreen = 1.7e-8;
    return k;
}

inline CMatrix MakeMatrix(const std::string& name, int n)
{
    CMatrix m;
    m.name = name;
    m.n = std::uint8_t(n);
    for (std::size_t i = 0; i < CMatrix::PackedSize(n); ++i)
        m.cap.push_back(i % 3 == 0 ? 1e-12 * double(i + 1) : -1e-13 * double(i + 1));
    for (int i = 0; i < n; ++i)
        m.res.push_back(10.0 + i);
    return m;
}
