// The cable layout shared by the cable line dialog and the bypass's cable
// page: the completeness check, units, the table and the current cable.
#include "calc/blockembed.h"
#include "calc/cableline.h"
#include "calc/calcglobals.h"
#include "dialogs/catalogrequests.h"
#include "dialogs/klinedlg.h"
#include "dialogs/obhkl.h"
#include "model/catalogstore.h"
#include "model/conductors.h"
#include "model/coupling.h"
#include "model/element.h"
#include "math/matrix.h"
#include "model/modelglobals.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

CKLine SolidLine()
{
    CKLine k;
    k.circuits = 1;
    k.length = 1000;
    k.rho = 100;
    k.solidCable.name = "АПвП";
    k.solidCable.outerRadius = 0.25;
    const double xs[3] = {-1, 0, 1};
    for (int i = 0; i < 3; ++i)
        k.x[i] = xs[i], k.y[i] = 1;
    return k;
}

CKLine PipeLine()
{
    CKLine k;
    k.pipe = 1;
    k.circuits = 1;
    k.length = 1000;
    k.rho = 2e-9;
    k.pipeRadius = 4;
    k.pipeMu = 100;
    k.pipeCable.name = "ТР";
    k.pipeCable.coreRadius = 0.25;
    const double angles[3] = {0, 120, 240};
    for (int i = 0; i < 3; ++i)
        k.x[i] = 1, k.y[i] = angles[i];
    return k;
}

TEST(CableLayoutCheck, EachInequalityOnBothSidesOfEquality)
{
    struct Case {
        const char* what;
        std::function<CKLine()> make;
        bool complete;
    };
    const Case cases[] = {
        {"solid as built", [] { return SolidLine(); }, true},
        {"axes exactly two outer radii apart", [] { auto k = SolidLine(); k.x[1] = -0.5; return k; }, false},
        {"axes just farther apart", [] { auto k = SolidLine(); k.x[1] = -0.4999; return k; }, true},
        {"a cable at the surface", [] { auto k = SolidLine(); k.y[2] = 0; return k; }, false},
        {"never-entered cables", [] { auto k = SolidLine(); k.x[2] = k.y[2] = 0; return k; }, false},
        {"no cable type", [] { auto k = SolidLine(); k.solidCable.name.clear(); return k; }, false},
        {"zero length", [] { auto k = SolidLine(); k.length = 0; return k; }, false},
        {"zero resistivity", [] { auto k = SolidLine(); k.rho = 0; return k; }, false},
        {"no circuit", [] { auto k = SolidLine(); k.circuits = 0; return k; }, false},
        {"pipe as built", [] { return PipeLine(); }, true},
        {"pipe: cable axis at its own radius", [] { auto k = PipeLine(); k.x[1] = 0.25; return k; }, false},
        {"pipe: core on the wall", [] { auto k = PipeLine(); k.x[1] = 3.75; return k; }, false},
        {"pipe: core just clear of the wall", [] { auto k = PipeLine(); k.x[1] = 3.7499; return k; }, true},
        {"pipe: cable through the wall", [] { auto k = PipeLine(); k.x[1] = 3.7501; return k; }, false},
        {"pipe: two cables touching", [] { auto k = PipeLine(); k.x[1] = 1.5, k.y[1] = 0; return k; }, false},
        {"pipe: two cables just apart", [] { auto k = PipeLine(); k.x[1] = 1.5001, k.y[1] = 0; return k; }, true},
        {"pipe: no radius", [] { auto k = PipeLine(); k.pipeRadius = 0; return k; }, false},
        {"pipe: no permeability", [] { auto k = PipeLine(); k.pipeMu = 0; return k; }, false},
        {"pipe: no cable type", [] { auto k = PipeLine(); k.pipeCable.name.clear(); return k; }, false},
        {"pipe of no circuit", [] { auto k = PipeLine(); k.circuits = 0; return k; }, false},
    };
    for (const Case& c : cases) {
        CKLine k = c.make();
        EXPECT_EQ(CheckCableLayout(k), c.complete) << c.what;
    }
}

