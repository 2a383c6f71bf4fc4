#include "dialogs/zadachadlg.h"
#include "dialogs/zadachadopdlg.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

CZadachaDlg NewTaskDialog()
{
    CZadachaDlg dlg;
    dlg.m_nCircuits = 1;
    dlg.m_nGroundWires = 0;
    dlg.m_bDC = 0;
    dlg.m_nConductors = 0;
    dlg.m_nSplit = -1;
    dlg.m_nElements = 0;
    dlg.m_bEditable = 1;
    dlg.m_strTitle = "Тракт";
    dlg.OnInitDialog();
    return dlg;
}

TEST(ZadachaDlg, TwoCircuitsAndAGroundWireListEightEntriesAndSplitTheGroundWire)
{
    CZadachaDlg dlg = NewTaskDialog();
    dlg.m_nCircuitsEdit = 2;
    dlg.m_nGroundEdit = 1;
    dlg.OnCountChanged();
    ASSERT_EQ(dlg.m_pathItems.size(), 8u);
    EXPECT_EQ(dlg.m_pathItems[0], "Цепь 1, провод 1");
    EXPECT_EQ(dlg.m_pathItems[5], "Цепь 2, провод 3");
    EXPECT_EQ(dlg.m_pathItems[6], "Трос 1");
    EXPECT_EQ(dlg.m_pathItems[7], "Нет");
    EXPECT_EQ(dlg.m_nPathChoice, 7);
    dlg.m_nPathChoice = 6;
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.m_nSplit, 6);
    EXPECT_EQ(dlg.m_nConductors, 8);
    EXPECT_EQ(dlg.m_nCircuits, 2);
    EXPECT_EQ(dlg.m_nGroundWires, 1);
    EXPECT_EQ(dlg.m_bDC, 0);
    EXPECT_EQ(dlg.m_strTitle, "Тракт");
}

TEST(ZadachaDlg, OneCircuitNamesWiresByPhaseAndNoSplitKeepsTheCount)
{
    CZadachaDlg dlg = NewTaskDialog();
    EXPECT_EQ(dlg.m_strCountLabel, "Число цепей");
    ASSERT_EQ(dlg.m_pathItems.size(), 4u);
    EXPECT_EQ(dlg.m_pathItems[2], "Провод 3");
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.m_nSplit, -1);
    EXPECT_EQ(dlg.m_nConductors, 3);
}

TEST(ZadachaDlg, SwitchingToDcCutsPolesToTwoAndLeavesOnlyNo)
{
    CZadachaDlg dlg = NewTaskDialog();
    dlg.m_nCircuitsEdit = 3;
    dlg.m_nGroundEdit = 5;
    dlg.OnCountChanged();
    dlg.m_nCurrentType = 1;
    dlg.OnCurrentTypeChanged();
    EXPECT_EQ(dlg.m_strCountLabel, "Число полюсов");
    EXPECT_EQ(dlg.m_nCircuitsEdit, 2);
    EXPECT_EQ(dlg.m_nGroundEdit, 2);
    ASSERT_EQ(dlg.m_pathItems.size(), 1u);
    EXPECT_EQ(dlg.m_pathItems[0], "Нет");
    EXPECT_FALSE(dlg.m_bPathShown);
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.m_bDC, 1);
    EXPECT_EQ(dlg.m_nConductors, 4);
    EXPECT_EQ(dlg.m_nSplit, -1);
}

TEST(ZadachaDlg, TypedCountsBeyondTheRangesAreBroughtBack)
{
    CZadachaDlg dlg = NewTaskDialog();
    dlg.m_nCircuitsEdit = 200;
    dlg.m_nGroundEdit = 99;
    dlg.OnCountChanged();
    EXPECT_EQ(dlg.m_nCircuitsEdit, 8);
    EXPECT_EQ(dlg.m_nGroundEdit, 16);
    EXPECT_EQ(dlg.m_nConductors, 40);
    dlg.m_nCircuitsEdit = 0; // typed after the last change notification
    dlg.m_nGroundEdit = -3;
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.m_nCircuits, 1);
    EXPECT_EQ(dlg.m_nGroundWires, 0);
}

TEST(ZadachaDlg, SplitThatWouldPassFortyConductorsIsRefused)
{
    ScriptedMessages msgs;
    CZadachaDlg dlg = NewTaskDialog();
    dlg.m_nCircuitsEdit = 8;
    dlg.m_nGroundEdit = 16;
    dlg.OnCountChanged();
    dlg.m_nPathChoice = 0;
    EXPECT_FALSE(dlg.OnOK());
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(dlg.m_nSplit, -1); // nothing taken back
    EXPECT_EQ(dlg.m_nCircuits, 1);
    // One ground wire fewer leaves room for the split.
    dlg.m_nGroundEdit = 15;
    dlg.OnCountChanged();
    dlg.m_nPathChoice = 0;
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.m_nConductors, 40);
    EXPECT_EQ(dlg.m_nSplit, 0);
}

