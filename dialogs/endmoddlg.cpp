#include "dialogs/endmoddlg.h"

#include "dialogs/editpolicy.h"
#include "dialogs/numericfield.h"
#include "model/branches.h"
#include "model/conductors.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

namespace {

std::string Shown(float v)
{
    return FormatNumericField(v);
}

// The stored array's entry i in the dialog's unit; 0 where the array is
// missing or shorter than the wires.
float Stored(const std::optional<std::vector<double>>& values, int i, double scale)
{
    if (!values || i >= int(values->size()))
        return 0.0f;
    return float((*values)[std::size_t(i)] * scale);
}

} // namespace

void CEndModDlg::OnInitDialog()
{
    filling = 1;
    const int kind = data ? data->kind : 0;
    resistiveOnly = kind == 1;
    modeChoice = kind == 1 || kind == 4 ? 2 : std::clamp(kind - 2, 0, 1);
    name = element ? element->name : std::string();
    const int n = element ? std::min<int>(element->wirePositions, kMaxWires) : 0;
    wireItems.clear();
    rValues.assign(std::size_t(n), 0.0f);
    lValues.assign(std::size_t(n), 0.0f);
    cValues.assign(std::size_t(n), 0.0f);
    for (int i = 0; i < n; ++i) {
        wireItems.push_back(StrFormat("%d (%s)", i + 1,
                                      FormatConductorName(element->inMap, element->splitConductor,
                                                          std::uint8_t(i)).c_str()));
        rValues[std::size_t(i)] = Stored(data->r, i, 1.0);
        if (!resistiveOnly) {
            cValues[std::size_t(i)] = Stored(data->c, i, 1e12);
            lValues[std::size_t(i)] = Stored(data->l, i, 1e3);
        }
    }
    wireIndex = 0;
    rText = lText = cText = Shown(0.0f);
    filling = 0;
}

bool CEndModDlg::RadioEnabled(int mode) const
{
    if (mode < 2 && resistiveOnly)
        return false;
    return editing || modeChoice == mode;
}

void CEndModDlg::OnMode(int mode)
{
    if (mode < 2) {
        modeChoice = mode;
        rText = lText = cText = Shown(0.0f);
    } else {
        modeChoice = 2;
    }
}

std::vector<std::string> CEndModDlg::Columns() const
{
    if (resistiveOnly)
        return {"No", "R,Ом"};
    return {"No", "R,Ом", "L,мГн", "C,пФ"};
}

std::vector<int> CEndModDlg::ColumnWidths(int listWidth) const
{
    const double width = std::max(listWidth - 18, 0);
    std::vector<int> widths(Columns().size(), int(width * 0.2545454545454545));
    widths[0] = int(width * 0.2363636363636364);
    return widths;
}

bool CEndModDlg::HasLoad(int i) const
{
    const std::size_t k = std::size_t(i);
    if (resistiveOnly)
        return rValues[k] > 0.0f;
    return rValues[k] > 0.0f || lValues[k] > 0.0f || cValues[k] > 0.0f;
}

std::vector<std::string> CEndModDlg::Row(int i) const
{
    const std::size_t k = std::size_t(i);
    std::vector<std::string> cells;
    if (!HasLoad(i)) {
        cells.push_back("Нет");
        if (!resistiveOnly) {
            cells.push_back("");
            cells.push_back("");
        }
        return cells;
    }
    cells.push_back(Shown(rValues[k]));
    if (!resistiveOnly) {
        cells.push_back(Shown(lValues[k]));
        cells.push_back(Shown(cValues[k]));
    }
    return cells;
}

void CEndModDlg::ShowWire(int i)
{
    const std::size_t k = std::size_t(i);
    rText = Shown(rValues[k]);
    if (!resistiveOnly) {
        lText = Shown(lValues[k]);
        cText = Shown(cValues[k]);
    }
}

void CEndModDlg::OnWireChosen(int i)
{
    if (filling || i < 0 || i >= WireCount())
        return;
    wireIndex = i;
    const std::size_t k = std::size_t(i);
    if (rValues[k] > 0.0f && (resistiveOnly || lValues[k] > 0.0f || cValues[k] > 0.0f))
        ShowWire(i);
}

void CEndModDlg::OnRowClicked(int i)
{
    if (i < 0 || i >= WireCount())
        return;
    wireIndex = i;
    ShowWire(i);
}

void CEndModDlg::OnStep(int delta)
{
    const int next = wireIndex + (delta > 0 ? 1 : -1);
    if (next >= 0 && next < WireCount())
        wireIndex = next;
}

bool CEndModDlg::OnEnter()
{
    if (wireIndex < 0 || wireIndex >= WireCount())
        return false;
    float r = 0.0f, l = 0.0f, c = 0.0f;
    if (!ReadNumericField(rText, r))
        return false;
    if (!resistiveOnly && (!ReadNumericField(lText, l) || !ReadNumericField(cText, c)))
        return false;
    const std::size_t k = std::size_t(wireIndex);
    rValues[k] = std::max(r, 0.0f);
    if (!resistiveOnly) {
        lValues[k] = std::max(l, 0.0f);
        cValues[k] = std::max(c, 0.0f);
    }
    if (wireIndex + 1 < WireCount()) {
        ++wireIndex;
        if (HasLoad(wireIndex))
            ShowWire(wireIndex);
    }
    return true;
}

void CEndModDlg::OnDelete()
{
    if (wireIndex < 0 || wireIndex >= WireCount())
        return;
    const std::size_t k = std::size_t(wireIndex);
    rValues[k] = lValues[k] = cValues[k] = 0.0f;
}

int CEndModDlg::OnOK()
{
    if (!editing || !element || !data)
        return IDCANCEL;
    if (!CheckStoredText(name, kNameField, kAppName))
        return 0;
    element->name = name;
    const int n = WireCount();
    // The arrays always cover the element's wires, so the calculation finds
    // a value for every wire.
    data->count = std::uint8_t(n);
    if (Loaded()) {
        data->r = std::vector<double>(rValues.begin(), rValues.end());
        if (resistiveOnly) {
            data->kind = 1;
            data->l.reset();
            data->c.reset();
        } else {
            std::vector<double> l(static_cast<std::size_t>(n)), c(static_cast<std::size_t>(n));
            for (std::size_t k = 0; k < std::size_t(n); ++k) {
                l[k] = double(lValues[k]) * 0.001;
                c[k] = double(cValues[k]) * 1e-12;
            }
            data->l = std::move(l);
            data->c = std::move(c);
            data->kind = 4;
        }
    } else {
        data->kind = std::uint8_t(modeChoice == 0 ? 2 : 3);
        data->r.reset();
        data->l.reset();
        data->c.reset();
    }
    element->entered = 1;
    return IDOK;
}

int RunEndModDialog(CElement& element, bool editing)
{
    if (!element.Data<CEndMod>())
        element.data = std::make_unique<CEndMod>();
    CEndModDlg dlg;
    dlg.element = &element;
    dlg.data = element.Data<CEndMod>();
    dlg.editing = editing;
    return dlg.DoModal();
}