TEST(CableLayoutCheck, CoresTypedOnTheWallOrOnEachOtherAreRefusedByBothChecks)
{
    // Cable 1's distance from the axis, the core's and the pipe's diameters in
    // mm, converted from floats as the dialogs convert them; cable 2 at the
    // given distance and angle, cable 3 at 30 mm and 240 degrees unless given.
    // A core placed on the wall or on another core lands a rounding step to
    // either side of touching; both the dialogs and the run refuse it all the
    // same, at any angles.
    struct Case {
        float distance, core, pipe, distance2, angle2;
        const char* dialogFault;  // null: accepted
        const char* runRefusal;
        float distance3 = 30, angle3 = 240;
    };
    const char* onWall = "Жила кабеля 1 касается стенки трубы";
    const char* onWallRun = "жила кабеля 1 касается стенки трубы";
    const char* coresTouch = "Жилы кабелей 1 и 2 касаются друг друга";
    const char* coresTouchRun = "жилы кабелей 1 и 2 касаются друг друга";
    const Case cases[] = {
        {73, 54, 200, 30, 120, onWall, onWallRun},
        {90, 20, 200, 30, 120, onWall, onWallRun},
        {93.1f, 13.8f, 200, 30, 120, onWall, onWallRun},
        {87.3f, 25.4f, 200, 30, 120, onWall, onWallRun},
        {35, 50, 120, 30, 120, onWall, onWallRun},
        {80, 40, 200, 30, 120, onWall, onWallRun},
        {40, 40, 200, 40, 60, coresTouch, coresTouchRun},
        {60, 60, 200, 60, 300, coresTouch, coresTouchRun, 60, 150},
        {30, 50, 140, 40, 270, coresTouch, coresTouchRun, 40, 135},
        {93.0f, 13.8f, 200, 30, 120, nullptr, ""},  // 0.1 mm clear of the wall
        {60, 59.8f, 200, 60, 300, nullptr, "", 60, 150},
        {30, 49.8f, 140, 40, 270, nullptr, "", 40, 135},
    };
    for (const Case& c : cases) {
        CKLine k = PipeLine();
        k.pipeRadius = double(c.pipe) * 0.0005;
        k.pipeCable.coreRadius = double(c.core) * 0.0005;
        const float distances[3] = {c.distance, c.distance2, c.distance3}, angles[3] = {0, c.angle2, c.angle3};
        for (int i = 0; i < 3; ++i)
            k.x[i] = double(distances[i]) * 0.001, k.y[i] = angles[i];
        std::string fault;
        EXPECT_EQ(CheckCableLayout(k, &fault), c.dialogFault == nullptr) << c.distance << " / " << c.core;
        EXPECT_EQ(fault, c.dialogFault ? c.dialogFault : "") << c.distance << " / " << c.core;
        EXPECT_EQ(CheckKLineValues(k, 3), c.runRefusal) << c.distance << " / " << c.core;
        if (c.dialogFault)
            continue;
        ResetCalcGlobals();
        g_dCalcFreq = 100e3;
        g_jOmega = CComplex(0.0, g_dCalcFreq * 6.2831853072);
        TwoPortStorage blocks(3);
        CalcKLineElement(k, blocks.blocks(), 3);
        EXPECT_EQ(g_MatError, 0);
        EXPECT_TRUE(BlocksAreFinite(blocks.blocks(), 3));
    }
}

TEST(CableLayoutCheck, SymmetryCodeOnSuccess)
{
    CKLine solid = SolidLine();  // mirrored about x = 0, one cable on the axis
    solid.symmetry = 99;
    ASSERT_TRUE(CheckCableLayout(solid));
    EXPECT_EQ(solid.symmetry, FindSymmetricWires(solid.x, solid.y, 3));
    EXPECT_EQ(solid.symmetry, 1);
    CKLine pipe = PipeLine();
    pipe.symmetry = 5;
    ASSERT_TRUE(CheckCableLayout(pipe));
    EXPECT_EQ(pipe.symmetry, -1);
}

