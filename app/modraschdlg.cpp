#include "app/modraschdlg.h"

#include "app/docfile.h"
#include "calc/calcrun.h"
#include "calc/modalcalc.h"
#include "dialogs/numericfield.h"
#include "model/document.h"
#include "model/lines.h"
#include "platform/format.h"
#include "platform/messages.h"

CModRaschDlg::CModRaschDlg(CKestrinDoc& doc, CElement& element, std::uint16_t position)
    : m_doc(doc), m_element(element), m_nPosition(position), m_clock([] { return std::time(nullptr); })
{
}

void CModRaschDlg::OnInitDialog()
{
    m_strName = m_element.name;
    m_dLastFreq = 0.0;
    m_bCalculated = false;
    m_bCalcEnabled = false;
    const int number = m_nPosition + 1;
    if (m_element.type == kCableLine) {
        m_strKind = "Кабельная линия электропередачи";
        m_strCaption = StrFormat("КЛ %d", number);
        m_bRegenShown = false;
    } else {
        m_strKind = "Воздушная линия электропередачи";
        m_strCaption = StrFormat("ВЛ %d", number);
        const auto* line = dynamic_cast<const CVLine*>(m_element.data.get());
        m_bRegenShown = line && line->inhomogeneity == 1;
    }
    m_bDoneShown = false;
}

void CModRaschDlg::OnFreqChange()
{
    // A text that is not a number yet (the user is typing) is not the last
    // frequency: the button is offered and refuses it when pressed.
    const std::optional<double> f = ParseDecimalNumber(m_strFreq);
    const bool same = f && *f == m_dLastFreq;
    m_bCalcEnabled = !same;
    // "Расчет выполнен!" stands for a calculation made in this dialog.
    m_bDoneShown = same && m_bCalculated;
}

void CModRaschDlg::OnCalc()
{
    m_bCalcEnabled = false;
    const std::optional<double> typed = ParseDecimalNumber(m_strFreq);
    if (!typed) {
        ShowMessage(kEnterNumberText, kAppName, MsgIcon::Stop, MsgButtons::Ok);
        return;
    }
    const double freq = *typed;
    ModalCalcOutcome out = CalcModalParameters(m_element, m_nPosition, freq,
                                               m_bRegenShown && m_bRegenSpans != 0, FormatRunName(m_clock()));
    if (out.status != ModalCalcStatus::Done) {
        const char* caption = out.status == ModalCalcStatus::NoFrequency ? "Ошибка данных" : kAppName;
        ShowMessage(out.message, caption, MsgIcon::Stop, MsgButtons::Ok);
        return;
    }
    m_doc.AddModalResult(std::move(out.result));
    SetModifiedFlag();
    m_bDoneShown = true;
    m_bCalculated = true;
    m_dLastFreq = freq;
}
