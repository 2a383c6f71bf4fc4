// How a computed number is compared with a golden one written on another day,
// perhaps on another processor.
//
// The engine's own arithmetic is IEEE double without fused multiply-add, the
// same on every x86-64 processor.  The C library's sin, cos, atan2, exp, log,
// pow and hypot are not: glibc picks variants at run time (FMA ones where the
// processor has FMA), and their last bits may differ.  A golden file therefore
// records a fingerprint of those routines, the bits of fixed calls made when
// it was written.  Where the running machine gives the same fingerprint, a
// golden number must come out bit for bit; where it does not, within
// GoldenMatch::kRelativeTolerance.  Results of one machine compared with each
// other (one thread against several) are always compared bit for bit
// (GoldenMatch::BitForBit()).
//
// Header only, so that any test program can use it without linking the
// golden file's reader.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

// The fingerprint of the running machine's math routines: per routine, a
// 64-bit digest of the exact results of 512 fixed calls over the arguments the
// engine meets, as "sin=<16 hex digits> cos=... ".  sqrt is correctly rounded
// by IEEE and is recorded as a check of the digest itself.
inline std::string MathFingerprint()
{
    // The arguments are read through a volatile so that the compiler cannot
    // evaluate the calls itself (it would round them correctly, not as the
    // library does).
    static volatile double s_one = 1.0;
    struct Digest {
        std::uint64_t h = 1469598103934665603ull;  // FNV-1a
        void add(double x)
        {
            const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
            for (int i = 0; i < 8; ++i) {
                h ^= (bits >> (8 * i)) & 0xff;
                h *= 1099511628211ull;
            }
        }
    };
    Digest sinD, cosD, atan2D, expD, logD, powD, hypotD, sqrtD;
    const double one = s_one;
    for (int i = 1; i <= 512; ++i) {
        // x runs over (0, 100] with irregular last bits; y over (-2, 2).
        const double x = one * i * 0.1953125 * (1.0 + i * 1.1102230246251565e-13);
        const double y = one * std::ldexp(double((i * 2654435761u) % 4000000u) - 2000000.0, -20);
        sinD.add(std::sin(x));
        cosD.add(std::cos(x));
        atan2D.add(std::atan2(y, x - 50.0));
        expD.add(std::exp(-x * 0.37 + y));
        logD.add(std::log(x * 1.7));
        powD.add(std::pow(x * 0.01, y));
        hypotD.add(std::hypot(x - 50.0, y));
        sqrtD.add(std::sqrt(x));
    }
    std::string text;
    auto put = [&text](const char* name, const Digest& d) {
        char part[48];
        std::snprintf(part, sizeof part, "%s%s=%016llx", text.empty() ? "" : " ", name,
                      static_cast<unsigned long long>(d.h));
        text += part;
    };
    put("sin", sinD), put("cos", cosD), put("atan2", atan2D), put("exp", expD);
    put("log", logD), put("pow", powD), put("hypot", hypotD), put("sqrt", sqrtD);
    return text;
}

class GoldenMatch {
public:
    // The relative tolerance where the math routines differ.  The coarsest
    // cut-off of the engine is the earth integral's: it halves its step until
    // no pair changes by more than 1e-5 relative, so a last bit of exp or cos
    // can add or drop a halving and move an earth term by up to that much
    // (Richardson's step divides it by 15).  Every finer cut-off (Jacobi's
    // 1e-12 of the matrix size, Carson's 1e-10) moves less; the line and
    // chain carry a relative change of an impedance into the results about
    // one to one.  So 1e-5 of each value's size: a few last bits pass, any
    // change of a model or of its arithmetic's order fails.
    static constexpr double kRelativeTolerance = 1e-5;

    // recorded: the golden file's fingerprint; running: this machine's.
    GoldenMatch(std::string recorded, std::string running)
        : m_exact(recorded == running), m_recorded(std::move(recorded)), m_running(std::move(running))
    {
    }
    explicit GoldenMatch(std::string recorded) : GoldenMatch(std::move(recorded), MathFingerprint()) {}

    // The comparison of results of this machine with each other.
    static GoldenMatch BitForBit() { return GoldenMatch(std::string(), std::string()); }

    bool Exact() const { return m_exact; }

    // The one line a test or benchmark prints about its golden comparison.
    std::string Note() const
    {
        if (m_exact)
            return "golden comparison: bit for bit (the math routines match the golden file's fingerprint)";
        char text[160];
        std::snprintf(text, sizeof text,
                      "golden comparison: within %g relative (the math routines of this machine differ from "
                      "those that wrote the golden file)",
                      kRelativeTolerance);
        return text + std::string(m_recorded.empty() ? " [no fingerprint recorded]" : "");
    }

    // Whether computed stands for golden: the same bits, or where the
    // routines differ, within the tolerance of scale (the size of the
    // quantity the value belongs to, e.g. the modulus of a complex impedance;
    // at least the golden value's own size).
    bool Same(double golden, double computed, double scale) const
    {
        if (std::bit_cast<std::uint64_t>(golden) == std::bit_cast<std::uint64_t>(computed))
            return true;
        if (m_exact || !std::isfinite(golden) || !std::isfinite(computed))
            return false;
        const double size = std::fmax(std::fabs(scale), std::fabs(golden));
        return std::fabs(computed - golden) <= kRelativeTolerance * size;
    }

private:
    bool m_exact;
    std::string m_recorded, m_running;
};
