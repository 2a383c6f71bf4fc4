// The coupling-device dialog's item buttons with the catalog's real editors
// behind them: in editing mode the filter editor lets the type and the name
// change and what it saves becomes the current filter; outside editing mode
// both editors only show their item and nothing is stored.
#include "catalog/filtrdlg.h"
#include "catalog/itemeditors.h"
#include "catalog/vchkabdlg.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/prisoeddlg.h"
#include "model/catalogstore.h"
#include "model/element.h"

#include <gtest/gtest.h>

namespace {

TEST(PrisoedDlgEditors, FilterAndCableEditorsEditOnlyInEditingMode)
{
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
    int saves = 0;
    auto previousHook = SetCatalogSaveHook([&saves] { return ++saves, true; });
    RegisterItemEditors();
    auto filter = std::make_unique<CFiltr>();
    filter->name = "ФП";
    filter->type = 1;
    g_TaskBase.filters[1].push_back(std::move(filter));
    auto cable = std::make_unique<CProvod>();
    cable->name = "РК-75";
    g_TaskBase.hfCables.push_back(std::move(cable));

    bool filterViewOnly = false, typeEditable = false, cableViewOnly = false;
    ScopedModalRunner<CFiltrDlg> filterEditor([&](CFiltrDlg& dlg) {
        dlg.OnInitDialog();
        filterViewOnly = dlg.IsViewOnly();
        typeEditable = dlg.TypeEditable();
        dlg.m_nType = 4;  // shown "тип 4"
        dlg.OnChangeType();
        dlg.m_fValue.fill(1.0f);
        dlg.m_bPresent.fill(1);
        return dlg.OnOK();
    });
    ScopedModalRunner<CVchKabDlg> cableEditor([&](CVchKabDlg& dlg) {
        dlg.OnInitDialog();
        cableViewOnly = dlg.IsViewOnly();
        dlg.m_fAttenuation = dlg.m_fSpeed = dlg.m_fImpedance = 1.0f;
        return dlg.OnOK();
    });

    for (bool editing : {false, true}) {
        CElement element;
        element.SetType(kCouplingDevice);
        element.data = std::make_unique<CUpr>();
        element.wirePositions = 2;
        CPrisoedDlg d;
        d.m_pElement = &element;
        d.m_pUpr = element.Data<CUpr>();
        d.editing = editing;
        d.OnInitDialog();
        d.OnSelchangeFilter(d.filterCombo.Find("ФП тип 2"));
        d.OnSelchangeCable(d.cableCombo.Find("РК-75"));
        d.OnFilterParams();
        d.OnCableParams();
        EXPECT_EQ(filterViewOnly, !editing);
        EXPECT_EQ(typeEditable, editing);
        EXPECT_EQ(cableViewOnly, !editing);
        EXPECT_EQ(d.m_strFilterLabel, editing ? "ФП тип 4" : "ФП тип 2");
        EXPECT_EQ(d.m_Current.cable.radius, editing ? 1.0 : 0.0);
    }
    EXPECT_EQ(saves, 2);  // the filter and the cable, each saved once
    ASSERT_EQ(g_CurBase.filters[3].size(), 1u);
    EXPECT_EQ(g_CurBase.filters[3][0]->name, "ФП");

    SetCatalogSaveHook(std::move(previousHook));
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
}

} // namespace
