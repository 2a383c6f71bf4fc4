#include "bench/golden.h"

#include "calc/calcrun.h"
#include "platform/format.h"

#include <charconv>
#include <cmath>
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

bool ReadGoldenFile(const std::string& path, GoldenFile& file, std::string& error)
{
    GoldenSweeps& sweeps = file.sweeps;
    file.fingerprint.clear();
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
        static const std::string kFingerprint = "fingerprint ";
        if (line.compare(0, kFingerprint.size(), kFingerprint) == 0) {
            file.fingerprint = line.substr(kFingerprint.size());
            continue;
        }
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

bool WriteGoldenFile(const std::string& path, const GoldenFile& file, std::string& error)
{
    std::ofstream out(path);
    out << "# Golden frequency responses of the reference channels, bit for bit:\n"
           "# freq, attenuation, phase, zLeft re im, zRight re im as hex floats.\n"
           "fingerprint "
        << file.fingerprint << '\n';
    for (const auto& [key, points] : file.sweeps) {
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

std::string CompareWithGolden(const std::vector<CRezGraPoint>& golden, const std::vector<CRezGraPoint>& computed,
                              const GoldenMatch& match)
{
    if (golden.size() != computed.size())
        return StrFormat("%zu points computed, %zu golden", computed.size(), golden.size());
    static const char* const names[kValuesPerPoint] = {"freq", "attenuation", "phase", "zLeft.re",
                                                       "zLeft.im", "zRight.re", "zRight.im"};
    for (std::size_t i = 0; i < golden.size(); ++i) {
        double g[kValuesPerPoint], c[kValuesPerPoint];
        Values(golden[i], g);
        Values(computed[i], c);
        // The size each value is measured against: itself (frequency,
        // attenuation), pi (phase), its impedance's modulus.
        const double pi = std::acos(-1.0);
        const double scale[kValuesPerPoint] = {0.0, 0.0, pi, std::hypot(g[3], g[4]), std::hypot(g[3], g[4]),
                                               std::hypot(g[5], g[6]), std::hypot(g[5], g[6])};
        // A phase next to +-pi may come out on the other side of the cut.
        double phase = c[2];
        if (!match.Exact() && std::fabs(phase - g[2]) > pi)
            phase += phase < g[2] ? 2 * pi : -2 * pi;
        for (int k = 0; k < kValuesPerPoint; ++k)
            if (!match.Same(g[k], k == 2 ? phase : c[k], scale[k]))
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
