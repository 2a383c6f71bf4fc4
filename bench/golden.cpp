#include "bench/golden.h"

#include "calc/calcrun.h"
#include "platform/format.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <sstream>

#ifndef KESTRIN_GOLDEN_FILE
#define KESTRIN_GOLDEN_FILE "bench/golden.txt"
#endif

const char* GoldenFilePath()
{
    return KESTRIN_GOLDEN_FILE;
}

namespace {

constexpr int kValuesPerPoint = 7;

void Values(const CRezGraPoint& p, double (&v)[kValuesPerPoint])
{
    v[0] = p.freq;
    v[1] = p.transfer.re, v[2] = p.transfer.im;
    v[3] = p.zLeft.re, v[4] = p.zLeft.im;
    v[5] = p.zRight.re, v[6] = p.zRight.im;
}

std::string Hex(double x)
{
    char text[64];
    auto r = std::to_chars(text, text + sizeof text, x, std::chars_format::hex);
    return std::string(text, r.ptr);
}

bool ParsePoint(const std::string& line, CRezGraPoint& p)
{
    double v[kValuesPerPoint];
    const char* s = line.data();
    const char* end = s + line.size();
    for (double& x : v) {
        while (s < end && *s == ' ')
            ++s;
        bool negative = s < end && *s == '-';
        if (negative)
            ++s;
        auto r = std::from_chars(s, end, x, std::chars_format::hex);
        if (r.ec != std::errc())
            return false;
        if (negative)
            x = -x;
        s = r.ptr;
    }
    p.freq = v[0];
    p.transfer = CComplex(v[1], v[2]);
    p.zLeft = CComplex(v[3], v[4]);
    p.zRight = CComplex(v[5], v[6]);
    return true;
}

} // namespace

bool ReadGoldenFile(const std::string& path, GoldenSweeps& sweeps, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    sweeps.clear();
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream head(line);
        std::string word, key;
        long count = -1;
        head >> word >> key >> count;
        if (word != "sweep" || key.empty() || count < 0) {
            error = StrFormat("%s:%d: a sweep header expected", path.c_str(), number);
            return false;
        }
        std::vector<CRezGraPoint>& points = sweeps[key];
        points.resize(std::size_t(count));
        for (CRezGraPoint& p : points) {
            ++number;
            if (!std::getline(in, line) || !ParsePoint(line, p)) {
                error = StrFormat("%s:%d: a point of sweep %s expected", path.c_str(), number, key.c_str());
                return false;
            }
        }
    }
    return true;
}

bool WriteGoldenFile(const std::string& path, const GoldenSweeps& sweeps, std::string& error)
{
    std::ofstream out(path);
    out << "# Golden frequency responses of the reference channels, bit for bit:\n"
           "# freq, attenuation, phase, zLeft re im, zRight re im as hex floats.\n";
    for (const auto& [key, points] : sweeps) {
        out << "sweep " << key << ' ' << points.size() << '\n';
        for (const CRezGraPoint& p : points) {
            double v[kValuesPerPoint];
            Values(p, v);
            for (int i = 0; i < kValuesPerPoint; ++i)
                out << (i ? " " : "") << Hex(v[i]);
            out << '\n';
        }
    }
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

std::string CompareWithGolden(const std::vector<CRezGraPoint>& golden, const std::vector<CRezGraPoint>& computed)
{
    if (golden.size() != computed.size())
        return StrFormat("%zu points computed, %zu golden", computed.size(), golden.size());
    static const char* const names[kValuesPerPoint] = {"freq", "attenuation", "phase", "zLeft.re",
                                                       "zLeft.im", "zRight.re", "zRight.im"};
    for (std::size_t i = 0; i < golden.size(); ++i) {
        double g[kValuesPerPoint], c[kValuesPerPoint];
        Values(golden[i], g);
        Values(computed[i], c);
        for (int k = 0; k < kValuesPerPoint; ++k)
            if (std::bit_cast<std::uint64_t>(g[k]) != std::bit_cast<std::uint64_t>(c[k]))
                return StrFormat("point %zu (%.3f Hz): %s is %s, golden %s", i, golden[i].freq, names[k],
                                 Hex(c[k]).c_str(), Hex(g[k]).c_str());
    }
    return {};
}

CalcRequest GoldenSweepRequest()
{
    CalcRequest r;
    r.frequencies.mode = 1;
    r.frequencies.start = 16.0f;
    r.frequencies.end = 1000.0f;
    r.frequencies.step = 0.985f;
    return r;
}

CalcRequest GoldenCoarseRequest()
{
    CalcRequest r;
    r.frequencies.mode = 1;
    r.frequencies.start = 16.0f;
    r.frequencies.end = 1000.0f;
    r.frequencies.step = 82.0f;
    return r;
}