TEST(CableLayout, UnitsTableAndCurrentCable)
{
    CKLine k;
    CableLayout c;
    c.line = &k;
    c.policy = EditPolicy(true);
    c.circuits = 2;
    c.layout = 1;
    c.resistivity = 0.2f, c.pipeDiameter = 200, c.permeability = 50, c.length = 1.5f;
    c.StoreValues();
    EXPECT_NEAR(k.rho, 2e-9, 1e-16);
    EXPECT_DOUBLE_EQ(k.pipeRadius, 0.1);
    EXPECT_DOUBLE_EQ(k.length, 1500);
    EXPECT_EQ(k.elementWires, 6);
    c.layout = 0, c.resistivity = 100;
    c.StoreValues();
    EXPECT_EQ(k.rho, 100);

    // In a pipe: three cables, mm, the first angle always 0 and read-only.
    c.layout = 1;
    k.x[0] = 0.02, k.y[0] = 45, k.x[1] = 0.03, k.y[1] = 90;
    const auto rows = c.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::array<std::string, 3>{"1", "20", "0"}));
    EXPECT_EQ(rows[1], (std::array<std::string, 3>{"2", "30", "90"}));
    EXPECT_TRUE(c.Select(0));
    EXPECT_TRUE(c.SecondCoordReadOnly());
    EXPECT_FALSE(c.Select(3));

    // A cable never entered keeps the edits; "Ввести" advances, the last one stays.
    c.Select(1);
    EXPECT_FLOAT_EQ(c.coord1, 30);
    c.Select(2);
    EXPECT_FLOAT_EQ(c.coord1, 30);
    c.coord1 = 40, c.coord2 = 200;
    c.Enter();
    EXPECT_EQ(c.current, 2);
    EXPECT_DOUBLE_EQ(k.x[2], 0.04);
    EXPECT_EQ(k.y[2], 200);

    // The drawing needs a type and a diameter of at least 1 mm.
    EXPECT_EQ(c.DrawingRefusal(), kNoCableText);
    k.pipeCable.name = "ТР";
    c.pipeDiameter = 0.5f;
    EXPECT_EQ(c.DrawingRefusal(), kNoPipeDiameterText);
    c.pipeDiameter = 1;
    EXPECT_EQ(c.DrawingRefusal(), "");
}

class CableDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        previous = SetCatalogSaveHook([] { return true; });
    }
    void TearDown() override
    {
        SetCatalogSaveHook(std::move(previous));
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
    }
    // A cable line element of the given circuits and ground wires (screens).
    static std::unique_ptr<CElement> Cable(int circuits, int ground)
    {
        auto e = std::make_unique<CElement>();
        e->SetType(kCableLine);
        e->circuits = std::uint8_t(circuits);
        e->groundWires = std::uint8_t(ground);
        e->wirePositions = std::uint8_t(3 * circuits + ground);
        for (int i = 0; i < e->wirePositions && i < kMaxWires; ++i)
            e->inMap[i] = ground ? (i % 2 ? 4 * (i / 6) + 3 : 4 * (i / 6) + (i / 2) % 3) : 4 * (i / 3) + i % 3;
        e->data = std::make_unique<CKLine>();
        return e;
    }
    CatalogSaveHook previous;
};

