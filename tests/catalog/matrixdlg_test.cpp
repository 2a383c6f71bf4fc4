#include "catalog/matrixdlg.h"
#include "model/catalogitems.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

void Open(CMatrixDlg& dlg, CMatrix& m, std::uint8_t mode)
{
    dlg.m_pItem = &m;
    dlg.m_bViewOnly = mode;
    dlg.OnInitDialog();
}

TEST(MatrixDlg, NewMatrixOfOrderThreeShowsEmptyCellsAndSavesZeros)
{
    CMatrix m;
    m.n = 3;
    CMatrixDlg dlg;
    Open(dlg, m, 0);
    ASSERT_EQ(dlg.m_rowsC.size(), 3u);
    ASSERT_EQ(dlg.m_rowsR.size(), 3u);
    EXPECT_EQ(dlg.m_rowsC[0], (std::vector<std::string>{"1", "", "-", "-"}));
    EXPECT_EQ(dlg.m_rowsC[2][3], "");
    dlg.m_nColC = 2;
    dlg.ShowCell();
    EXPECT_EQ(dlg.m_strCValue, "-");
    dlg.m_strName = std::string("М3");
    ASSERT_EQ(dlg.OnOK(), IDOK);
    EXPECT_EQ(dlg.m_bViewOnly, 1);
    EXPECT_EQ(m.cap, std::vector<double>(6, 0.0));
    EXPECT_EQ(m.res, std::vector<double>(3, 0.0));
}

TEST(MatrixDlg, EnteredCellIsMirroredAndTheCursorWalksTheUpperTriangle)
{
    ScriptedMessages msgs;
    CMatrix m;
    m.n = 3;
    CMatrixDlg dlg;
    Open(dlg, m, 2);
    dlg.m_nRowC = 3;
    dlg.m_nColC = 1;
    dlg.m_strCValue = std::string("-2.5");
    dlg.OnEnterCapacitance();
    EXPECT_EQ(dlg.m_rowsC[0][3], "-2.5");
    EXPECT_EQ(dlg.m_rowsC[2][1], "-2.5");
    EXPECT_EQ(dlg.m_nRowC, 3);
    EXPECT_EQ(dlg.m_nColC, 2);

    dlg.m_nRowC = 1;
    dlg.m_nColC = 1;
    dlg.m_strCValue = std::string("0"); // zero is no diagonal correction
    dlg.OnEnterCapacitance();
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Недопустимое значение емкости!");
    EXPECT_EQ(dlg.m_nColC, 1);
    dlg.OnChangeCValue(); // but typed, it is stored at once
    EXPECT_EQ(dlg.C(0, 0), 0.0f);

    struct Step {
        int row, col;
        const char* value;
        int nextRow, nextCol;
    };
    for (Step s : {Step{1, 2, "-1", 1, 3}, Step{1, 3, "-2.5", 2, 2}, Step{2, 3, "-1.5", 3, 3},
                   Step{3, 3, "5", 3, 3}}) {
        dlg.m_nRowC = s.row;
        dlg.m_nColC = s.col;
        dlg.m_strCValue = s.value;
        dlg.OnEnterCapacitance();
        EXPECT_EQ(dlg.m_nRowC, s.nextRow) << s.row << s.col;
        EXPECT_EQ(dlg.m_nColC, s.nextCol);
    }
    EXPECT_EQ(dlg.m_strCValue, "5"); // the last cell stays shown

    dlg.m_strRValue = std::string("0");
    dlg.OnEnterResistance();
    EXPECT_EQ(msgs.messages().back().text, "Недопустимое значение сопротивления!");
    dlg.m_strRValue = std::string("1.5");
    dlg.OnEnterResistance();
    EXPECT_EQ(dlg.m_nRowR, 2);
    dlg.m_strRValue = std::string("-7");
    dlg.OnChangeRValue();
    EXPECT_EQ(dlg.m_rowsR[1][1], "0");

    dlg.m_strName = std::string("М");
    ASSERT_EQ(dlg.OnOK(), IDOK);
    EXPECT_EQ(m.cap[CMatrix::PackedIndex(3, 0, 2)], double(-2.5f) * 1e-12);
    EXPECT_EQ(m.cap[CMatrix::PackedIndex(3, 2, 2)], double(5.0f) * 1e-12);
    EXPECT_EQ(m.res[0], double(1.5f) * 1e6);
}

TEST(MatrixDlg, IndicesOutOfRangeAreClampedBeforeAnyCellIsTouched)
{
    CMatrix m;
    m.n = 4;
    CMatrixDlg dlg;
    Open(dlg, m, 0);
    for (int typed : {0, 300}) {
        dlg.m_nRowC = typed;
        dlg.m_nColC = typed;
        dlg.m_nRowR = typed;
        dlg.m_strCValue = std::string("3");
        dlg.OnChangeCValue();
        dlg.m_strRValue = std::string("2");
        dlg.OnChangeRValue();
        const int expected = typed == 0 ? 1 : 4;
        EXPECT_EQ(dlg.m_nRowC, expected);
        EXPECT_EQ(dlg.m_nColC, expected);
        EXPECT_EQ(dlg.m_nRowR, expected);
        EXPECT_EQ(dlg.C(expected - 1, expected - 1), 3.0f);
    }
}

TEST(MatrixDlg, ArraysOfAnotherOrderOpenAsANewMatrix)
{
    CMatrix m;
    m.name = "М3";
    m.n = 3;
    m.cap.assign(6, 1e-12);
    m.res.assign(3, 1e6);
    const CMatrix order3 = m;
    m.n = 4; // the overhead-line page sets the line's wire count
    CMatrixDlg dlg;
    Open(dlg, m, 2);
    EXPECT_EQ(dlg.m_rowsC.size(), 4u);
    EXPECT_EQ(dlg.C(0, 0), 0.0f);
    EXPECT_EQ(dlg.m_pR[0], 0.0f);

    CMatrix same = order3;
    CMatrixDlg again;
    Open(again, same, 2);
    EXPECT_EQ(again.C(1, 1), 1.0f);
    ASSERT_EQ(again.OnOK(), IDOK);
    EXPECT_EQ(same.Compare(order3), 2);

    CMatrix view = order3;
    CMatrixDlg viewOnly;
    Open(viewOnly, view, 1);
    EXPECT_EQ(viewOnly.OkCaption(), "OK");
    viewOnly.m_strCValue = std::string("9");
    viewOnly.OnChangeCValue();
    EXPECT_EQ(viewOnly.OnOK(), IDCANCEL);
    EXPECT_EQ(view.Compare(order3), 2);
}

TEST(MatrixDlg, NewMatrixOrderStaysWithinOneToTwoHundredFifty)
{
    for (auto [typed, order] : {std::pair{1, 1}, {250, 250}, {256, 250}, {300, 250}, {0, 1}}) {
        CNewMatrixDlg dlg;
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.m_nOrder, 1);
        dlg.m_nOrder = typed;
        ASSERT_EQ(dlg.OnOK(), IDOK);
        EXPECT_EQ(dlg.m_nResult, order) << typed;
    }
}

} // namespace
