#include "catalog/oporadlg.h"
#include "model/catalogitems.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

COpora Tower(std::initializer_list<std::pair<double, double>> points, const char* name = "П110")
{
    COpora t;
    t.name = name;
    for (auto [x, y] : points) {
        t.x.push_back(x);
        t.y.push_back(y);
    }
    t.count = std::uint8_t(t.x.size());
    return t;
}

void Open(COporaDlg& dlg, COpora& tower, std::uint8_t mode)
{
    dlg.m_pOpora = &tower;
    dlg.m_nMode = mode;
    dlg.OnInitDialog();
}

void Point(COporaDlg& dlg, int point, const char* x, const char* h)
{
    dlg.m_nCurPoint = point;
    dlg.OnChangeWireNumber();
    dlg.m_strX = x;
    dlg.m_strH = h;
    dlg.OnEnterWire();
}

TEST(OporaDlg, NewTowerOpensWithOnePointAndNeedsEveryHeight)
{
    ScriptedMessages msgs;
    COpora tower;
    COporaDlg dlg;
    Open(dlg, tower, 0);
    EXPECT_EQ(dlg.m_nPoints, 1);
    ASSERT_EQ(dlg.m_rows.size(), 1u);
    dlg.m_strName = std::string("П35");
    dlg.m_nPoints = 2;
    dlg.OnChangeWireCount();
    Point(dlg, 1, "-3", "12.5");
    Point(dlg, 2, "3", "0");     // height 0 is stored but leaves the point not entered
    EXPECT_FALSE(dlg.m_bOkEnabled);
    EXPECT_EQ(dlg.m_rows[1].h, "");
    Point(dlg, 2, "3", "-1");
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Недопустимая высота подвеса!");
    Point(dlg, 2, "3", "12.5");
    EXPECT_TRUE(dlg.m_bOkEnabled);
    ASSERT_EQ(dlg.OnOK(), IDOK);
    EXPECT_EQ(dlg.m_nMode, 1);
    EXPECT_EQ(tower.count, 2);
    EXPECT_EQ(tower.y[0], double(12.5f));
    EXPECT_EQ(tower.x[1], double(3.0f));
}

TEST(OporaDlg, CountLoweredAndRaisedBringsPointsBack)
{
    COpora tower = Tower({{-4, 20}, {0, 24}, {4, 20}});
    COporaDlg dlg;
    Open(dlg, tower, 0);
    dlg.m_nCurPoint = 3;
    dlg.m_nPoints = 1;
    dlg.OnChangeWireCount();
    EXPECT_EQ(dlg.m_nCurPoint, 1);
    EXPECT_EQ(dlg.m_rows.size(), 1u);
    dlg.m_nPoints = 3;
    dlg.OnChangeWireCount();
    EXPECT_EQ(dlg.m_rows[2].x, "4");
    EXPECT_EQ(dlg.m_rows[2].h, "20");
}

TEST(OporaDlg, DeleteAndInsertBeforeShiftThePoints)
{
    COpora tower = Tower({{1, 10}, {2, 20}, {3, 30}});
    COporaDlg dlg;
    Open(dlg, tower, 0);
    dlg.m_nCurPoint = 2;
    dlg.OnDeleteWire();
    EXPECT_EQ(dlg.m_rows[1].x, "3");
    EXPECT_EQ(dlg.m_rows[2].h, "");
    EXPECT_FALSE(dlg.m_bOkEnabled);

    COpora two = Tower({{1, 10}, {2, 20}});
    COporaDlg ins;
    Open(ins, two, 0);
    ins.m_strX = std::string("7");
    ins.m_strH = std::string("70");
    ins.OnInsertBefore();
    EXPECT_EQ(ins.m_rows[0].h, "70");
    EXPECT_EQ(ins.m_rows[1].h, "10");
    EXPECT_EQ(ins.m_H[2], 20.0f); // pushed beyond the list, kept
}

