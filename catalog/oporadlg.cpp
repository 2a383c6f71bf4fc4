#include "catalog/oporadlg.h"

#include "dialogs/numericfield.h"
#include "model/catalogitems.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kEnteredHeight = 0.00001f;

} // namespace

bool FirstPointOnSymmetryAxis(const float* x, const float* y, int n)
{
    if (n < 3)
        return false;
    double mean = 0.0;
    for (int i = 0; i < n; ++i)
        mean += x[i];
    mean /= n;
    auto onAxis = [&](int i) { return std::fabs(x[i] - mean) <= 1e-5; };
    if (!onAxis(0))
        return false;
    // Mirror pairs by the same test the symmetric-wire search uses.
    std::vector<bool> matched(std::size_t(n), false);
    int pairs = 0;
    for (int i = 1; i < n; ++i) {
        if (onAxis(i) || matched[std::size_t(i)])
            continue;
        int partner = -1;
        for (int j = i + 1; j < n && partner < 0; ++j)
            if (!onAxis(j) && !matched[std::size_t(j)] &&
                std::fabs(x[i] + x[j] - 2.0 * mean) + std::fabs(double(y[i]) - double(y[j])) < 1e-4)
                partner = j;
        if (partner < 0)
            return false;
        matched[std::size_t(i)] = matched[std::size_t(partner)] = true;
        ++pairs;
    }
    return pairs > 0;
}

bool COporaDlg::IsEntered(int point) const
{
    return point >= 1 && point <= kSlots && m_H[std::size_t(point - 1)] > kEnteredHeight;
}

int COporaDlg::CurrentIndex()
{
    // The current point always lies among the tower's points.
    m_nPoints = std::clamp(m_nPoints, 1, kMaxPoints);
    m_nCurPoint = std::clamp(m_nCurPoint, 1, m_nPoints);
    return m_nCurPoint - 1;
}

void COporaDlg::ShowPoint(int index)
{
    m_strX = FormatNumericField(m_X[std::size_t(index)]);
    m_strH = FormatNumericField(m_H[std::size_t(index)]);
}

void COporaDlg::OnInitDialog()
{
    m_bInitialising = 1;
    m_bSettingPoint = 1;
    m_X.fill(0.0f);
    m_H.fill(0.0f);
    const COpora& tower = *m_pOpora;
    // Points the stored arrays do not hold open as not entered.
    for (int i = 0; i < tower.count; ++i) {
        m_X[std::size_t(i)] = float(tower.X(i));
        m_H[std::size_t(i)] = float(tower.Y(i));
    }
    if (tower.count > 0 && !tower.x.empty())
        ShowPoint(0);
    // A new tower has no points yet: it opens with one.
    m_nPoints = std::clamp(int(tower.count), 1, kMaxPoints);
    m_nCurPoint = 1;
    m_strName = tower.name;
    FillList();
}

void COporaDlg::FillList()
{
    const int current = CurrentIndex();
    m_rows.clear();
    for (int i = 0; i < m_nPoints; ++i) {
        Row row{StrFormat("%d", i + 1), {}, {}};
        if (IsEntered(i + 1)) {
            row.x = FormatNumericField(m_X[std::size_t(i)]);
            row.h = FormatNumericField(m_H[std::size_t(i)]);
            if (i == current) {
                m_strX = row.x;
                m_strH = row.h;
            }
        }
        m_rows.push_back(std::move(row));
    }
    EnableControls();
    m_bInitialising = 0;
    m_bSettingPoint = 0;
}

void COporaDlg::EnableControls()
{
    bool complete = !m_strName.empty() && m_nPoints >= 1 && m_nPoints <= kMaxPoints;
    for (int i = 0; complete && i < m_nPoints; ++i)
        complete = m_H[std::size_t(i)] >= kEnteredHeight;
    // A view-only OK only closes the dialog, so it is never held back.
    m_bOkEnabled = complete || IsViewOnly();
}

void COporaDlg::OnChangeWireCount()
{
    if (m_bInitialising)
        return;
    CurrentIndex(); // a current point beyond the new number becomes the last one
    FillList();
}

