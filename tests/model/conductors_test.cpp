#include "model/conductors.h"
#include "modeltest.h"

namespace {

class ConductorNames : public ModelTest {
protected:
    int codes[kMaxWires];
    void SetUp() override
    {
        ModelTest::SetUp();
        std::fill(std::begin(codes), std::end(codes), -1);
    }
    std::string Name(int position, int split = -1) { return FormatConductorName(codes, split, std::uint8_t(position)); }
};

TEST_F(ConductorNames, CircuitAndGroundNumbersFromTwoOn)
{
    codes[0] = 5;  // 2B
    codes[1] = 7;  // ground wire 2
    codes[2] = 0;
    g_nLabelCircuits = 2;
    g_nLabelGround = 3;
    EXPECT_EQ(Name(0), "2B");
    EXPECT_EQ(Name(1), "T2");
    EXPECT_EQ(Name(2), "1A");
    g_nLabelCircuits = 1;
    g_nLabelGround = 1;
    EXPECT_EQ(Name(0), "B");
    EXPECT_EQ(Name(1), "T");
    EXPECT_EQ(Name(3), "?");
}

TEST_F(ConductorNames, DirectCurrentPoles)
{
    g_bDC = 1;
    g_nLabelCircuits = 2;
    codes[0] = 0;
    codes[1] = 1;
    codes[2] = 6;  // phase 2 shows "-" too
    codes[3] = 3;
    EXPECT_EQ(Name(0), "+");
    EXPECT_EQ(Name(1), "-");
    EXPECT_EQ(Name(2), "-");
    EXPECT_EQ(Name(3), "T");
}

TEST_F(ConductorNames, SplitConductorHalves)
{
    g_nLabelCircuits = 2;
    for (int i = 0; i < 6; ++i)
        codes[i] = i;  // 1A 1B 1C T 2A 2B
    EXPECT_EQ(Name(2, 2), "1C/1");
    EXPECT_EQ(Name(3, 2), "1C/2");
    EXPECT_EQ(Name(4, 2), "T");  // code index 3
    EXPECT_EQ(Name(1, 2), "1B");
    EXPECT_EQ(Name(1, 0), "1A/2");
    codes[2] = -1;
    EXPECT_EQ(Name(2, 2), "?");  // no suffix on an empty slot
    EXPECT_EQ(Name(3, 2), "?");
}

TEST_F(ConductorNames, BufferAndPositionsPastTheMap)
{
    codes[0] = 9;
    g_nLabelCircuits = 3;
    char buffer[8];
    std::string result;
    FormatConductorName(result, codes, -1, 0, buffer, sizeof buffer);
    EXPECT_EQ(result, "3B");
    EXPECT_STREQ(buffer, "3B");
    char tiny[2];
    FormatConductorName(result, codes, -1, 0, tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "3");
    EXPECT_EQ(Name(40), "?");
    EXPECT_EQ(Name(255), "?");
    EXPECT_EQ(Name(40, 39), "?");  // position 40 shows code index 39 only with a split before it
}

class Symmetry : public ModelTest {};

TEST_F(Symmetry, PairsAndAxis)
{
    double x2[] = {-1, 1}, y2[] = {10, 10};
    EXPECT_EQ(FindSymmetricWires(x2, y2, 2), 0);
    EXPECT_EQ(g_SymWires[0], 1);
    EXPECT_EQ(g_SymWires[1], -1);

    double x3[] = {-1, 1, 0}, y3[] = {10, 10, 14};
    EXPECT_EQ(FindSymmetricWires(x3, y3, 3), 1);
    EXPECT_EQ(g_SymWires[2], 0);

    double x3a[] = {0, -1, 1}, y3a[] = {14, 10, 10};
    EXPECT_EQ(FindSymmetricWires(x3a, y3a, 3), -1);  // first wire on the axis

    double xa[] = {-1, 1}, ya[] = {10, 12};  // heights differ: no partner
    EXPECT_EQ(FindSymmetricWires(xa, ya, 2), -1);
    EXPECT_EQ(FindSymmetricWires(nullptr, nullptr, 0), 0);

    float xf[] = {-4.2f, 4.2f, 0.0f, -2.0f, 2.0f}, yf[] = {19, 19, 23, 27, 27};
    EXPECT_EQ(FindSymmetricWiresF(xf, yf, 5), 1);
    EXPECT_EQ(g_SymWires[3], 2);
    EXPECT_EQ(g_SymWires[4], -2);
}

TEST_F(Symmetry, TowerOfMoreThanFortyPointsStaysInTheTable)
{
    std::vector<double> x, y;
    for (int i = 0; i < 30; ++i) {
        x.push_back(-1.0 - i);
        y.push_back(10.0 + i);
        x.push_back(1.0 + i);
        y.push_back(10.0 + i);
    }
    EXPECT_EQ(FindSymmetricWires(x.data(), y.data(), 60), 0);
    EXPECT_EQ(g_SymWires[38], 20);
    EXPECT_EQ(g_SymWires[39], -20);
}

}  // namespace
