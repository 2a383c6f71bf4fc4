#include "results/vibrezbufdlg.h"

#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>

CVibRezBufDlg::CVibRezBufDlg(CompareBuffer& buffer) : m_buffer(buffer)
{
}

void CVibRezBufDlg::OnInitDialog()
{
    workList.CopyFrom(m_buffer);
    m_deleteEnabled = false;
    if (quantity > 3) {
        quantityChoice = 3;
        mismatchSide = quantity == 5 ? 1 : 0;
    } else {
        quantityChoice = std::clamp(quantity, 0, 2);
        impedanceSide = quantity == 3 ? 1 : 0;
    }
    FillTree();
}

// ---- tree ---------------------------------------------------------------------

std::string CVibRezBufDlg::DescribeCurve(const CBufGra& curve)
{
    const CRezGra& r = curve.result;
    std::size_t n = r.PointCount();
    double step = n > 1 ? (r.endFreq - r.startFreq) / double(n - 1) * 0.001 : 0.0;
    // The label already ends with "+R=... Ом" in connection mode 3.
    return StrFormat("%c F=%g - %g кГц (шаг %g). Подкл. %s (%s)", curve.selected ? '+' : ' ',
                     r.startFreq * 0.001, r.endFreq * 0.001, step, r.label.c_str(), r.name.c_str());
}

std::string CVibRezBufDlg::GroupText(const CBufZad& group)
{
    // Unsaved tasks have no path to show; their title tells them apart.
    return group.key.empty() ? group.title : group.key;
}

void CVibRezBufDlg::FillTree()
{
    m_tree.clear();
    m_selected = kNoItem;
    m_deleteEnabled = false;
    selectedCount = 0;
    for (std::size_t g = 0; g < workList.groups.size(); ++g) {
        const CBufZad& group = *workList.groups[g];
        TreeItem item;
        item.data = GroupItem(g);
        item.text = GroupText(group);
        for (std::size_t c = 0; c < group.curves.size(); ++c) {
            const CBufGra& curve = *group.curves[c];
            item.children.push_back({CurveItem(g, c), DescribeCurve(curve), {}});
            if (curve.selected)
                ++selectedCount;
        }
        m_tree.push_back(std::move(item));
    }
}

CBufZad* CVibRezBufDlg::GroupAt(std::uint32_t itemData) const
{
    if (itemData == kNoItem)
        return nullptr;
    std::size_t g = itemData >> 16;
    return g < workList.groups.size() ? workList.groups[g].get() : nullptr;
}

CBufGra* CVibRezBufDlg::CurveAt(std::uint32_t itemData) const
{
    CBufZad* group = GroupAt(itemData);
    std::size_t number = itemData & 0xFFFF;
    if (!group || number == 0 || number > group->curves.size())
        return nullptr;
    return group->curves[number - 1].get();
}

int CVibRezBufDlg::CountMarked() const
{
    int n = 0;
    for (const auto& g : workList.groups)
        n += g->SelectedCount();
    return n;
}

// ---- controls -----------------------------------------------------------------

void CVibRezBufDlg::OnQuantityChoice(int choice)
{
    quantityChoice = std::clamp(choice, 0, 3);
}

ControlState CVibRezBufDlg::Control(int id) const
{
    ControlState s;
    switch (id) {
    case kIdAttenuation: s.checked = quantityChoice == 0; break;
    case kIdDelay: s.checked = quantityChoice == 1; break;
    case kIdImpedance: s.checked = quantityChoice == 2; break;
    case kIdMismatch: s.checked = quantityChoice == 3; break;
    case kIdImpedanceFrame:
    case kIdImpedanceLeft:
    case kIdImpedanceRight:
        s.shown = quantityChoice == 2;
        s.checked = id != kIdImpedanceFrame && (id == kIdImpedanceRight) == (impedanceSide != 0);
        break;
    case kIdMismatchFrame:
    case kIdMismatchLeft:
    case kIdMismatchRight:
        s.shown = quantityChoice == 3;
        s.checked = id != kIdMismatchFrame && (id == kIdMismatchRight) == (mismatchSide != 0);
        break;
    case kIdDelete: s.enabled = m_deleteEnabled; break;
    default: break;
    }
    return s;
}

