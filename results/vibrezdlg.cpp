#include "results/vibrezdlg.h"

#include "model/document.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "results/comparebuffer.h"
#include "results/resulttext.h"

#include <algorithm>

namespace {

void SetAll(std::vector<int>& flags, int value)
{
    std::fill(flags.begin(), flags.end(), value);
}

}  // namespace

CVibRezDlg::CVibRezDlg(CKestrinDoc& doc) : m_doc(doc)
{
    for (int id : {kIdOk, kIdCancel, kIdDelete, kIdTree, kIdTables, kIdGraphs, kIdAttenuation, kIdDelay,
                   kIdImpedance, kIdMismatch, kIdImpedanceLeft, kIdImpedanceRight, kIdImpedanceFrame,
                   kIdCheckAttenuation, kIdCheckImpedance, kIdCheckMismatch, kIdMismatchLeft, kIdMismatchRight,
                   kIdMismatchFrame})
        m_controls[id] = ControlState();
}

void CVibRezDlg::OnInitDialog()
{
    // The arrays follow the document's lists; flags already set are kept.
    chosenTract.resize(m_doc.responseResults.size(), 0);
    chosenModal.resize(m_doc.modalResults.size(), 0);

    m_controls[kIdDelete].enabled = false;
    FillTree();
    CountChoices();

    if (viewMode == 0) {
        if (chosenModalCount > 0)
            showGraphs = 0;
    } else if (viewMode <= 7) {
        showGraphs = 0;
        showAttenuation = (viewMode & 1) ? 1 : 0;
        showImpedance = (viewMode & 2) ? 1 : 0;
        showMismatch = (viewMode & 4) ? 1 : 0;
    } else if (viewMode <= 9) {
        showGraphs = 1;
        quantity = viewMode - 8;
    } else if (viewMode <= 11) {
        showGraphs = 1;
        quantity = 2;
        impedanceSide = viewMode - 10;
    } else if (viewMode <= 13) {
        showGraphs = 1;
        quantity = 3;
        mismatchSide = viewMode - 12;
    }
    EnableControls();
}

// ---- tree ---------------------------------------------------------------------

void CVibRezDlg::FillTree()
{
    m_selected = kNoItem;
    m_controls[kIdDelete].enabled = false;
    UpdateTexts();
}

void CVibRezDlg::UpdateTexts()
{
    m_modalTexts.clear();
    for (std::size_t i = 0; i < m_doc.modalResults.size(); ++i)
        m_modalTexts.push_back(DescribeResult(ModalItem(i)));
    m_tractTexts.clear();
    for (std::size_t i = 0; i < m_doc.responseResults.size(); ++i)
        m_tractTexts.push_back(DescribeResult(TractItem(i)));
}

std::string CVibRezDlg::DescribeResult(std::uint32_t itemData) const
{
    std::size_t number = itemData & 0xFFFF;
    if (number == 0)
        return std::string();
    std::size_t index = number - 1;
    if (itemData & kTractBit) {
        if (index >= m_doc.responseResults.size())
            return std::string();
        const CRezGra& r = *m_doc.responseResults[index];
        char mark = index < chosenTract.size() && chosenTract[index] ? '+' : ' ';
        std::size_t n = r.PointCount();
        std::string text;
        if (n > 1)
            text = StrFormat("%c F=%g - %g кГц (шаг %g).", mark, r.startFreq * 0.001, r.endFreq * 0.001,
                             (r.endFreq - r.startFreq) / double(n - 1) * 0.001);
        else
            text = StrFormat("%c F=%g кГц.", mark, r.startFreq * 0.001);
        text += " Подключение ";
        text += ResultConnectionLabel(r.mode, ResultConnectionNames(r, m_doc), r.resistance);
        text += StrFormat(" (%s)", r.name.c_str());
        return text;
    }
    if (index >= m_doc.modalResults.size())
        return std::string();
    const CRezMod& r = *m_doc.modalResults[index];
    char mark = index < chosenModal.size() && chosenModal[index] ? '+' : ' ';
    const CElement* e = m_doc.GetElement(r.position);
    const char* kind = e && e->type == kOverheadLine ? "ВЛ" : "КЛ";
    return StrFormat("%c %s%d, F=%g кГц (%s)", mark, kind, int(r.position) + 1, r.freq * 0.001, r.name.c_str());
}

