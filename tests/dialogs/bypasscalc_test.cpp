// A bypass entered through its sheet, page by page as the engineer does it,
// then the whole channel calculated: the sheet's data are what the
// calculation reads.
#include "calc/bypass.h"
#include "calc/channeltest.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/dialogglobals.h"
#include "dialogs/obhodsheet.h"
#include "model/catalogstore.h"

#include <cmath>

namespace {

using namespace channeltest;

class BypassSheetCalcTest : public ChannelTest {
protected:
    void SetUp() override
    {
        ChannelTest::SetUp();
        ResetDialogGlobals();
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        const CFiltr filter = ResistorFilter(20.0);
        g_TaskBase.filters[filter.type].push_back(std::make_unique<CFiltr>(filter));
        g_TaskBase.hfCables.push_back(std::make_unique<CProvod>(HfCable()));
        g_TaskBase.traps.push_back(std::make_unique<CZagrad>(LineTrap()));
        g_TaskBase.solidCables.push_back(std::make_unique<CKabTv>(MakeSolidCable("АПвПу 1x500")));
        m_save = SetCatalogSaveHook([] { return true; });
    }
    void TearDown() override
    {
        SetCatalogSaveHook(std::move(m_save));
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        ResetDialogGlobals();
        ChannelTest::TearDown();
    }

    static int PageOf(const CObhodSheet& sheet, const std::string& caption)
    {
        for (int i = 0; i < sheet.PageCount(); ++i)
            if (sheet.Page(i).Caption() == caption)
                return i;
        return -1;
    }

    // The pages of the sheet filled in: a trap on the first wire on both
    // sides, one bypass line, the busbar capacitance or the cable insert.
    void EnterThroughTheSheet(CElement& copy, int index, int kind)
    {
        CObhodSheet sheet(copy, index, &doc.elements, true);
        sheet.Start();
        ASSERT_EQ(sheet.Page(0).Caption(), "Заградители");
        for (int s = 0; s < 2; ++s) {
            sheet.m_zag.OnSelchangeTrap(s, sheet.m_zag.traps[s].combo.Find("ВЗ-630"));
            ASSERT_TRUE(sheet.m_zag.OnEnter(s));
        }
        ASSERT_TRUE(sheet.SetActivePage(PageOf(sheet, "Схемы обхода")));
        CObhObh& p = sheet.m_obh;
        p.m_nWireBefore = 0;
        p.m_nWireAfter = kind == 1 ? 1 : 0;  // in the field the two ends lie on different wires
        for (int s = 0; s < 2; ++s) {
            p.OnSelchangeFilter(s, p.filterCombo.Find("ФП-R тип 4"));
            p.OnSelchangeCable(s, p.cableCombo.Find("РК-75"));
            p.lengthText[s] = "300";
        }
        if (kind == 0) {
            p.m_bEquipment = 1;
            p.rText = "1000";
        }
        ASSERT_TRUE(p.OnEnter());
        if (kind == 0) {
            ASSERT_TRUE(sheet.SetActivePage(PageOf(sheet, "Емкости сборных шин")));
            sheet.m_mat.cequivText = "2000";
        }
        if (kind == 2) {
            ASSERT_TRUE(sheet.SetActivePage(PageOf(sheet, "Кабельная линия")));
            CableLayout& c = sheet.m_kl.cables;
            int selected = -1;
            const CatalogCombo types = c.FillTypeCombo(selected);
            c.ChooseType(types.entries.at(std::size_t(types.Find("АПвПу 1x500"))).data, &doc.elements, index,
                         sheet.m_kl.m_OtherBase, sheet.m_kl.m_strOtherBasePath);
            c.resistivity = 100;
            c.length = 1;
            for (int i = 0; i < 3; ++i) {
                c.coord1 = float(0.25 * i);
                c.coord2 = 1.2f;
                c.Enter();
            }
        }
        ASSERT_TRUE(sheet.OnOK());
    }

private:
    CatalogSaveHook m_save;
};

TEST_F(BypassSheetCalcTest, BypassEnteredThroughTheSheetCalculates)
{
    for (int kind : {0, 1, 2}) {
        SCOPED_TRACE(kind);
        doc.elements.clear();
        doc.conductorCount = 0;
        doc.responseResults.clear();
        messages.clear();
        AddEndLoad({75, 75, 75});
        AddLine(kRowX, kRowY, 10e3);
        CEObhod& placed = Add<CEObhod>(kBypass, 3);
        placed.kind = std::uint8_t(kind);
        placed.n = 3;
        Last().entered = 0;
        const int index = int(doc.elements.size()) - 1;
        AddLine(kRowX, kRowY, 10e3);
        AddEndLoad({75, 75, 75});

        // "Параметры" edits a copy and writes it back after OK.
        CElement copy(*doc.elements[std::size_t(index)]);
        EnterThroughTheSheet(copy, index, kind);
        EXPECT_TRUE(messages.messages().empty());
        ASSERT_EQ(copy.entered, 1);
        *doc.elements[std::size_t(index)] = copy;

        const CEObhod& entered = *copy.Data<CEObhod>();
        EXPECT_EQ(entered.lines.size(), 1u);
        EXPECT_EQ(entered.traps[0].branches.size(), 1u);
        EXPECT_EQ(entered.traps[1].branches.size(), 1u);
        EXPECT_EQ(CheckBypassElement(copy, index + 1), "");
        ASSERT_EQ(RunOnce(100).status, CalcStatus::Done);
        const double attenuation = LastPoint().transfer.re;
        EXPECT_TRUE(std::isfinite(attenuation));
        EXPECT_GT(attenuation, 0.0);
    }
}

} // namespace
