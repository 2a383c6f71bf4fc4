#include "catalog/kabdlg.h"

#include "model/catalogitems.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

namespace {

constexpr double kDiameterToRadius = 0.0005; // mm of diameter -> m of radius

std::array<double*, CKabTvDlg::kFields> Values(CKabTv& c)
{
    return {&c.coreRadius, &c.screenInnerRadius, &c.screenOuterRadius, &c.outerRadius, &c.tanInner,
            &c.tanOuter,   &c.epsInner,          &c.epsOuter,          &c.rhoCore,     &c.rhoScreen};
}

} // namespace

const std::array<KabTvField, CKabTvDlg::kFields> CKabTvDlg::kTable = {{
    {"Диаметры (мм)", "Жилы", kDiameterToRadius, 2000.0},
    {"Диаметры (мм)", "Внутренний экрана ", kDiameterToRadius, 2000.0},
    {"Диаметры (мм)", "Внешний экрана", kDiameterToRadius, 2000.0},
    {"Диаметры (мм)", "Кабеля", kDiameterToRadius, 2000.0},
    {"Тангенсы угла потерь (%)", "Внутренней изоляции", 0.01, 100.0},
    {"Тангенсы угла потерь (%)", "Внешней изоляции", 0.01, 100.0},
    {"Диэлектрические проницаемости", "Внутренней изоляции", 1.0, 1.0},
    {"Диэлектрические проницаемости", "Внешней изоляции", 1.0, 1.0},
    {"Удельное сопротивление (Ом*м)", "Жилы", 1e-8, 1e8},
    {"Удельное сопротивление (Ом*м)", "Экрана", 1e-8, 1e8},
}};

void CKabTvDlg::OnInitDialog()
{
    m_strName = m_pItem->name;
    const auto values = Values(*m_pItem);
    // A cable without a core radius is new: everything shows 0.
    const bool stored = m_pItem->coreRadius > 1e-6;
    for (int i = 0; i < kFields; ++i)
        m_fValues[std::size_t(i)] = stored ? float(*values[std::size_t(i)] * kTable[std::size_t(i)].shown) : 0.0f;
}

int CKabTvDlg::OnOK()
{
    if (IsViewOnly())
        return IDCANCEL;
    // An empty type name is accepted; one the file cannot hold is not.
    if (!CheckStoredText(m_strName, "Тип", kAppName))
        return kStayOpen;
    bool valid = true;
    for (float v : m_fValues)
        valid = valid && double(v) >= 1e-9;
    // Core, inner screen, outer screen and cable diameters grow strictly.
    for (int i = 1; i < 4; ++i)
        valid = valid && m_fValues[std::size_t(i)] > m_fValues[std::size_t(i - 1)];
    if (!valid) {
        ShowMessage("Некорректные данные!", kAppName, MsgIcon::None);
        return kStayOpen;
    }
    m_pItem->name = m_strName;
    const auto values = Values(*m_pItem);
    for (int i = 0; i < kFields; ++i)
        *values[std::size_t(i)] = double(m_fValues[std::size_t(i)]) * kTable[std::size_t(i)].factor;
    m_bViewOnly = 1;
    return IDOK;
}

void CKabTrDlg::OnInitDialog()
{
    m_strName = m_pItem->name;
    m_fDiameter = m_pItem->coreRadius > 1e-6 ? float(m_pItem->coreRadius * 2000.0) : 0.0f;
}

int CKabTrDlg::OnOK()
{
    if (IsViewOnly())
        return IDCANCEL;
    if (!CheckStoredText(m_strName, "Тип", kAppName))
        return kStayOpen;
    if (double(m_fDiameter) < 1e-9) {
        ShowMessage("Некорректные данные!", kAppName, MsgIcon::None);
        return kStayOpen;
    }
    m_pItem->name = m_strName;
    m_pItem->coreRadius = double(m_fDiameter) * kDiameterToRadius;
    m_bViewOnly = 1;
    return IDOK;
}