// ---- choosing -----------------------------------------------------------------

void CVibRezDlg::OnSelChanged(std::uint32_t itemData)
{
    m_selected = itemData;
    std::size_t number = itemData == kNoItem ? 0 : (itemData & 0xFFFF);
    bool tract = (itemData & kTractBit) != 0;
    std::size_t index = number - 1;
    if (number == 0 || (tract ? index >= chosenTract.size() : index >= chosenModal.size())) {
        m_controls[kIdDelete].enabled = false;
        return;
    }
    m_controls[kIdDelete].enabled = true;
    if (tract) {
        SetAll(chosenModal, 0);
        chosenTract[index] = chosenTract[index] ? 0 : 1;
    } else if (chosenModal[index]) {
        chosenModal[index] = 0;
    } else {
        SetAll(chosenModal, 0);
        SetAll(chosenTract, 0);
        chosenModal[index] = 1;
    }
    UpdateTexts();
    EnableControls();
}

void CVibRezDlg::OnClickTree()
{
    m_selected = kNoItem;
    m_controls[kIdDelete].enabled = false;
}

void CVibRezDlg::CountChoices()
{
    chosenTractCount = std::uint16_t(std::count_if(chosenTract.begin(), chosenTract.end(), [](int f) { return f != 0; }));
    chosenModalCount = std::uint16_t(std::count_if(chosenModal.begin(), chosenModal.end(), [](int f) { return f != 0; }));
}

// ---- controls -----------------------------------------------------------------

void CVibRezDlg::EnableControls()
{
    CountChoices();
    auto show = [this](std::initializer_list<int> ids, bool shown) {
        for (int id : ids)
            m_controls[id].shown = shown;
    };
    const std::initializer_list<int> checks = {kIdCheckAttenuation, kIdCheckImpedance, kIdCheckMismatch};
    const std::initializer_list<int> quantities = {kIdAttenuation, kIdDelay, kIdImpedance, kIdMismatch};
    const std::initializer_list<int> sides = {kIdImpedanceFrame, kIdImpedanceLeft, kIdImpedanceRight,
                                              kIdMismatchFrame, kIdMismatchLeft, kIdMismatchRight};

    m_controls[kIdTables].enabled = true;
    if (chosenTractCount == 0) {
        showGraphs = 0;
        m_controls[kIdGraphs].enabled = false;
        show(checks, false);
        show(quantities, false);
        show(sides, false);
        return;
    }
    m_controls[kIdGraphs].enabled = true;
    if (chosenTractCount > 1) {
        showGraphs = 1;
        m_controls[kIdTables].enabled = false;
    }
    if (!showGraphs) {
        show(checks, true);
        show(quantities, false);
        show(sides, false);
        return;
    }
    show(checks, false);
    show(quantities, true);
    show(sides, true);
    for (int id : {kIdImpedanceLeft, kIdImpedanceRight})
        m_controls[id].enabled = quantity == 2;
    for (int id : {kIdMismatchLeft, kIdMismatchRight})
        m_controls[id].enabled = quantity == 3;
}

ControlState CVibRezDlg::Control(int id) const
{
    auto it = m_controls.find(id);
    ControlState s = it == m_controls.end() ? ControlState() : it->second;
    switch (id) {
    case kIdTables: s.checked = showGraphs == 0; break;
    case kIdGraphs: s.checked = showGraphs != 0; break;
    case kIdCheckAttenuation: s.checked = showAttenuation != 0; break;
    case kIdCheckImpedance: s.checked = showImpedance != 0; break;
    case kIdCheckMismatch: s.checked = showMismatch != 0; break;
    case kIdAttenuation: s.checked = quantity == 0; break;
    case kIdDelay: s.checked = quantity == 1; break;
    case kIdImpedance: s.checked = quantity == 2; break;
    case kIdMismatch: s.checked = quantity == 3; break;
    case kIdImpedanceLeft: s.checked = impedanceSide == 0; break;
    case kIdImpedanceRight: s.checked = impedanceSide != 0; break;
    case kIdMismatchLeft: s.checked = mismatchSide == 0; break;
    case kIdMismatchRight: s.checked = mismatchSide != 0; break;
    default: break;
    }
    return s;
}

