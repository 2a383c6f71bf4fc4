// The impedance dialogs' line traps through the catalog's real trap editor:
// a trap saved in the editor is stored in both catalogs, reaches the other
// elements of the chain that use it and the dialog's other records, and
// marks nothing by itself.
#include "catalog/itemeditors.h"
#include "catalog/zagraddlg.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/poslsoprdlg.h"
#include "dialogs/shuntdlg.h"
#include "model/element.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CElement> TrapElement(int type, const char* trapName)
{
    auto e = std::make_unique<CElement>();
    e->SetType(type);
    e->circuits = 1;
    e->wirePositions = 3;
    for (int i = 0; i < 3; ++i)
        e->inMap[i] = i;
    auto shunt = std::make_unique<CEShunt>();
    shunt->trapKind = 1;
    CShunt branch;
    branch.trap.name = trapName;
    shunt->branches.push_back(branch);
    e->data = std::move(shunt);
    return e;
}

TEST(TrapTypes, EditorStoresAndSpreadsTheTrap)
{
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
    int saves = 0;
    CatalogSaveHook previous = SetCatalogSaveHook([&saves] { return ++saves, true; });
    RegisterItemEditors();
    ScopedModalRunner<CZagradDlg> editor([](CZagradDlg& dlg) {
        dlg.OnInitDialog();
        dlg.m_strName = "ВЗ-1000";
        dlg.m_fC1 = 100;
        dlg.m_fL1 = 1;
        return dlg.OnOK();
    });
    ElementChain chain;
    chain.push_back(TrapElement(kShuntImpedance, ""));
    chain.push_back(TrapElement(kSeriesImpedance, "ВЗ-1000"));

    CShuntDlg shunt;
    shunt.m_pElement = chain[0].get();
    shunt.m_pEShunt = chain[0]->Data<CEShunt>();
    shunt.chain = &chain;
    shunt.OnInitDialog();
    ASSERT_TRUE(shunt.traps.NewEnabled());
    shunt.OnNewTrap();
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(shunt.m_Current.trap.name, "ВЗ-1000");
    EXPECT_GE(shunt.traps.choice, 0);
    EXPECT_TRUE(shunt.traps.paramsEnabled);
    EXPECT_DOUBLE_EQ(chain[1]->Data<CEShunt>()->branches[0].trap.L1, 1e-3);
    ASSERT_EQ(g_CurBase.traps.size(), 1u);
    ASSERT_EQ(g_TaskBase.traps.size(), 1u);

    // The series dialog: every slot with that trap takes it, flagged or not.
    CPoslSoprDlg series;
    series.m_pElement = chain[1].get();
    series.m_pEShunt = chain[1]->Data<CEShunt>();
    series.chain = &chain;
    series.m_nElementIndex = 1;
    series.OnInitDialog();
    series.m_slots.At(0).trap.L1 = 0;
    series.OnDelete();
    series.OnTrapParams();
    EXPECT_DOUBLE_EQ(series.m_slots.At(0).trap.L1, 1e-3);
    EXPECT_FALSE(series.m_slots.IsSet(0));

    // View only, the editor's OK changes nothing.
    CPoslSoprDlg viewer;
    viewer.m_pElement = chain[1].get();
    viewer.m_pEShunt = chain[1]->Data<CEShunt>();
    viewer.editing = false;
    viewer.OnInitDialog();
    EXPECT_FALSE(viewer.traps.NewEnabled());
    viewer.OnTrapParams();
    EXPECT_EQ(saves, 2);

    SetCatalogSaveHook(std::move(previous));
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
}

} // namespace
