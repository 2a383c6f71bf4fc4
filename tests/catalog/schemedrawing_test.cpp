#include "catalog/filtrdlg.h"
#include "catalog/schemedrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

std::set<std::string> Labels(const SchemeDrawing& d, char letter)
{
    std::set<std::string> out;
    for (const SchemeItem& it : d.items)
        if (it.kind == SchemeItem::Kind::Label && it.text.size() == 1 && it.text[0] == letter)
            out.insert(it.text + it.sub);
    return out;
}

TEST(SchemeDrawing, EveryElementOfTheTypeIsDrawnInsideItsFrame)
{
    std::set<std::vector<int>> pictures;
    for (int type = 1; type <= 7; ++type) {
        const SchemeDrawing d = FiltrSchemeDrawing(type, 520);
        EXPECT_EQ(d.width, type == 7 ? 520 : 355);
        EXPECT_EQ(d.height, 140);
        std::set<std::string> expected;
        for (int e = 0; e < kFiltrElements; ++e)
            if (FiltrHasElement(type, e) && e != kFRatio)
                expected.insert(std::string(FiltrElementLetter(e)) +
                                (FiltrElementNumber(e) ? std::to_string(FiltrElementNumber(e)) : ""));
        if (type == 6) { // C6 and L4 take no part in this scheme's circuit
            expected.erase("C6");
            expected.erase("L4");
        }
        std::set<std::string> drawn = Labels(d, 'C');
        for (char letter : {'L', 'R'})
            for (const std::string& s : Labels(d, letter))
                drawn.insert(s);
        EXPECT_EQ(drawn, expected) << type;
        std::vector<int> signature;
        for (const SchemeItem& it : d.items) {
            EXPECT_GE(std::min(it.x1, it.x2), 0) << type;
            EXPECT_LE(std::max(it.x1, it.x2), d.width) << type;
            EXPECT_GE(std::min(it.y1, it.y2), 0) << type;
            EXPECT_LE(std::max(it.y1, it.y2), d.height) << type;
            signature.insert(signature.end(), {int(it.kind), it.x1, it.y1, it.x2, it.y2});
        }
        pictures.insert(signature);
    }
    for (int scheme = 0; scheme < 3; ++scheme) {
        const SchemeDrawing d = TrapSchemeDrawing(scheme);
        EXPECT_EQ(d.width, scheme == 0 ? 275 : 245);
        EXPECT_EQ(d.height, scheme == 0 ? 110 : 130);
        const std::set<std::string> inductors = Labels(d, 'L');
        EXPECT_EQ(inductors.count("L4"), scheme == 2 ? 1u : 0u);
        EXPECT_EQ(Labels(d, 'C').size(), 3u);
        std::vector<int> signature;
        for (const SchemeItem& it : d.items)
            signature.insert(signature.end(), {int(it.kind), it.x1, it.y1, it.x2, it.y2});
        pictures.insert(signature);
    }
    EXPECT_EQ(pictures.size(), 10u); // every type and scheme is a picture of its own
}

} // namespace

namespace {

// The gaps in the bottom rail between the line terminal and the cable
// terminal: the horizontal wires at the rail's height, joined.
int RailGaps(const SchemeDrawing& d, int railY)
{
    int left = d.width, right = 0;
    std::vector<std::pair<int, int>> spans;
    for (const SchemeItem& it : d.items) {
        if (it.kind == SchemeItem::Kind::Terminal && it.y1 == railY) {
            left = std::min(left, it.x1);
            right = std::max(right, it.x1);
        }
        if (it.kind == SchemeItem::Kind::Wire && it.y1 == railY && it.y2 == railY)
            spans.emplace_back(std::min(it.x1, it.x2), std::max(it.x1, it.x2));
    }
    std::sort(spans.begin(), spans.end());
    int gaps = 0;
    int reached = left;
    for (const auto& [a, b] : spans) {
        if (a > reached)
            ++gaps;
        reached = std::max(reached, b);
    }
    return gaps + (reached < right ? 1 : 0);
}

TEST(SchemeDrawing, CoupledWindingsShareTheRailTransformersHaveTheirOwn)
{
    // Types 1, 2, 3 and 6 have one common rail; 4, 5 and 7 end in a
    // transformer whose secondary has a rail of its own.
    for (int type = 1; type <= 7; ++type) {
        const bool transformer = type == 4 || type == 5 || type == 7;
        EXPECT_EQ(RailGaps(FiltrSchemeDrawing(type, 520), 116), transformer ? 1 : 0) << type;
    }
}

} // namespace
