// Wire names in the element dialogs after a transposition moved the split
// conductor: each dialog names the element's own wires.
#include "app/elemparams.h"
#include "dialogs/prisoeddlg.h"
#include "dialogs/shuntdlg.h"
#include "structurefixture.h"

#include <gtest/gtest.h>

namespace {

TEST(TransposedWires, CouplingDeviceAndShuntNameTheElementsOwnWires)
{
    ChainEditor t(1, 1, false, 0);  // phase A split: A/1 A/2 B C T
    t.PlaceAll({kCouplingDevice, kOverheadLine});
    CElement swap = TranspositionOf({3, 1, 2, 0});  // A <-> T
    ASSERT_TRUE(t.Place(kTransposition, &swap)) << t.walk.Problem();
    t.PlaceAll({kOverheadLine, kShuntImpedance, kOverheadLine, kCouplingDevice});
    ASSERT_EQ(t.doc.elements.size(), 7u);

    std::vector<std::string> coupling, shunt;
    ScopedModalRunner<CPrisoedDlg> couplingDialog([&](CPrisoedDlg& d) {
        d.OnInitDialog();
        for (int i = 0; i < d.m_nWires; ++i)
            coupling.push_back(d.ShowRow(i)[0]);
        return IDCANCEL;
    });
    ScopedModalRunner<CShuntDlg> shuntDialog([&](CShuntDlg& d) {
        d.OnInitDialog();
        shunt = d.wireLabels;
        return IDCANCEL;
    });
    bool replay = false;
    RunElemParams(t.doc, 4, true, replay);
    RunElemParams(t.doc, 6, true, replay);
    const std::vector<std::string> wires = {"1 (T)", "2 (B)", "3 (C)", "4 (A/1)", "5 (A/2)"};
    EXPECT_EQ(coupling, wires);
    EXPECT_EQ(shunt, wires);
}

} // namespace
