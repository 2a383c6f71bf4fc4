// One plotted curve of a results graph: the values of one quantity of one
// stored result over frequency.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CRez {
public:
    std::string label;       // connection label shown in the legend
    std::uint16_t count = 0; // frequency points of the result
    std::vector<double> x;   // frequencies of the points, kHz (count entries)
    // The values: one per point, except for the group delay, which has one per
    // interval between neighbouring points (count - 1 values).
    std::vector<double> y;
    double fMin = 0.0; // first frequency of the result, kHz
    double fMax = 0.0; // last frequency of the result, kHz
    double step = 0.0; // (fMax - fMin) / (count - 1), kHz

    void Clear()
    {
        label.clear();
        count = 0;
        x.clear();
        y.clear();
        fMin = fMax = step = 0.0;
    }
};
