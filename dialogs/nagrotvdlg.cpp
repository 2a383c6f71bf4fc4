#include "dialogs/nagrotvdlg.h"

#include "dialogs/editpolicy.h"
#include "dialogs/numericfield.h"
#include "model/element.h"
#include "model/shunts.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

void CNagrOtvDlg::OnInitDialog()
{
    modeChoice = data ? (data->mode <= 2 ? data->mode : 0) : 0;
    name = element ? element->name : std::string();
    capacitancePf = modeChoice == 2 ? float(data->capacitance * 1e12) : 0.0f;
    capacitanceText = FormatNumericField(capacitancePf);
}

bool CNagrOtvDlg::RadioEnabled(int mode) const
{
    return editing || (data && data->mode == mode);
}

int CNagrOtvDlg::OnOK()
{
    if (!editing || !element || !data)
        return IDCANCEL;
    if (!CheckStoredText(name, kNameField, kAppName))
        return 0;
    if (modeChoice == 2 && !ReadNumericField(capacitanceText, capacitancePf))
        return 0;
    element->name = name;
    if (modeChoice == 2 && !(capacitancePf > 0.0f)) {
        ShowMessage("Забыли задать эквивалентную емкость!", kAppName, MsgIcon::Stop);
        return 0;
    }
    data->mode = std::uint8_t(modeChoice);
    data->capacitance = modeChoice == 2 ? double(capacitancePf) * 1e-12 : 0.0;
    element->entered = 1;
    return IDOK;
}

int RunNagrOtvDialog(CElement& element, bool editing)
{
    if (!element.Data<CNagrOtv>())
        element.data = std::make_unique<CNagrOtv>();
    CNagrOtvDlg dlg;
    dlg.element = &element;
    dlg.data = element.Data<CNagrOtv>();
    dlg.editing = editing;
    return dlg.DoModal();
}
