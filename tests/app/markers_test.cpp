#include "app/linestyles.h"

#include <gtest/gtest.h>

namespace {

TEST(Markers, ShapeAndHalfSizeOfACode)
{
    g_bMarkerSwap = 0;
    MarkerGeometry g = GetMarkerGeometry(3 * 8 + 5, 1.5); // size 3, triangle
    EXPECT_EQ(g.shape, MarkerShape::Triangle);
    EXPECT_EQ(g.halfSize, 4); // 4.5 truncated
    EXPECT_EQ(GetMarkerGeometry(16, 1.0).shape, MarkerShape::None);
    EXPECT_EQ(GetMarkerGeometry(23, 1.0).shape, MarkerShape::None); // shape 7 draws nothing
    // A size of 0 still draws at size 1.
    g = GetMarkerGeometry(2, 2.0);
    EXPECT_EQ(g.shape, MarkerShape::Square);
    EXPECT_EQ(g.halfSize, 2);
}

TEST(Markers, SwapFlagExchangesTheTwoTriangles)
{
    g_bMarkerSwap = 1;
    EXPECT_EQ(GetMarkerGeometry(8 + 5, 1.0).shape, MarkerShape::InvertedTriangle);
    EXPECT_EQ(GetMarkerGeometry(8 + 6, 1.0).shape, MarkerShape::Triangle);
    EXPECT_EQ(GetMarkerGeometry(8 + 1, 1.0).shape, MarkerShape::Circle);
    g_bMarkerSwap = 0;
    EXPECT_EQ(GetMarkerGeometry(8 + 6, 1.0).shape, MarkerShape::InvertedTriangle);
}

} // namespace
