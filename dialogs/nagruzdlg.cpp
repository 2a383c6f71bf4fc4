#include "dialogs/nagruzdlg.h"

#include "dialogs/editpolicy.h"
#include "dialogs/fazirdlg.h"
#include "dialogs/numericfield.h"
#include "model/branches.h"
#include "model/conductors.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

std::string CNagruzDlg::Shown(float v) const
{
    return v < 0.0f ? std::string("Нет") : FormatNumericField(v);
}

void CNagruzDlg::OnInitDialog()
{
    updating = 1;
    anyLoad = 0;
    CElement& e = *element;
    name = e.name;
    circuits = e.circuits;
    groundWires = e.groundWires;
    const int n = std::min(kMaxWires, (dc ? 1 : 3) * e.circuits + e.groundWires + (split >= 0 ? 1 : 0));
    e.wirePositions = std::uint8_t(n);
    wireCount = n;
    phaseWireCount = split >= 0 ? n - 1 : n;
    // The stored loads that exist keep their values; wires beyond them have none.
    values.assign(std::size_t(n), -1.0f);
    if (const CNagruz* stored = e.Data<CNagruz>())
        for (int i = 0; i < n && i < int(stored->values.size()); ++i)
            values[std::size_t(i)] = float(stored->values[std::size_t(i)]);
    UpdateAnyLoad();
    valueText = n > 0 ? Shown(values[0]) : "Нет";
    enterEnabled = false;
    deleteEnabled = n > 0 && values[0] > 0.0f;
    countLabel = dc ? "Число полюсов" : "Число цепей";
    wireNumber = 1;
    updating = 0;
}

void CNagruzDlg::UpdateAnyLoad()
{
    anyLoad = std::any_of(values.begin(), values.end(), [](float v) { return v >= 0.0f; });
}

std::string CNagruzDlg::RowWire(int i) const
{
    return StrFormat("%d (%s)", i + 1,
                     FormatConductorName(element->inMap, element->splitConductor, std::uint8_t(i)).c_str());
}

std::string CNagruzDlg::RowValue(int i) const
{
    return Shown(values[std::size_t(i)]);
}

void CNagruzDlg::OnWireNumberChanged(int number)
{
    if (updating || wireCount == 0)
        return;
    wireNumber = std::clamp(number, 1, wireCount);
    const float v = values[std::size_t(wireNumber - 1)];
    if (v > 0.0f || readOnly)
        valueText = Shown(v);
    OnValueTextChanged();
    deleteEnabled = v >= 0.0f;
}

// Only a number of at least 0 can be entered: "Нет" or any other text that is
// no number is not a load of 0 ohm.
void CNagruzDlg::OnValueTextChanged()
{
    const std::optional<float> v = ParseNumericField(valueText);
    enterEnabled = v && *v >= 0.0f;
}

void CNagruzDlg::OnEnter()
{
    const std::optional<float> v = ParseNumericField(valueText);
    if (!v || *v < 0.0f || wireCount == 0)
        return;
    values[std::size_t(wireNumber - 1)] = *v;
    UpdateAnyLoad();
    deleteEnabled = true;
    if (wireNumber < wireCount)
        OnWireNumberChanged(wireNumber + 1);
}

void CNagruzDlg::OnDelete()
{
    if (wireCount == 0)
        return;
    values[std::size_t(wireNumber - 1)] = -1.0f;
    valueText = "Нет";
    enterEnabled = false;
    UpdateAnyLoad();
}

bool CNagruzDlg::OnPhasing()
{
    CFazirDlg phasing;
    phasing.wireCount = std::uint8_t(std::clamp(phaseWireCount, 0, kMaxWires));
    phasing.phasingPlace = 0;
    phasing.map = element->inMap;
    phasing.editing = !readOnly;
    phasing.dc = dc;
    return phasing.DoModal() == IDOK;
}

int CNagruzDlg::OnOK()
{
    if (readOnly)
        return IDCANCEL;
    if (!CheckStoredText(name, kNameField, kAppName))
        return 0;
    CElement& e = *element;
    e.entered = 1;
    e.name = name;
    auto work = std::make_unique<CNagruz>();
    work->count = std::uint8_t(wireCount);
    work->values.assign(values.begin(), values.end());
    e.data = std::move(work);
    std::copy(e.inMap, e.inMap + wireCount, e.outMap);
    return IDOK;
}

int RunNagruzDialog(CElement& element, bool editing, bool firstElement)
{
    CNagruzDlg dlg;
    dlg.element = &element;
    dlg.readOnly = editing ? 0 : 1;
    dlg.isFirstElement = firstElement ? 1 : 0;
    dlg.dc = IsDCTask();
    dlg.split = g_nSplitConductor;
    return dlg.DoModal();
}
