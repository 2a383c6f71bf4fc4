#include "model/conductors.h"
#include "model/element.h"
#include "samples.h"

#include <algorithm>

namespace {

class Element : public ModelTest {};

// The header of an element record up to the data flag.
Fixture ElementHead(int type, int w, int w2, int hasData, const std::string& name = "")
{
    Fixture f;
    f.S(name).B(type).D(3).D(5).B(w).B(w2).B(1).B(hasData);
    return f;
}

CElement Load(const Bytes& b)
{
    CElement e;
    LoadBytes(e, b);
    return e;
}

TEST_F(Element, Version4DerivesTheCounts)
{
    g_nTaskVersion = 4;
    CElement change = Load(ElementHead(9, 6, 9, 0).bytes());
    EXPECT_EQ(change.circuits, 2);
    EXPECT_EQ(change.groundWires, 0);
    EXPECT_EQ(change.circuitsAfter, 3);
    EXPECT_EQ(change.groundWiresAfter, 0);
    EXPECT_EQ(change.circuitsPart, 1);
    EXPECT_EQ(change.groundWiresPart, 0);
    EXPECT_EQ(change.conductors, 6);
    EXPECT_EQ(change.splitConductor, -1);
    EXPECT_EQ(change.inMap[0], -1);
    CVarMod* v = change.Data<CVarMod>();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->wiresBefore, 6);
    EXPECT_EQ(v->wiresAfter, 9);
    EXPECT_EQ(change.cellX, 3);
    EXPECT_EQ(change.cellY, 5);
    EXPECT_EQ(change.entered, 1);

    CElement tap = Load(ElementHead(8, 7, 0, 0).bytes());
    EXPECT_EQ(tap.circuits, 2);
    EXPECT_EQ(tap.groundWires, 1);
    EXPECT_EQ(tap.circuitsPart, 2);
    EXPECT_EQ(tap.groundWiresAfter, 1);
    ASSERT_TRUE(tap.Data<COtvet>());
    EXPECT_EQ(tap.Data<COtvet>()->count, 7);
    CElement doubling = Load(ElementHead(10, 7, 0, 0).bytes());
    EXPECT_EQ(doubling.Data<COtvet>()->count, 14);
    EXPECT_EQ(doubling.circuitsPart, 4);
    EXPECT_EQ(doubling.groundWiresPart, 2);
    EXPECT_EQ(doubling.reserved, -1);  // a new element's value, kept
}

TEST_F(Element, OldTapsCarryNoRecord)
{
    // Version 0: a tap with data takes the defaults and reads nothing.
    g_nTaskVersion = 0;
    CElement tap = Load(ElementHead(8, 3, 0, 1).bytes());
    ASSERT_TRUE(tap.Data<COtvet>());
    EXPECT_EQ(tap.Data<COtvet>()->flags[0], 1);
    EXPECT_EQ(tap.Data<COtvet>()->count, 0);
    // Version 1: doublings still carry nothing, taps do.
    g_nTaskVersion = 1;
    CElement doubling = Load(ElementHead(10, 3, 0, 1).bytes());
    EXPECT_TRUE(doubling.Data<COtvet>());
    CElement tap1 = Load(ElementHead(8, 3, 0, 1).B(1).B(2).bytes());
    EXPECT_EQ(tap1.Data<COtvet>()->selectionMode, 1);
    EXPECT_EQ(tap1.Data<COtvet>()->count, 2);
}

CElement MakeElement(int type, int circuits, int ground)
{
    CElement e;
    e.SetType(type);
    e.name = "элемент";
    e.circuits = e.circuitsAfter = std::uint8_t(circuits);
    e.groundWires = e.groundWiresAfter = std::uint8_t(ground);
    e.conductors = std::uint8_t((g_bDC ? 1 : 3) * circuits + ground);
    e.wirePositions = e.conductors;
    for (int i = 0; i < e.conductors && i < kMaxWires; ++i)
        e.inMap[i] = e.outMap[i] = i;
    e.reserved = 0x12345678;
    e.entered = 1;
    e.data = CreateElementData(type);
    return e;
}

