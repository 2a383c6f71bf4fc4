// Helpers of the results tests: stored results made point by point, and a text
// width of a fixed number of pixels per character.
#pragma once

#include "model/results.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// A result of n points evenly spread from startHz to endHz; fill sets the
// values of point j.
inline CRezGra MakeResult(double startHz, double endHz, int n,
                          const std::function<void(CRezGraPoint&, int)>& fill = {})
{
    CRezGra r;
    r.startFreq = startHz;
    r.endFreq = endHz;
    r.points.resize(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) {
        CRezGraPoint& p = r.points[static_cast<std::size_t>(j)];
        p.freq = n > 1 ? startHz + (endHz - startHz) * j / (n - 1) : startHz;
        if (fill)
            fill(p, j);
    }
    return r;
}

// An attenuation result whose value at point j is values[j].
inline CRezGra AttenuationResult(double startHz, double endHz, std::vector<double> values)
{
    return MakeResult(startHz, endHz, static_cast<int>(values.size()),
                      [&](CRezGraPoint& p, int j) { p.transfer.re = values[static_cast<std::size_t>(j)]; });
}

// 8 pixels per UTF-8 character.
inline int FixedWidth(const std::string& s)
{
    int chars = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            ++chars;
    return chars * 8;
}