TEST_F(CableDialogs, CableLineDialogRules)
{
    ScriptedMessages script;
    auto e = Cable(1, 3);  // cables with screens: core, screen, core, ...
    CKLineDlg dlg;
    dlg.m_pElement = e.get();
    e->Data<CKLine>()->pipe = 1;
    e->Data<CKLine>()->rho = 100;
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.cables.layout, 0);
    EXPECT_EQ(dlg.cables.resistivity, 100);  // soil resistivity, not a pipe's
    EXPECT_FALSE(dlg.pipeRadioEnabled);
    EXPECT_EQ(dlg.SolidLabel(1), "2 (B)");  // entry 2: the second core
    dlg.OnLayout(1);
    EXPECT_EQ(dlg.cables.layout, 0);

    // A refused layout: the message, not entered, the values stored all the same.
    dlg.m_strName = "КЛ-1";
    dlg.cables.length = 2;
    EXPECT_FALSE(dlg.OnOK());
    ASSERT_EQ(script.messages().size(), 1u);
    EXPECT_EQ(script.messages()[0].text, kIncompleteDataText);
    EXPECT_EQ(script.messages()[0].caption, kAppName);
    EXPECT_EQ(script.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(e->entered, 0);
    EXPECT_EQ(e->Data<CKLine>()->length, 2000);

    CKLine& k = *e->Data<CKLine>();
    k = SolidLine();
    dlg.cables.resistivity = 100;
    EXPECT_TRUE(dlg.OnOK());
    EXPECT_EQ(e->entered, 1);
    EXPECT_EQ(e->name, "КЛ-1");
    EXPECT_EQ(k.elementWires, 3);  // 3 x circuits, screens or not

    // A file's element of 8 circuits and 1 ground wire: entries past the wires read "?".
    auto odd = Cable(8, 1);
    CKLineDlg other;
    other.m_pElement = odd.get();
    other.OnInitDialog();
    EXPECT_EQ(other.SolidLabel(23), "24 (?)");
}

TEST_F(CableDialogs, PipeCoreOnTheWallNamesTheCable)
{
    ScriptedMessages script;
    auto e = Cable(1, 0);
    *e->Data<CKLine>() = PipeLine();
    e->Data<CKLine>()->x[1] = 3.75;  // 3.75 m plus a core of 0.25 m: on the wall of 4 m
    CKLineDlg dlg;
    dlg.m_pElement = e.get();
    dlg.OnInitDialog();
    EXPECT_FALSE(dlg.OnOK());
    ASSERT_EQ(script.messages().size(), 1u);
    EXPECT_EQ(script.messages()[0].text, "Некорректные или неполные данные!\nЖила кабеля 2 касается стенки трубы");
    EXPECT_EQ(e->entered, 0);
}

TEST_F(CableDialogs, NeighbourFlagsForEachScan)
{
    ElementChain chain;
    auto add = [&](int type, int wires, int entered = 1, int cableWires = -1) {
        auto e = std::make_unique<CElement>();
        e->SetType(type);
        e->wirePositions = std::uint8_t(wires);
        e->entered = entered;
        if (type == kCableLine) {
            e->data = std::make_unique<CKLine>();
            e->Data<CKLine>()->elementWires = std::uint8_t(cableWires < 0 ? wires : cableWires);
        }
        chain.push_back(std::move(e));
    };
    add(kCouplingDevice, 6);
    add(kOverheadLine, 6);         // 1
    add(kWireCountChange, 6);      // 2: ends a scan
    add(kCableLine, 6);            // 3: the edited one
    add(kCableLine, 6, 1, 3);      // 4: entered, with screens
    add(kAttachedEnd, 6);          // 5
    add(kCableLine, 6, 1);         // 6: beyond the attached end
    struct Case {
        int index, section;
        int same, screened;
    };
    const Case cases[] = {
        {3, 0, 1, 1},  // the whole chain: the overhead line and both cables
        {3, 1, 0, 1},  // neighbours only: up to the change of wires and the attached end
        {6, 1, 0, 0},  // nothing after the attached end
    };
    for (const Case& c : cases) {
        const CableNeighbours f = FindCableNeighbours(chain, c.index, c.section);
        EXPECT_EQ(f.sameLineNearby, c.same) << c.index << "/" << c.section;
        EXPECT_EQ(f.screenedCableNearby, c.screened) << c.index << "/" << c.section;
    }
    chain[4]->entered = 0;  // a cable not entered says nothing
    EXPECT_EQ(FindCableNeighbours(chain, 3, 1).screenedCableNearby, 0);
    chain[3]->wirePositions = 130;
    EXPECT_EQ(FindCableNeighbours(chain, 3, 1).sameLineNearby, 1);
}