TEST_F(Element, MapPairsFollowTheDirectCurrentFlag)
{
    g_bDC = 1;
    CElement dc = MakeElement(kBranchingEnd, 2, 1);
    dc.data.reset();
    Bytes b = StoreBytes(dc);
    g_bDC = 0;
    CElement ac = MakeElement(kBranchingEnd, 2, 1);
    ac.data.reset();
    Bytes a = StoreBytes(ac);
    EXPECT_EQ(a.size(), b.size() + 4 * 8);
    // Type 13: data flag 0 and nothing after the maps.
    std::size_t nameLen = 1 + 7;  // seven CP1251 bytes
    EXPECT_EQ(b[nameLen + 1 + 8 + 3], 0);
    EXPECT_EQ(b.size(), nameLen + 1 + 8 + 4 + 3 + 4 + 2 + 4 + 2 + 3 * 8);
}

TEST_F(Element, RoundTripKeepsReservedButNotSelection)
{
    for (int type = 0; type <= kEndLoad; ++type) {
        CElement e = MakeElement(type, 2, 1);
        e.selected = 1;
        g_nLoadWires = 7;
        CElement back;
        LoadBytes(back, StoreBytes(e));
        EXPECT_EQ(back.reserved, 0x12345678) << type;
        EXPECT_EQ(back.selected, 0);
        EXPECT_EQ(StoreBytes(back), StoreBytes(e)) << type;
        EXPECT_EQ(back.data != nullptr, type != kBranchingEnd) << type;
        CElement copy(e);
        EXPECT_EQ(copy.selected, 1);
        EXPECT_EQ(StoreBytes(copy), StoreBytes(e));
    }
}

// A branch's second wire joins it only in a shunt element: there it must lie
// within the element's wires; a series element keeps whatever it holds and
// writes it back unchanged.
TEST_F(Element, SecondWireOfABranchIsCheckedOnlyWhereItIsUsed)
{
    for (int type : {kShuntImpedance, kSeriesImpedance}) {
        CElement e = MakeElement(type, 2, 1);  // 7 positions: 0..6
        CShunt branch;
        branch.firstWire = 2;
        branch.secondWire = 200;
        e.Data<CEShunt>()->branches = {branch};
        const Bytes bytes = StoreBytes(e);
        CElement back;
        if (type == kShuntImpedance) {
            // Refused at the second wire's own byte, not at the record's end.
            const std::uint8_t branchWires[] = {2, 200};
            const auto wires = std::search(bytes.begin(), bytes.end(), std::begin(branchWires), std::end(branchWires));
            const std::string at = "(смещение " + std::to_string(wires - bytes.begin() + 1) + ")";
            ArchiveReader r(bytes);
            try {
                back.Load(r);
                ADD_FAILURE() << "a second wire outside the element was read";
            } catch (const ArchiveError& error) {
                EXPECT_TRUE(std::string(error.what()).ends_with(at)) << error.what();
            }
            continue;
        }
        LoadBytes(back, bytes);
        EXPECT_EQ(back.Data<CEShunt>()->branches.at(0).secondWire, 200);
        EXPECT_EQ(StoreBytes(back), bytes);
    }
}

TEST_F(Element, IsSameLine)
{
    CElement a = MakeElement(kOverheadLine, 1, 2);
    a.data = std::make_unique<CVLine>(MakeVLine(0, 1000.0));
    CElement b(a);
    EXPECT_EQ(a.IsSameLine(b), 2);
    static_cast<CVLine&>(*b.data).length = 2000.0;
    EXPECT_EQ(a.IsSameLine(b), 1);
    b.splitConductor = 1;
    EXPECT_EQ(a.IsSameLine(b), 0);
    b.splitConductor = -1;
    b.data.reset();
    EXPECT_EQ(a.IsSameLine(b), 0);  // a missing data object is not the same line
    CElement c = MakeElement(kCableLine, 1, 0);
    c.data = std::make_unique<CKLine>(MakeKLine(1));
    CElement d(c);
    EXPECT_EQ(c.IsSameLine(d), 2);
    EXPECT_EQ(a.IsSameLine(c), 0);
    CElement s = MakeElement(kShuntImpedance, 1, 0);
    EXPECT_EQ(s.IsSameLine(s), 0);
}