void COporaDlg::OnChangeWireNumber()
{
    if (m_bInitialising)
        return;
    m_bSettingPoint = 1;
    const int index = CurrentIndex();
    if (IsEntered(index + 1))
        ShowPoint(index);
    m_bSettingPoint = 0;
}

void COporaDlg::OnClickList(int row)
{
    if (row < 0 || row >= m_nPoints)
        return;
    m_nCurPoint = row + 1;
    OnChangeWireNumber();
}

void COporaDlg::OnChangeX()
{
    if (m_bInitialising || m_bSettingPoint)
        return;
    const std::size_t i = std::size_t(CurrentIndex());
    m_X[i] = TextAsNumber(m_strX);
    m_rows[i].x = FormatNumericField(m_X[i]);
    const float h = TextAsNumber(m_strH);
    if (h > 0.0f) {
        m_H[i] = h;
        m_rows[i].h = FormatNumericField(h);
    }
    EnableControls();
}

void COporaDlg::OnChangeH()
{
    if (m_bInitialising || m_bSettingPoint)
        return;
    const float h = TextAsNumber(m_strH);
    if (h <= 0.0f)
        return;
    const std::size_t i = std::size_t(CurrentIndex());
    m_H[i] = h;
    m_X[i] = TextAsNumber(m_strX);
    m_rows[i].x = FormatNumericField(m_X[i]);
    m_rows[i].h = FormatNumericField(h);
    EnableControls();
}

void COporaDlg::OnEnterWire()
{
    const float h = TextAsNumber(m_strH);
    if (h < 0.0f) {
        ShowMessage("Недопустимая высота подвеса!", kAppName, MsgIcon::Stop);
        return;
    }
    const std::size_t i = std::size_t(CurrentIndex());
    m_H[i] = h; // a height of 0 leaves the point not entered
    m_X[i] = TextAsNumber(m_strX);
    FillList();
}

void COporaDlg::OnDeleteWire()
{
    // The following points move up by one over all the working entries; the
    // number of points stays, so the last row takes what lay beyond it.
    for (int i = CurrentIndex(); i < kSlots - 1; ++i) {
        m_X[std::size_t(i)] = m_X[std::size_t(i + 1)];
        m_H[std::size_t(i)] = m_H[std::size_t(i + 1)];
    }
    FillList();
}

void COporaDlg::OnInsertBefore()
{
    // Points from the current one on move down by one; the last point of the
    // tower moves beyond the list, where it is kept.
    const int current = CurrentIndex();
    for (int i = kSlots - 1; i > current; --i) {
        m_X[std::size_t(i)] = m_X[std::size_t(i - 1)];
        m_H[std::size_t(i)] = m_H[std::size_t(i - 1)];
    }
    m_X[std::size_t(current)] = TextAsNumber(m_strX);
    m_H[std::size_t(current)] = TextAsNumber(m_strH);
    FillList();
}

int COporaDlg::OnOK()
{
    if (IsViewOnly())
        return IDCANCEL;
    if (m_strName.empty()) {
        ShowMessage("Вы забыли задать название!", "Неполные данные!", MsgIcon::Stop);
        return kStayOpen;
    }
    if (!CheckStoredText(m_strName, "Тип", kAppName))
        return kStayOpen;
    EnableControls();
    if (!m_bOkEnabled) // OK is disabled until every point has its height
        return kStayOpen;
    if (FirstPointOnSymmetryAxis(m_X.data(), m_H.data(), m_nPoints)) {
        ShowMessage("Измените расположение проводов:\nПервый провод не должен лежать на оси симметрии!",
                    "Некорректные данные!", MsgIcon::Stop);
        return kStayOpen;
    }
    COpora& tower = *m_pOpora;
    tower.Clear();
    tower.count = std::uint8_t(m_nPoints);
    tower.name = m_strName;
    for (int i = 0; i < m_nPoints; ++i) {
        tower.x.push_back(double(m_X[std::size_t(i)]));
        tower.y.push_back(double(m_H[std::size_t(i)]));
    }
    m_nMode = 1;
    return IDOK;
}
