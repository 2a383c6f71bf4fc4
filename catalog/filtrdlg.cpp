#include "catalog/filtrdlg.h"

#include "model/catalogitems.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

namespace {

constexpr const char* kCoupling = "Коэффициент связи";
constexpr const char* kTransformation = "Коэффициент трансформации";

const FiltrSchemeInfo kSchemes[CFiltr::kTypes] = {
    {0, kCoupling, {kFL1, kFL2}},
    {0, kCoupling, {kFL1, kFL2}},
    {0, kCoupling, {kFL3, kFL4}},
    {1, kTransformation, {}},
    {0, kTransformation, {kFC2, kFL1}},
    {0, kCoupling, {kFC3, kFL1, kFL2}},
    {5, kTransformation, {kFC4, kFL1, kFR1}},
};

// The smallest value a required element, C1 or the ratio may take, in its unit.
constexpr float kLeast = 0.001f;

} // namespace

const FiltrSchemeInfo& FiltrScheme(int type)
{
    return kSchemes[std::clamp(type, 1, int(CFiltr::kTypes)) - 1];
}

bool FiltrHasElement(int type, int element)
{
    const int t = std::clamp(type, 1, int(CFiltr::kTypes)) - 1;
    if (element <= kFC6)
        return element - kFC1 < CFiltr::kCapCount[t];
    if (element <= kFL6)
        return element - kFL1 < CFiltr::kIndCount[t];
    if (element == kFR)
        return kSchemes[t].resistors == 1;
    if (element <= kFR5)
        return kSchemes[t].resistors == 5;
    return element == kFRatio;
}

bool FiltrRequires(int type, int element)
{
    const std::vector<int>& r = FiltrScheme(type).required;
    return element == kFC1 || element == kFRatio || std::find(r.begin(), r.end(), element) != r.end();
}

const char* FiltrElementLetter(int element)
{
    if (element <= kFC6)
        return "C";
    if (element <= kFL6)
        return "L";
    return element == kFRatio ? "" : "R";
}

int FiltrElementNumber(int element)
{
    if (element <= kFC6)
        return element - kFC1 + 1;
    if (element <= kFL6)
        return element - kFL1 + 1;
    if (element >= kFR1 && element <= kFR5)
        return element - kFR1 + 1;
    return 0;
}

void CFiltrDlg::OnInitDialog()
{
    m_bInitialising = 1;
    const CFiltr& f = *m_pFiltr;
    m_strName = f.name;
    m_nType = std::min(int(f.type), CFiltr::kTypes - 1) + 1;
    m_fValue[kFR] = float(f.R);
    m_fValue[kFRatio] = float(f.ratio);
    for (int i = 0; i < CFiltr::kMaxParts; ++i) {
        m_fValue[std::size_t(kFC1 + i)] = float(f.C[i] * 1e12);
        m_fValue[std::size_t(kFL1 + i)] = float(f.L[i] * 1000.0);
    }
    for (int i = 0; i < 5; ++i)
        m_fValue[std::size_t(kFR1 + i)] = float(f.resistors[i]);
    UpdatePresence();
    UpdateVisibility();
    m_bInitialising = 0;
}

void CFiltrDlg::UpdatePresence()
{
    for (int e = 0; e < kFiltrElements; ++e) {
        const std::size_t i = std::size_t(e);
        if (FiltrRequires(m_nType, e)) {
            m_bPresent[i] = 1;
            m_bBoxEnabled[i] = false;
        } else {
            m_bPresent[i] = m_fValue[i] > 0.0f ? 1 : 0;
            m_bBoxEnabled[i] = !IsViewOnly();
        }
    }
}

void CFiltrDlg::UpdateVisibility()
{
    m_strRatioLabel = FiltrScheme(m_nType).ratioLabel;
    for (int e = 0; e < kFiltrElements; ++e) {
        const std::size_t i = std::size_t(e);
        // Every type has C1, C2, L1 and the ratio, so those are never hidden.
        m_bBoxShown[i] = FiltrHasElement(m_nType, e);
        m_bEditShown[i] = m_bBoxShown[i] && m_bPresent[i];
    }
}

void CFiltrDlg::OnChangeType()
{
    if (m_bInitialising)
        return;
    m_nType = std::clamp(m_nType, 1, int(CFiltr::kTypes));
    UpdatePresence();
    UpdateVisibility();
}

void CFiltrDlg::OnCheckElement(int element)
{
    if (element < 0 || element >= kFiltrElements)
        return;
    m_bEditShown[std::size_t(element)] = m_bPresent[std::size_t(element)] != 0;
}

int CFiltrDlg::OnOK()
{
    if (IsViewOnly())
        return IDCANCEL;
    if (m_nType < 1 || m_nType > CFiltr::kTypes)
        return kStayOpen;
    bool complete = !m_strName.empty();
    for (int e = 0; e < kFiltrElements; ++e)
        if (FiltrRequires(m_nType, e) && m_fValue[std::size_t(e)] < kLeast)
            complete = false;
    if (!complete) {
        ShowMessage("Заданы не все обязательные параметры!", "Ошибка", MsgIcon::Stop);
        return kStayOpen;
    }
    if (!CheckStoredText(m_strName, "Наименование", "Ошибка"))
        return kStayOpen;
    // A negative element would make the filter active and its results
    // meaningless, and the editor could not show it again.
    for (int e = 0; e < kFiltrElements; ++e)
        if (FiltrHasElement(m_nType, e) && m_bPresent[std::size_t(e)] && m_fValue[std::size_t(e)] < 0.0f) {
            ShowMessage("Некорректные данные!", "Ошибка", MsgIcon::Stop);
            return kStayOpen;
        }
    auto ticked = [&](int e, double factor) {
        return m_bPresent[std::size_t(e)] ? double(m_fValue[std::size_t(e)]) * factor : 0.0;
    };
    CFiltr& f = *m_pFiltr;
    f.Clear();
    f.name = m_strName;
    f.type = std::uint8_t(m_nType - 1);
    f.R = ticked(kFR, 1.0);
    f.ratio = double(m_fValue[kFRatio]);
    f.nC = CFiltr::kCapCount[f.type];
    f.nL = CFiltr::kIndCount[f.type];
    f.C[0] = double(m_fValue[kFC1]) * 1e-12;
    for (int i = 1; i < CFiltr::kMaxParts; ++i)
        f.C[i] = ticked(kFC1 + i, 1e-12);
    for (int i = 0; i < CFiltr::kMaxParts; ++i)
        f.L[i] = ticked(kFL1 + i, 0.001);
    for (int i = 0; i < 5; ++i)
        f.resistors[i] = ticked(kFR1 + i, 1.0);
    m_nMode = 1;
    return IDOK;
}
