// Placing through the program's wire-choice dialogs: the dialog models run
// by scripted runners that act as the user (Escape once, then a choice and
// OK), and the chain the walk builds agrees with a fresh replay.
#include "structurefixture.h"

#include "app/programwiredialogs.h"
#include "dialogs/izmprovdlg.h"
#include "dialogs/otvetdlg.h"
#include "dialogs/razvetvdlg.h"

namespace {

class ProgramWireDialogsTest : public ::testing::Test {
protected:
    // The user presses Escape on every other showing, then chooses and presses OK.
    ScopedModalRunner<COtvetDlg> otvet{[this](COtvetDlg& d) {
        ++otvetRuns;
        d.OnInitDialog();
        if (otvetRuns % 2)
            return IDCANCEL;
        if (d.choiceShown && d.m_nType != kBypass) {
            d.OnSelectedCircuits();
            for (CircuitButton& b : d.m_buttons.buttons)
                b.checked = &b == &d.m_buttons.buttons.front();
        }
        return d.OnOK() ? IDOK : IDCANCEL;
    }};
    ScopedModalRunner<CRazvetvDlg> razvetv{[this](CRazvetvDlg& d) {
        ++razvetvRuns;
        d.OnInitDialog();
        return d.OnOK() ? IDOK : IDCANCEL;
    }};
    ScopedModalRunner<CIzmProvDlg> izmProv{[this](CIzmProvDlg& d) {
        ++izmProvRuns;
        d.OnInitDialog();
        if (izmProvRuns % 2)
            return IDCANCEL;
        d.shownNewGround = std::uint8_t(d.shownNewGround + 1);
        d.OnCountChanged();
        return d.OnOK() ? IDOK : IDCANCEL;
    }};
    int otvetRuns = 0, razvetvRuns = 0, izmProvRuns = 0;
    ProgramWireDialogs host;

    static bool Place(ChainEditor& t, StructureWalk& walk, int type)
    {
        CElement tmpl;
        tmpl.SetType(type);
        tmpl.cellX = int(t.doc.elements.size()) + 1;
        tmpl.cellY = 3;
        PlacedElement placed;
        return walk.AddElement(tmpl, placed);
    }
};

TEST_F(ProgramWireDialogsTest, EveryWireChoiceElementIsPlacedAndAFreshReplayAgrees)
{
    ChainEditor t(3, 1);
    StructureWalk walk(t.doc, t.st, &host);
    const int types[] = {kCouplingDevice, kOverheadLine,    kTap,          kOverheadLine, kTapLoad,
                         kDoubling,       kOverheadLine,    kBypass,       kOverheadLine, kWireCountChange,
                         kOverheadLine,   kAttachedEnd,     kBranchingStart, kOverheadLine, kBranchingEnd,
                         kOverheadLine,   kBranchingEnd,    kOverheadLine, kCouplingDevice};
    for (int type : types) {
        ASSERT_TRUE(Place(t, walk, type)) << "type " << type << ": " << walk.Problem();
        ExpectReplayAgrees(t, "type " + std::to_string(type));
    }
    EXPECT_EQ(otvetRuns, 6);  // tap, doubling and bypass, each after an Escape
    EXPECT_EQ(izmProvRuns, 2);
    EXPECT_EQ(razvetvRuns, 1);
    const CElement& tap = *t.doc.elements[2];
    EXPECT_EQ(tap.circuitsPart, 1);
    EXPECT_EQ(tap.Data<COtvet>()->selectionMode, 1);
    const CElement& change = *t.doc.elements[9];
    EXPECT_EQ(change.groundWiresPart, 1);
    EXPECT_EQ(t.st.depth, 0);
}

TEST_F(ProgramWireDialogsTest, ChoicesThatCouldNeverEndWithOkAreRefusedAtOnce)
{
    // No count can grow: 8 circuits and 16 ground wires; 40 positions with a split conductor.
    struct Case {
        int circuits, ground, split;
    };
    for (const Case& c : {Case{8, 16, -1}, Case{7, 18, 0}}) {
        ChainEditor t(c.circuits, c.ground, false, c.split);
        StructureWalk walk(t.doc, t.st, &host);
        ASSERT_TRUE(Place(t, walk, kCouplingDevice));
        ASSERT_TRUE(Place(t, walk, kOverheadLine));
        EXPECT_FALSE(Place(t, walk, kWireCountChange));
        EXPECT_EQ(walk.Problem(), "число проводов нельзя увеличить");
        EXPECT_EQ(izmProvRuns, 0);
        EXPECT_EQ(t.doc.elements.size(), 2u);
    }
}

TEST_F(ProgramWireDialogsTest, ABypassInAnAttachedCircuitOfGroundWiresOnlyIsPlaced)
{
    ChainEditor t(1, 0);
    StructureWalk walk(t.doc, t.st, &host);
    for (int type : {kCouplingDevice, kOverheadLine, kWireCountChange, kOverheadLine})
        ASSERT_TRUE(Place(t, walk, type)) << walk.Problem();
    ASSERT_TRUE(Place(t, walk, kBypass)) << walk.Problem();
    EXPECT_EQ(t.doc.elements.back()->circuits, 0);
    EXPECT_EQ(otvetRuns, 2);  // one Escape, then OK: never refused for want of a circuit
    ExpectReplayAgrees(t, "bypass");
}

TEST(ProgramWireDialogs, AreInstalledOnlyWithTheirWindows)
{
    WireDialogHost* previous = SetWireDialogHost(nullptr);
    EXPECT_FALSE(InstallProgramWireDialogs());
    EXPECT_EQ(GetWireDialogHost(), nullptr);
    ScopedModalRunner<COtvetDlg> a([](COtvetDlg&) { return IDOK; });
    ScopedModalRunner<CRazvetvDlg> b([](CRazvetvDlg&) { return IDOK; });
    ScopedModalRunner<CIzmProvDlg> c([](CIzmProvDlg&) { return IDOK; });
    EXPECT_TRUE(InstallProgramWireDialogs());
    EXPECT_NE(GetWireDialogHost(), nullptr);
    SetWireDialogHost(previous);
}

} // namespace
