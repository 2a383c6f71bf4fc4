// The overhead line sheet's item buttons with the catalog's real editors
// behind them: the tower editor opens with the line's point count fixed, and
// what it saves reaches the catalogs and the other lines of the same tower.
#include "catalog/itemeditors.h"
#include "catalog/matrixdlg.h"
#include "catalog/oporadlg.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/vlinesheet.h"
#include "model/document.h"
#include "model/element.h"
#include "model/lines.h"

#include <gtest/gtest.h>

namespace {

COpora Tower(double height)
{
    COpora t;
    t.name = "П110";
    t.count = 4;
    t.x = {-4, 0, 4, 0};
    t.y = {height, height, height, height + 7};
    return t;
}

CElement& AddLine(CKestrinDoc& doc)
{
    doc.elements.push_back(std::make_unique<CElement>());
    CElement& e = *doc.elements.back();
    e.SetType(kOverheadLine);
    e.circuits = 1;
    e.groundWires = 1;
    e.conductors = e.wirePositions = 4;
    PrepareVLineData(e, false).tower = Tower(20);
    return e;
}

TEST(VLineSheetEditors, TheTowerEditorRaisesTheTowerOfEveryLineOfItsKey)
{
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
    int saves = 0;
    auto previousHook = SetCatalogSaveHook([&saves] { return ++saves, true; });
    RegisterItemEditors();
    int mode = -1;
    ScopedModalRunner<COporaDlg> editor([&mode](COporaDlg& dlg) {
        mode = dlg.m_nMode;
        dlg.OnInitDialog();
        for (int i = 0; i < dlg.m_nPoints; ++i)
            dlg.m_H[std::size_t(i)] += 3;
        return dlg.OnOK();
    });
    CKestrinDoc doc;
    AddLine(doc);
    CElement& other = AddLine(doc);

    for (bool editing : {false, true}) {
        CElement copy = *doc.elements[0];
        CVLineSheet sheet(copy, doc, 0, editing);
        sheet.m_page1.OnInitPage();
        EXPECT_TRUE(sheet.m_page1.m_bTowerParamsEnabled);
        EXPECT_EQ(sheet.m_page1.m_bNewTowerEnabled, editing);
        sheet.m_page1.OnTowerParams();
        EXPECT_EQ(mode, editing ? 3 : 2);  // fixed point count, or view only
        EXPECT_EQ(copy.Data<CVLine>()->tower.Y(3), editing ? 30 : 27) << editing;
    }
    EXPECT_EQ(other.Data<CVLine>()->tower.Y(0), 23);
    EXPECT_EQ(doc.elements[0]->Data<CVLine>()->tower.Y(0), 20);
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(g_CurBase.towers.size(), 1u);
    EXPECT_EQ(g_CurBase.towers[0]->Y(0), 23);

    SetCatalogSaveHook(std::move(previousHook));
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
}

} // namespace