TEST_F(Element, ClearKeepsTypeCellAndReserved)
{
    CElement e = MakeElement(kEndLoad, 1, 0);
    e.cellX = 4;
    e.Clear();
    EXPECT_EQ(e.type, kEndLoad);
    EXPECT_EQ(e.cellX, 4);
    EXPECT_EQ(e.reserved, 0x12345678);
    EXPECT_EQ(e.circuits, 1);
    EXPECT_EQ(e.wirePositions, 0);
    EXPECT_EQ(e.outMap[0], -1);
    EXPECT_FALSE(e.data);
    CElement fresh;
    EXPECT_EQ(fresh.reserved, -1);
    EXPECT_EQ(fresh.type, kNoType);
}

TEST_F(Element, DamagedRecords)
{
    g_nTaskVersion = 6;
    // Eleven circuits and 8 ground wires: 41 map pairs.
    Fixture f = ElementHead(13, 7, 7, 0);
    f.B(41).B(11).B(8).D(-1).B(0).B(0).D(-1).B(0).B(0).Dn(82, 0);
    CElement e;
    EXPECT_THROW(LoadBytes(e, f.bytes()), ArchiveError);
    EXPECT_THROW(LoadBytes(e, ElementHead(13, 41, 0, 0).bytes()), ArchiveError);
    Fixture split = ElementHead(13, 3, 3, 0);
    split.B(3).B(1).B(0).D(40).B(0).B(0).D(-1).B(0).B(0).Dn(6, 0);
    EXPECT_THROW(LoadBytes(e, split.bytes()), ArchiveError);

    CElement big = MakeElement(kBranchingEnd, 14, 0);
    ArchiveWriter w;
    EXPECT_THROW(big.Store(w), ArchiveError);  // 42 pairs cannot be written
    EXPECT_EQ(w.size(), 0u);

    g_nLoadWires = 7;
    CElement good = MakeElement(kBypass, 2, 1);
    good.data = std::make_unique<CEObhod>(MakeEObhod(2));
    ExpectEveryPrefixThrows<CElement>(StoreBytes(good));
}

TEST_F(Element, NumberConductorsMovesBranchWiresToNewCircuits)
{
    // A task of 2 circuits and 2 ground wires; the tap takes 2A, 2B, 2C and T2.
    g_nLabelCircuits = 2;
    g_nLabelGround = 2;
    CElement tap = MakeElement(kTap, 2, 2);
    const int codes[8] = {0, 1, 2, 4, 5, 6, 3, 7};
    std::copy(codes, codes + 8, tap.inMap);
    COtvet& o = *tap.Data<COtvet>();
    std::fill(std::begin(o.flags), std::end(o.flags), std::uint8_t(0));
    o.flags[3] = o.flags[4] = o.flags[5] = o.flags[7] = 1;
    EXPECT_EQ(NumberConductors(tap), 4);
    EXPECT_EQ(g_nLabelCircuits, 3);
    EXPECT_EQ(g_nLabelGround, 3);
    const int out[8] = {0, 1, 2, 8, 9, 10, 3, 11};  // 3A 3B 3C T3
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(tap.outMap[i], out[i]) << i;
    const int map[8] = {4, 5, 6, 7, 8, 9, 10, 11};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(o.map[i], map[i]) << i;
    EXPECT_EQ(FormatConductorName(tap.outMap, -1, 3), "3A");
    EXPECT_EQ(FormatConductorName(tap.outMap, -1, 7), "T3");

    // A branch of more than 20 wires: the new codes stop at the map's end.
    g_nLabelCircuits = 13;
    CElement wide = MakeElement(kDoubling, 13, 1);
    EXPECT_EQ(NumberConductors(wide), 40);
    EXPECT_EQ(wide.Data<COtvet>()->map[39], 39);
    EXPECT_EQ(wide.outMap[0], 4 * 13);
    CElement none = MakeElement(kEndLoad, 1, 0);
    EXPECT_EQ(NumberConductors(none), 0);
}

}  // namespace
