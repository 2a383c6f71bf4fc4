#include "model/conductors.h"

#include "model/modelglobals.h"
#include "platform/format.h"

#include <cmath>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::string ConductorName(const int* codes, int split, std::uint8_t position)
{
    int i = position;
    if (split >= 0 && position > split)
        i = position - 1;
    int c = (codes != nullptr && i < kMaxWires) ? codes[i] : kNoConductor;
    if (c < 0)
        return std::string(1, '?');
    int p = c % 4;
    int k = c / 4;
    std::string name;
    if (p == 3)
        name = g_nLabelGround < 2 ? std::string(1, 'T') : StrFormat("T%d", k + 1);
    else if (IsDCTask())
        name = std::string(1, p == 0 ? '+' : '-');
    else if (g_nLabelCircuits < 2)
        name = std::string(1, char('A' + p));
    else
        name = StrFormat("%d%c", k + 1, 'A' + p);
    if (split == i) {
        if (position == split)
            name += "/1";
        else if (position == split + 1)
            name += "/2";
    }
    return name;
}

}  // namespace

std::string& FormatConductorName(std::string& result, const int* codes, int split, std::uint8_t position,
                                 char* buffer, std::size_t bufferSize)
{
    result = ConductorName(codes, split, position);
    if (buffer != nullptr && bufferSize > 0) {
        std::size_t n = std::min(result.size(), bufferSize - 1);
        std::memcpy(buffer, result.data(), n);
        buffer[n] = '\0';
    }
    return result;
}

std::string FormatConductorName(const int* codes, int split, std::uint8_t position)
{
    return ConductorName(codes, split, position);
}

namespace {

// One algorithm for both precisions; the constants are the same.  The pair
// table is built over all n points and its first 40 entries go to g_SymWires
// (a line has at most 40 wires, a tower up to 255 points).
template <class T>
int FindSymmetric(const T* x, const T* y, std::uint8_t n)
{
    if (n == 0)
        return 0;
    double mean = 0.0;
    for (int i = 0; i < n; ++i)
        mean += x[i];
    mean /= n;
    std::vector<int> table(n, 0);
    auto publish = [&] {
        for (int i = 0; i < kMaxWires; ++i)
            g_SymWires[i] = std::int8_t(i < n ? table[std::size_t(i)] : 0);
    };
    int pairs = 0;
    int sum = 0;
    for (int i = 0; i < n; ++i) {
        int& entry = table[std::size_t(i)];
        entry = 0;
        if (std::fabs(x[i] - mean) <= 1e-5) {
            if (i == 0) {
                publish();
                return -1;
            }
        } else {
            for (int j = 0; j < i; ++j)
                if (std::fabs(x[j] - 2.0 * mean + x[i]) + std::fabs(double(y[i]) - double(y[j])) < 1e-4)
                    entry = -table[std::size_t(j)];
            if (entry == 0)
                entry = ++pairs;
        }
        sum += entry;
    }
    publish();
    if (sum != 0)
        return -1;
    int onAxis = 0;
    for (int v : table)
        if (v == 0)
            ++onAxis;
    return onAxis;
}

}  // namespace

int FindSymmetricWires(const double* x, const double* y, std::uint8_t n)
{
    return FindSymmetric(x, y, n);
}

int FindSymmetricWiresF(const float* x, const float* y, std::uint8_t n)
{
    return FindSymmetric(x, y, n);
}