// ---- marking --------------------------------------------------------------------

void CVibRezBufDlg::OnSelChanged(std::uint32_t itemData)
{
    m_selected = itemData;
    m_deleteEnabled = GroupAt(itemData) != nullptr;
    CBufGra* curve = CurveAt(itemData);
    if (!curve)
        return;
    curve->selected = curve->selected ? 0 : 1;
    selectedCount += curve->selected ? 1 : -1;
    TreeItem& groupItem = m_tree[itemData >> 16];
    groupItem.children[(itemData & 0xFFFF) - 1].text = DescribeCurve(*curve);
}

void CVibRezBufDlg::OnClickTree()
{
    m_selected = kNoItem;
    m_deleteEnabled = false;
}

// ---- deleting and adding ------------------------------------------------------------

bool CVibRezBufDlg::OnDelete()
{
    CBufZad* group = GroupAt(m_selected);
    if (!group)
        return false;
    auto groupIt = workList.groups.begin() + std::ptrdiff_t(m_selected >> 16);
    if (CBufGra* curve = CurveAt(m_selected)) {
        std::string text = StrFormat(
            "Подтвердите удаление из буфера сравнения\nрезультатов\n%s\nдля задачи\n\"%s\".",
            DescribeCurve(*curve).c_str(), GroupText(*group).c_str());
        if (ShowMessage(text, kDeleteResultsCaption, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::No)
            return false;
        if (group->curves.size() == 1)
            workList.groups.erase(groupIt);
        else
            group->curves.erase(group->curves.begin() + std::ptrdiff_t((m_selected & 0xFFFF) - 1));
    } else {
        std::string text = StrFormat("Подтвердите удаление из буфера сравнения\nрезультатов для задачи\n\"%s\".",
                                     GroupText(*group).c_str());
        if (ShowMessage(text, kDeleteResultsCaption, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
            return false;
        workList.groups.erase(groupIt);
    }
    // The items are made again, so that every later item addresses its own
    // group and curve by position; the count follows the marks that remain.
    FillTree();
    return true;
}

bool CVibRezBufDlg::OnAddFile(const std::string& path)
{
    bool added = workList.AddTaskFile(path);
    FillTree();
    return added;
}

// ---- "Просмотр" and "Возврат" ---------------------------------------------------------

bool CVibRezBufDlg::OnOK()
{
    selectedCount = CountMarked();
    if (quantityChoice == 1 && selectedCount > 0) {
        // The delay lives between points: a curve of 2 points has only one value.
        bool corrected = false;
        for (const auto& g : workList.groups)
            for (const auto& c : g->curves)
                if (c->selected && c->result.PointCount() < 3) {
                    c->selected = 0;
                    corrected = true;
                }
        if (corrected) {
            FillTree();
            ShowMessage(kNotDrawableMessage, kNotDrawableCaption, MsgIcon::Information);
            return false;
        }
    }
    if (selectedCount > kMaxGraphCurves) {
        ShowMessage(kTooManyGraphsMessage, kTooManyGraphsCaption, MsgIcon::Stop);
        return false;
    }
    if (selectedCount == 0) {
        ShowMessage(kNothingChosenMessage, kForgotCaption, MsgIcon::Stop);
        return false;
    }
    m_buffer = std::move(workList);
    workList.Clear();
    switch (quantityChoice) {
    case 0:
    case 1: quantity = quantityChoice; break;
    case 2: quantity = 2 + (impedanceSide ? 1 : 0); break;
    default: quantity = 4 + (mismatchSide ? 1 : 0); break;
    }
    return true;
}

void CVibRezBufDlg::OnCancel()
{
    workList.Clear();
}