TEST_F(CableDialogs, BypassCablePage)
{
    CElement e;
    e.SetType(kBypass);
    e.wirePositions = 7;
    const int codes[7] = {0, 1, 2, 3, 4, 5, 6};
    auto* bypass = new CEObhod;
    e.data.reset(bypass);
    bypass->kind = 2;
    for (int i = 0; i < 7; ++i)
        e.inMap[i] = codes[i], bypass->flags[i] = 1;
    CObhKL page;
    page.m_pElement = &e;
    page.OnInitPage();
    ASSERT_NE(bypass->cableInsert, nullptr);  // an empty insert given to the bypass
    std::vector<std::array<std::string, 3>> first;
    for (int shown = 0; shown < 3; ++shown) {
        page.OnSetActive();
        EXPECT_EQ(page.m_nCircuits, 2);
        const auto rows = page.cables.Rows();
        if (shown == 0)
            first = rows;
        EXPECT_EQ(rows, first);
    }
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(first[0][0], "1 (A)");
    EXPECT_EQ(first[3][0], "5 (A)");  // position 5: the ground wire at 4 is not bypassed as a phase

    // The up-down shows the cable it moves to; "Ввести" then keeps each cable's coordinates.
    page.cables.coord1 = 1, page.cables.coord2 = 2;
    page.cables.Enter();
    page.cables.coord1 = 3, page.cables.coord2 = 4;
    page.cables.Enter();
    page.OnStep(+1);
    page.OnStep(+1);
    EXPECT_EQ(page.cables.current, 0);
    EXPECT_FLOAT_EQ(page.cables.coord1, 1);
    page.cables.Enter();
    EXPECT_EQ(bypass->cableInsert->x[1], 3);
    EXPECT_EQ(bypass->cableInsert->y[1], 4);

    page.OnLayout(1);
    EXPECT_EQ(page.cables.Rows()[2][0], "3");

    // No bypassed phase wire: no circuit, and the insert is incomplete.
    for (auto& f : bypass->flags)
        f = 0;
    page.OnSetActive();
    page.OnKillActive();
    EXPECT_EQ(bypass->cableInsert->circuits, 0);
    EXPECT_FALSE(CheckCableInsert(*bypass));
}

// The editor road is tested with the real cable editors in tests/catalog.
TEST_F(CableDialogs, CableTypeFromAnotherCatalog)
{
    ElementChain chain;
    chain.push_back(Cable(1, 0));
    chain.push_back(Cable(1, 0));
    chain[0]->Data<CKLine>()->solidCable.name = "АПвП";
    chain[0]->Data<CKLine>()->solidCable.outerRadius = 0.03;
    chain[1]->Data<CKLine>()->solidCable.name = "АПвП";
    CKLineDlg dlg;
    dlg.m_pElement = chain[0].get();
    dlg.chain = &chain;
    dlg.OnInitDialog();
    // "Выбрать из другой базы": a cancelled road changes nothing, a picked
    // type is taken, stored in both catalogs and spread.
    dlg.cables.ChooseType(kComboOtherBase, &chain, 0, dlg.m_OtherBase, dlg.m_strOtherBasePath);
    EXPECT_EQ(chain[0]->Data<CKLine>()->solidCable.outerRadius, 0.03);
    ScopedModalRunner<COtherCatalogRequest> road([](COtherCatalogRequest& r) {
        auto cable = std::make_unique<CKabTv>();
        cable->name = "АПвП";
        cable->outerRadius = 0.05;
        r.ownBase->solidCables.push_back(std::move(cable));
        r.outcome = COtherCatalogRequest::Picked;
        r.result = 1;
        return IDOK;
    });
    dlg.cables.ChooseType(kComboOtherBase, &chain, 0, dlg.m_OtherBase, dlg.m_strOtherBasePath);
    EXPECT_EQ(chain[0]->Data<CKLine>()->solidCable.outerRadius, 0.05);
    EXPECT_EQ(chain[1]->Data<CKLine>()->solidCable.outerRadius, 0.05);
    EXPECT_EQ(g_TaskBase.solidCables[0]->outerRadius, 0.05);
}

} // namespace