TEST(ZadachaDlg, TaskWithElementsLocksEverythingButTheTitle)
{
    CZadachaDlg dlg;
    dlg.m_nCircuits = 2;
    dlg.m_nGroundWires = 1;
    dlg.m_bDC = 0;
    dlg.m_nConductors = 8;
    dlg.m_nSplit = 6;
    dlg.m_nElements = 5;
    dlg.m_bEditable = 1;
    dlg.OnInitDialog();
    EXPECT_FALSE(dlg.m_bCountsEditable);
    EXPECT_FALSE(dlg.m_bPathEnabled);
    EXPECT_TRUE(dlg.m_bAcEnabled);
    EXPECT_FALSE(dlg.m_bDcEnabled);
    EXPECT_FALSE(dlg.m_bTitleReadOnly);
    EXPECT_EQ(dlg.m_nPathChoice, 6); // the stored split is shown
    EXPECT_EQ(dlg.m_nCircuitsEdit, 2);

    dlg.m_bEditable = 0;
    dlg.OnInitDialog();
    EXPECT_TRUE(dlg.m_bTitleReadOnly);
    dlg.m_bDC = 1;
    dlg.m_nCircuits = 2;
    dlg.m_nGroundWires = 0;
    dlg.m_nSplit = -1;
    dlg.OnInitDialog();
    EXPECT_FALSE(dlg.m_bAcEnabled);
    EXPECT_TRUE(dlg.m_bDcEnabled);
    EXPECT_FALSE(dlg.m_bPathShown);
}

TEST(ZadachaDlg, ChangeNotificationsDuringSetUpAreIgnored)
{
    CZadachaDlg dlg;
    dlg.m_bInitialising = 1;
    dlg.m_nCircuitsEdit = 4;
    dlg.OnCountChanged();
    EXPECT_TRUE(dlg.m_pathItems.empty());
}

CZadachaDopDlg Completion(int conductors, bool chainForbidsDC = false)
{
    CZadachaDopDlg dlg;
    dlg.m_nConductors = static_cast<std::uint8_t>(conductors);
    dlg.m_nCircuits = static_cast<std::uint8_t>(conductors / 3);
    dlg.m_nGroundWires = static_cast<std::uint8_t>(conductors % 3);
    dlg.m_bChainForbidsDC = chainForbidsDC;
    dlg.m_strTitle = "Старая";
    dlg.OnInitDialog();
    return dlg;
}

TEST(ZadachaDopDlg, SixConductorsOnOneCircuitGiveThreeGroundWiresAndNoDc)
{
    CZadachaDopDlg dlg = Completion(6);
    EXPECT_FALSE(dlg.m_bDcEnabled);
    EXPECT_EQ(dlg.m_nCurrentType, 0);
    EXPECT_EQ(dlg.m_nCircuitsMax, 2);
    dlg.m_nCircuitsEdit = 1;
    dlg.OnCountChanged();
    EXPECT_EQ(dlg.m_nGroundEdit, 3);
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.m_nCircuits, 1);
    EXPECT_EQ(dlg.m_nGroundWires, 3);
    EXPECT_EQ(dlg.m_bDC, 0);
    EXPECT_EQ(dlg.m_strTitle, "Старая");
}

TEST(ZadachaDopDlg, DcIsOfferedForFewConductorsOnlyWithoutCablesBypassesOrWireChanges)
{
    CZadachaDopDlg four = Completion(4);
    EXPECT_TRUE(four.m_bDcEnabled);
    four.m_nCurrentType = 1;
    four.OnCurrentTypeChanged();
    EXPECT_EQ(four.m_strCountLabel, "Число полюсов");
    EXPECT_EQ(four.m_nCircuitsMax, 2);
    four.m_nCircuitsEdit = 2;
    four.OnCountChanged();
    EXPECT_EQ(four.m_nGroundEdit, 2);
    EXPECT_FALSE(Completion(4, true).m_bDcEnabled);
    for (int type : {1, 7, 9, 10})
        EXPECT_TRUE(CZadachaDopDlg::TypeForbidsDC(type));
    for (int type : {0, 2, 3, 4, 5, 6, 8, 11, 12, 13, 14})
        EXPECT_FALSE(CZadachaDopDlg::TypeForbidsDC(type));
}

TEST(ZadachaDopDlg, FewerThanThreeConductorsNeverGiveANegativeGroundWireCount)
{
    // Two conductors: no circuit fits on AC, so the dialog opens on DC.
    CZadachaDopDlg two = Completion(2);
    EXPECT_EQ(two.m_nCurrentType, 1);
    EXPECT_FALSE(two.m_bAcEnabled);
    EXPECT_GE(two.m_nGroundEdit, 0);
    two.m_nCircuitsEdit = 1;
    two.OnCountChanged();
    EXPECT_EQ(two.m_nGroundEdit, 1);
    ASSERT_TRUE(two.OnOK());
    EXPECT_EQ(two.m_bDC, 1);

    // Where DC is not allowed either, OK is refused rather than giving nonsense.
    ScriptedMessages msgs;
    CZadachaDopDlg stuck = Completion(2, true);
    EXPECT_EQ(stuck.m_nCurrentType, 0);
    EXPECT_GE(stuck.m_nGroundEdit, 0);
    EXPECT_FALSE(stuck.OnOK());
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(stuck.m_nGroundWires, 2); // unchanged

    CZadachaDopDlg none = Completion(0);
    EXPECT_FALSE(none.OnOK());
    EXPECT_EQ(msgs.messages().size(), 2u);
}

TEST(ZadachaDopDlg, CircuitCountStaysInItsRange)
{
    CZadachaDopDlg dlg = Completion(9);
    dlg.m_nCircuitsEdit = 7;
    dlg.OnCountChanged();
    EXPECT_EQ(dlg.m_nCircuitsEdit, 3);
    EXPECT_EQ(dlg.m_nGroundEdit, 0);
}

} // namespace