// ---- "Просмотр" ----------------------------------------------------------------

bool CVibRezDlg::OnOK()
{
    CountChoices();
    if (chosenTractCount > 0 && showGraphs) {
        // A graph needs two points, the delay three (it lives between points).
        std::size_t minPoints = quantity == 1 ? 3 : 2;
        bool corrected = false;
        for (std::size_t i = 0; i < chosenTract.size() && i < m_doc.responseResults.size(); ++i) {
            if (chosenTract[i] && m_doc.responseResults[i]->PointCount() < minPoints) {
                chosenTract[i] = 0;
                corrected = true;
            }
        }
        if (corrected) {
            UpdateTexts();
            EnableControls();
            ShowMessage(kNotDrawableMessage, kNotDrawableCaption, MsgIcon::Information);
            return false;
        }
    }
    if (chosenModalCount > 0) {
        viewMode = 0;
        return true;
    }
    if (chosenTractCount == 0) {
        ShowMessage(kNothingChosenMessage, kForgotCaption, MsgIcon::Stop);
        return false;
    }
    if (chosenTractCount > kMaxGraphCurves) {
        ShowMessage(kTooManyGraphsMessage, kTooManyGraphsCaption, MsgIcon::Stop);
        return false;
    }
    if (showGraphs) {
        if (quantity <= 1)
            viewMode = std::uint8_t(8 + std::max(quantity, 0));
        else if (quantity == 2)
            viewMode = std::uint8_t(10 + (impedanceSide ? 1 : 0));
        else
            viewMode = std::uint8_t(12 + (mismatchSide ? 1 : 0));
        return true;
    }
    int mask = 4 * (showMismatch ? 1 : 0) + 2 * (showImpedance ? 1 : 0) + (showAttenuation ? 1 : 0);
    if (mask == 0) {
        ShowMessage("Вы не задали содержание таблиц просмотра!", kForgotCaption, MsgIcon::Stop);
        return false;
    }
    viewMode = std::uint8_t(mask);
    return true;
}

// ---- "Удалить" ------------------------------------------------------------------

bool CVibRezDlg::OnDelete()
{
    std::string text = DescribeResult(m_selected == kNoItem ? 0 : m_selected);
    if (text.empty())
        return false;
    text[0] = ' ';
    if (ShowMessage(StrFormat("Подтвердите удаление результатов\n\"%s\".", text.c_str()),
                    kDeleteResultsCaption, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    std::size_t index = (m_selected & 0xFFFF) - 1;
    if (m_selected & kTractBit)
        DeleteTract(index);
    else
        DeleteModal(index);
    deleted = true;
    if (setModified)
        setModified();
    FillTree();
    EnableControls();
    return true;
}

void CVibRezDlg::DeleteTract(std::size_t index)
{
    m_doc.responseResults.erase(m_doc.responseResults.begin() + std::ptrdiff_t(index));
    m_doc.responseCount = std::uint16_t(m_doc.responseResults.size());
    if (index < chosenTract.size())
        chosenTract.erase(chosenTract.begin() + std::ptrdiff_t(index));
    chosenTract.resize(m_doc.responseResults.size(), 0);
    if (buffer)
        buffer->RefillTask(m_doc, pathName);
}

void CVibRezDlg::DeleteModal(std::size_t index)
{
    m_doc.modalResults.erase(m_doc.modalResults.begin() + std::ptrdiff_t(index));
    m_doc.modalCount = std::uint16_t(m_doc.modalResults.size());
    chosenModal.assign(m_doc.modalResults.size(), 0);
}
