#include "dialogs/fazirdlg.h"

#include "model/conductors.h"
#include "platform/format.h"

#include <algorithm>

CFazirDlg::CFazirDlg()
{
    std::fill(std::begin(workMap), std::end(workMap), kNoConductor);
    std::fill(std::begin(sortedCodes), std::end(sortedCodes), kNoConductor);
}

void CFazirDlg::OnInitDialog()
{
    const int n = Count();
    okEnabled = editing || completion;
    okText = completion ? "Дальше>>" : "Сохранить";
    if (completion)
        elementText = StrFormat("(Элемент № %d)", elementIndex + 1);
    phaseHeader = dc ? "Полюс" : "Цепь-фаза";
    for (int i = 0; i < n; ++i)
        workMap[i] = map ? map[i] : kNoConductor;
    // Phase wires before ground wires, then by circuit (ground wire) number,
    // then by phase.
    std::copy(workMap, workMap + n, sortedCodes);
    std::stable_sort(sortedCodes, sortedCodes + n, [](int a, int b) {
        const bool ga = a % 4 == 3, gb = b % 4 == 3;
        if (ga != gb)
            return !ga;
        if (a / 4 != b / 4)
            return a / 4 < b / 4;
        return a % 4 < b % 4;
    });
    phaseItems.clear();
    for (int j = 0; j < n; ++j)
        phaseItems.push_back(FormatConductorName(sortedCodes, -1, std::uint8_t(j)));
    wireItems.clear();
    for (int i = 0; i < n; ++i)
        wireItems.push_back(RowNumber(i));
    wireChoice = 0;
    phaseChoice = n > 0 ? PositionOfCode(workMap[0]) : -1;
    static const char* const places[] = {"В начале тракта", "После обхода", "В присоединенной цепи"};
    placeText = phasingPlace < 3 ? places[phasingPlace] : "";
}

int CFazirDlg::PositionOfCode(int code) const
{
    for (int j = 0; j < Count(); ++j)
        if (sortedCodes[j] == code)
            return j;
    return -1;
}

std::string CFazirDlg::RowNumber(int i) const
{
    return StrFormat("%d", (wireNumbers ? wireNumbers[i] : i) + 1);
}

std::string CFazirDlg::RowName(int i) const
{
    return FormatConductorName(workMap, -1, std::uint8_t(i));
}

void CFazirDlg::OnWireChosen(int wire)
{
    if (wire < 0 || wire >= Count())
        return;
    wireChoice = wire;
    phaseChoice = PositionOfCode(workMap[wire]);
}

void CFazirDlg::OnPhaseChosen(int phase)
{
    const int n = Count();
    if (phase < 0 || phase >= n || wireChoice < 0 || wireChoice >= n)
        return;
    const int code = sortedCodes[phase];
    const int old = workMap[wireChoice];
    for (int i = 0; i < n; ++i)
        if (workMap[i] == code) {
            workMap[i] = old;
            break;
        }
    workMap[wireChoice] = code;
    phaseChoice = phase;
}

void CFazirDlg::OnOK()
{
    if (map)
        std::copy(workMap, workMap + Count(), map);
}