TEST(OporaDlg, LiveEditingAndTheModes)
{
    COpora tower = Tower({{1, 10}, {2, 20}});
    const COpora before = tower;
    struct Case {
        std::uint8_t mode;
        bool countEditable, viewOnly;
        const char* ok;
    };
    for (Case c : {Case{0, true, false, "Сохранить"}, Case{1, false, false, "Сохранить"},
                   Case{3, false, false, "Сохранить"}, Case{2, false, true, "OK"}}) {
        COporaDlg dlg;
        Open(dlg, tower, c.mode);
        EXPECT_EQ(dlg.CountEditable(), c.countEditable) << int(c.mode);
        EXPECT_EQ(dlg.IsViewOnly(), c.viewOnly);
        EXPECT_EQ(dlg.OkCaption(), c.ok);
        dlg.m_strX = std::string("5");
        dlg.OnChangeX(); // typing into X moves the point at once
        dlg.m_strH = std::string("abc");
        dlg.OnChangeH(); // a non-number reads as 0 and leaves H alone
        EXPECT_EQ(dlg.m_rows[0].x, "5");
        EXPECT_EQ(dlg.m_rows[0].h, "10");
        const int answer = dlg.OnOK();
        EXPECT_EQ(answer, c.viewOnly ? IDCANCEL : IDOK);
    }
    COpora view = before;
    COporaDlg dlg;
    Open(dlg, view, 2);
    dlg.m_strName = std::string("other");
    EXPECT_EQ(dlg.OnOK(), IDCANCEL);
    EXPECT_EQ(view.Compare(before), 2);
}

TEST(OporaDlg, OpenedAndSavedUnchangedComparesEqual)
{
    COpora tower = Tower({{-3.3, 17.1}, {0.7, 21.9}, {3.3, 17.1}, {0, 25.2}});
    const COpora before = tower;
    COporaDlg dlg;
    Open(dlg, tower, 3);
    ASSERT_EQ(dlg.OnOK(), IDOK);
    EXPECT_EQ(tower.Compare(before), 2);
}

TEST(OporaDlg, ShorterStoredArraysOpenAsPointsNotEntered)
{
    COpora tower = Tower({{-2, 10}, {2, 10}, {-2, 14}, {2, 14}, {-2, 18}, {2, 18}});
    tower.count = 8; // the overhead-line page sets the line's wire count
    COporaDlg dlg;
    Open(dlg, tower, 3);
    ASSERT_EQ(dlg.m_rows.size(), 8u);
    EXPECT_EQ(dlg.m_rows[5].h, "18");
    EXPECT_EQ(dlg.m_rows[6].h, "");
    EXPECT_FALSE(dlg.m_bOkEnabled);
    dlg.m_nCurPoint = 300; // a typed point number is clamped before use
    dlg.OnChangeWireNumber();
    EXPECT_EQ(dlg.m_nCurPoint, 8);
}

TEST(OporaDlg, FirstPointOnTheAxisOfASymmetricTowerIsRefused)
{
    struct Case {
        const char* what;
        std::vector<std::pair<float, float>> points;
        bool refused;
    };
    const Case cases[] = {
        {"first on the axis with a pair", {{0, 30}, {-4, 20}, {4, 20}}, true},
        {"first off the axis", {{-4, 20}, {0, 30}, {4, 20}}, false},
        {"one point", {{0, 30}}, false},
        {"all on the axis", {{0, 30}, {0, 20}, {0, 10}}, false},
        {"not symmetric", {{0, 30}, {-4, 20}, {4, 21}}, false},
    };
    for (const Case& c : cases) {
        ScriptedMessages msgs;
        COpora tower;
        COporaDlg dlg;
        Open(dlg, tower, 0);
        dlg.m_strName = std::string("Т");
        dlg.m_nPoints = int(c.points.size());
        dlg.OnChangeWireCount();
        for (std::size_t i = 0; i < c.points.size(); ++i) {
            dlg.m_X[i] = c.points[i].first;
            dlg.m_H[i] = c.points[i].second;
        }
        EXPECT_EQ(dlg.OnOK(), c.refused ? kStayOpen : IDOK) << c.what;
        if (c.refused) {
            ASSERT_EQ(msgs.messages().size(), 1u);
            EXPECT_EQ(msgs.messages()[0].caption, "Некорректные данные!");
            EXPECT_EQ(tower.count, 0);
        }
    }
}

TEST(OporaDlg, EmptyNameIsRefused)
{
    ScriptedMessages msgs;
    COpora tower = Tower({{1, 10}}, "");
    COporaDlg dlg;
    Open(dlg, tower, 0);
    EXPECT_FALSE(dlg.m_bOkEnabled);
    EXPECT_EQ(dlg.OnOK(), kStayOpen);
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Вы забыли задать название!");
    EXPECT_EQ(msgs.messages()[0].caption, "Неполные данные!");
}

} // namespace
