// The coupling-device dialog.
#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "dialogs/prisoeddlg.h"
#include "model/catalogstore.h"
#include "model/element.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

class PrisoedDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        m_save = SetCatalogSaveHook([] { return true; });
        AddFilter(g_TaskBase, "ФП", 1);  // shown "тип 2": no polarity
        AddFilter(g_CurBase, "ФП", 1);   // the same filter: listed once, from the task
        AddFilter(g_CurBase, "ФП", 2);
        g_TaskBase.hfCables.push_back(std::make_unique<CProvod>());
        g_TaskBase.hfCables.back()->name = "РК-75";
        element.SetType(kCouplingDevice);
        element.data = std::make_unique<CUpr>();
        for (int i = 0; i < 4; ++i)
            element.inMap[i] = i;
        element.wirePositions = 4;
        element.circuits = 1;
        element.groundWires = 1;
    }
    void TearDown() override
    {
        SetCatalogSaveHook(std::move(m_save));
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        ResetModelGlobals();
    }

    static void AddFilter(CBase& base, const char* name, int type)
    {
        auto f = std::make_unique<CFiltr>();
        f->name = name;
        f->type = std::uint8_t(type);
        base.filters[type].push_back(std::move(f));
    }

    void Open(CPrisoedDlg& d, bool editing = true)
    {
        d.m_pElement = &element;
        d.m_pUpr = element.Data<CUpr>();
        d.m_nElementIndex = 1;
        d.editing = editing;
        d.chain = &chain;
        d.OnInitDialog();
    }

    void Choose(CPrisoedDlg& d, const char* filter, const char* r, const char* l, const char* c)
    {
        d.OnSelchangeFilter(d.filterCombo.Find(filter));
        d.OnSelchangeCable(d.cableCombo.Find("РК-75"));
        d.rText = r;
        d.lText = l;
        d.cText = c;
        d.lengthText = "-10";  // any length is taken
    }

    ScriptedMessages messages;
    CElement element;
    ElementChain chain;

private:
    CatalogSaveHook m_save;
};

TEST_F(PrisoedDlgTest, EnterChecksFilterCableAndLoadInOrder)
{
    CPrisoedDlg d;
    Open(d);
    EXPECT_EQ(d.filterCombo.entries.size(), 3u);  // "ФП тип 2" once, "ФП тип 3", the other catalog
    EXPECT_FALSE(d.OnEnter());
    EXPECT_EQ(messages.messages().back().text, "Вы забыли выбрать фильтр!");
    d.OnSelchangeFilter(d.filterCombo.Find("ФП тип 3"));
    EXPECT_FALSE(d.OnEnter());
    EXPECT_EQ(messages.messages().back().text, "Вы забыли выбрать кабель!");
    struct Case {
        const char *r, *l, *c;
        bool taken;
    };
    const Case cases[] = {{"0", "0", "0", false}, {"-1", "0", "5", false}, {"0", "-1", "5", false},
                          {"0", "0", "5", true}};
    for (const Case& c : cases) {
        Choose(d, "ФП тип 3", c.r, c.l, c.c);
        d.m_nCurWire = 0;
        EXPECT_EQ(d.OnEnter(), c.taken) << c.r << c.l << c.c;
        if (!c.taken) {
            EXPECT_EQ(messages.messages().back().text, "Непорядки с нагрузкой кабеля!");
        }
    }
    EXPECT_EQ(d.m_nCurWire, 1);  // moved on
    EXPECT_EQ(d.ShowRow(0)[6], "5");
    EXPECT_EQ(d.ShowRow(0)[3], "-10");
}

TEST_F(PrisoedDlgTest, ASecondTypeFilterHasNoPolarityAndTheLastWireStays)
{
    CPrisoedDlg d;
    Open(d);
    Choose(d, "ФП тип 2", "75", "0", "0");
    EXPECT_FALSE(d.polarityShown);
    d.m_bPolarity = 1;
    d.m_nCurWire = 3;
    ASSERT_TRUE(d.OnEnter());
    EXPECT_EQ(d.m_nCurWire, 3);
    EXPECT_EQ(d.ShowRow(3)[7], "");
    d.OnSelchangeFilter(d.filterCombo.Find("ФП тип 3"));
    EXPECT_TRUE(d.polarityShown);
    ASSERT_EQ(d.OnOK(), IDOK);
    const CUpr& upr = *element.Data<CUpr>();
    ASSERT_EQ(upr.devices.size(), 1u);
    EXPECT_EQ(upr.devices[0].wire, 3);
    EXPECT_EQ(upr.devices[0].polarity, 0);
    EXPECT_EQ(upr.count, 1);
}

TEST_F(PrisoedDlgTest, OkWithoutDevicesAndDevicesBeyondTheWiresDropped)
{
    CUpr& upr = *element.Data<CUpr>();
    upr.devices.resize(2);
    upr.devices[0].wire = 1;
    upr.devices[1].wire = 5;  // the element has 4 wires now
    CPrisoedDlg d;
    Open(d);
    d.m_nCurWire = 1;
    d.OnDelete();
    ASSERT_EQ(d.OnOK(), IDOK);
    EXPECT_EQ(upr.wires, 4);
    EXPECT_EQ(upr.count, 0);
    EXPECT_TRUE(upr.devices.empty());
    EXPECT_EQ(element.entered, 1);
}

TEST_F(PrisoedDlgTest, OutsideEditingModeNothingChanges)
{
    CPrisoedDlg d;
    Open(d, false);
    const EditPolicy p = d.Policy();
    EXPECT_FALSE(p.EntryButtonsShown());
    EXPECT_FALSE(d.filterNewEnabled);
    element.name = "УП";
    d.m_strName = "Другое";
    EXPECT_EQ(d.OnOK(), IDCANCEL);
    EXPECT_EQ(element.name, "УП");
}

TEST_F(PrisoedDlgTest, AFilterSavedInItsEditorReachesOtherElementsAndThisDialog)
{
    auto previous = SetItemEditor(kCatFilters, [](CItemEditRequest& r) {
        std::get<CFiltr*>(r.item)->ratio = 3.0;
        return IDOK;
    });
    auto other = std::make_unique<CElement>();
    other->SetType(kBypass);
    auto bypass = std::make_unique<CEObhod>();
    bypass->lines.resize(1);
    bypass->lines[0].filters[1].name = "ФП";
    bypass->lines[0].filters[1].type = 2;
    other->data = std::move(bypass);
    chain.push_back(std::move(other));
    chain.push_back(std::make_unique<CElement>());  // the element being edited, at index 1
    CPrisoedDlg d;
    Open(d);
    Choose(d, "ФП тип 3", "75", "0", "0");
    ASSERT_TRUE(d.OnEnter());
    d.m_nCurWire = 0;
    d.ShowCurrentWire();
    EXPECT_TRUE(d.filterParamsEnabled);
    d.OnFilterParams();
    EXPECT_EQ(chain[0]->Data<CEObhod>()->lines[0].filters[1].ratio, 3.0);
    EXPECT_EQ(g_CurBase.filters[2][0]->ratio, 3.0);
    ASSERT_EQ(d.OnOK(), IDOK);
    EXPECT_EQ(element.Data<CUpr>()->devices[0].filter.ratio, 3.0);
    SetItemEditor(kCatFilters, std::move(previous));
}

} // namespace
