// The cable line dialog's cable types through the catalog's real cable
// editors: "Новый" stores the new type in both catalogs and the other cable
// lines of its name and layout; view-only, the editor changes nothing.
#include "catalog/itemeditors.h"
#include "catalog/kabdlg.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/klinedlg.h"
#include "model/element.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CElement> PipeCableLine(const char* typeName)
{
    auto e = std::make_unique<CElement>();
    e->SetType(kCableLine);
    e->circuits = 1;
    auto k = std::make_unique<CKLine>();
    k->pipe = 1;
    k->pipeCable.name = typeName;
    e->data = std::move(k);
    return e;
}

TEST(CableLineTypes, PipeCableEditorStoresAndSpreadsTheType)
{
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
    int saves = 0;
    CatalogSaveHook previous = SetCatalogSaveHook([&saves] { return ++saves, true; });
    RegisterItemEditors();
    ScopedModalRunner<CKabTrDlg> editor([](CKabTrDlg& dlg) {
        dlg.OnInitDialog();
        dlg.m_strName = "МВДТ";
        dlg.m_fDiameter = 40;
        return dlg.OnOK();
    });

    ElementChain chain;
    chain.push_back(PipeCableLine(""));
    chain.push_back(PipeCableLine("МВДТ"));
    chain.push_back(PipeCableLine("Другой"));
    for (bool editing : {false, true}) {
        CKLineDlg dlg;
        dlg.m_pElement = chain[0].get();
        dlg.editing = editing;
        dlg.chain = &chain;
        dlg.OnInitDialog();
        ASSERT_EQ(dlg.cables.layout, 1);
        ASSERT_TRUE(dlg.cables.TypeEditorAvailable());
        // View only, the editor's OK is a cancel: nothing is stored.
        EXPECT_EQ(dlg.cables.EditType(true, &chain, 0), editing);
    }
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(chain[0]->Data<CKLine>()->pipeCable.name, "МВДТ");
    EXPECT_DOUBLE_EQ(chain[1]->Data<CKLine>()->pipeCable.coreRadius, 0.02);
    EXPECT_EQ(chain[2]->Data<CKLine>()->pipeCable.coreRadius, 0.0);
    ASSERT_EQ(g_CurBase.pipeCables.size(), 1u);
    ASSERT_EQ(g_TaskBase.pipeCables.size(), 1u);
    EXPECT_DOUBLE_EQ(g_TaskBase.pipeCables[0]->coreRadius, 0.02);

    SetCatalogSaveHook(std::move(previous));
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
}

} // namespace
