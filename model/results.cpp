#include "model/results.h"

#include "platform/archive.h"

// ---- CRezGraPoint -----------------------------------------------------------

void CRezGraPoint::Load(ArchiveReader& ar)
{
    freq = ar.readDouble("точка результата");
    ar >> transfer >> zLeft >> zRight;
}

void CRezGraPoint::Store(ArchiveWriter& ar) const
{
    ar.writeDouble(freq);
    ar << transfer << zLeft << zRight;
}

// ---- CRezGra ----------------------------------------------------------------

void CRezGra::Copy(const CRezGra& src)
{
    *this = src;
}

void CRezGra::Load(ArchiveReader& ar)
{
    name = ar.readString("имя результата");
    startFreq = ar.readDouble("начальная частота результата");
    endFreq = ar.readDouble("конечная частота результата");
    std::uint16_t n = ar.readWord("число точек результата");
    txWire1 = ar.readByte("провода результата");
    txWire2 = ar.readByte("провода результата");
    rxWire1 = ar.readByte("провода результата");
    rxWire2 = ar.readByte("провода результата");
    mode = ar.readByte("схема подключения результата");
    if (mode == 3)
        resistance = ar.readDouble("сопротивление результата");
    points.clear();
    ar.checkCount(n, kPointBytes, "точки результата");
    points.resize(n);
    for (CRezGraPoint& p : points)
        p.Load(ar);
}

void CRezGra::Store(ArchiveWriter& ar) const
{
    if (points.size() > 0xFFFF)
        throw ArchiveError("результат больше чем из 65535 частот не записать");
    ar.writeString(name);
    ar.writeDouble(startFreq);
    ar.writeDouble(endFreq);
    ar.writeWord(static_cast<std::uint16_t>(points.size()));
    ar.writeByte(txWire1);
    ar.writeByte(txWire2);
    ar.writeByte(rxWire1);
    ar.writeByte(rxWire2);
    ar.writeByte(mode);
    if (mode == 3)
        ar.writeDouble(resistance);
    for (const CRezGraPoint& p : points)
        p.Store(ar);
}

// ---- CRezMod ----------------------------------------------------------------

void CRezMod::AllocArrays()
{
    std::size_t mm = std::size_t(m) * m;
    V.assign(mm, CComplex());
    U.assign(mm, CComplex());
    gamma.assign(m, CComplex());
    y.assign(m, CComplex());
}

void CRezMod::FreeArrays()
{
    V.clear();
    U.clear();
    gamma.clear();
    y.clear();
}

void CRezMod::Copy(const CRezMod& src)
{
    if (this == &src)
        return;
    FreeArrays();
    name = src.name;
    position = src.position;
    freq = src.freq;
    m = src.m;
    if (src.V.empty())
        return;
    AllocArrays();
    auto copy = [](std::vector<CComplex>& to, const std::vector<CComplex>& from) {
        for (std::size_t i = 0; i < to.size() && i < from.size(); ++i)
            to[i] = from[i];
    };
    copy(V, src.V);
    copy(U, src.U);
    copy(gamma, src.gamma);
    copy(y, src.y);
}

void CRezMod::Load(ArchiveReader& ar)
{
    FreeArrays();
    name = ar.readString("имя модального результата");
    position = ar.readWord("элемент модального результата");
    freq = ar.readDouble("частота модального результата");
    std::uint8_t order = ar.readByte("порядок модального результата");
    // Each row holds m pairs of matrix entries and one pair of vector entries,
    // 32 bytes a pair.
    ar.checkCount(std::uint64_t(order) * (order + 1), 32, "значения модального результата");
    m = order;
    AllocArrays();
    for (std::size_t i = 0; i < m; ++i) {
        for (std::size_t j = 0; j < m; ++j)
            ar >> V[i * m + j] >> U[i * m + j];
        ar >> gamma[i] >> y[i];
    }
}

void CRezMod::Store(ArchiveWriter& ar) const
{
    ar.writeString(name);
    ar.writeWord(position);
    ar.writeDouble(freq);
    ar.writeByte(m);
    // A result whose arrays are absent writes zeros rather than reading past them.
    auto at = [](const std::vector<CComplex>& v, std::size_t i) { return i < v.size() ? v[i] : CComplex(); };
    for (std::size_t i = 0; i < m; ++i) {
        for (std::size_t j = 0; j < m; ++j)
            ar << at(V, i * m + j) << at(U, i * m + j);
        ar << at(gamma, i) << at(y, i);
    }
}
