// CEndModDlg ("Конец присоединенной цепи"): the wires at the end of an
// attached circuit are grounded, insulated, or loaded with a resistance (a
// stored resistive-only end) or a resistance, inductance and capacitance per
// wire.
#pragma once

#include "platform/modal.h"

#include <string>
#include <vector>

class CElement;
class CEndMod;

class CEndModDlg {
public:
    // Set by the opener.
    CElement* element = nullptr;
    CEndMod* data = nullptr;
    bool editing = true;

    // Control values: the chosen wire's values as typed.
    std::string rText, lText, cText;
    int modeChoice = 0;  // 0 "Заземлены", 1 "Изолированы", 2 "Нагружены"
    int wireIndex = 0;
    std::string name;
    int resistiveOnly = 0;
    int filling = 1;

    // Working values per wire: R in ohm, L in mH, C in pF.
    std::vector<float> rValues, lValues, cValues;
    std::vector<std::string> wireItems;  // "%d (%s)"

    int WireCount() const { return int(rValues.size()); }
    void OnInitDialog();
    // A radio chosen: 0, 1 or 2.
    void OnMode(int mode);
    bool Loaded() const { return modeChoice == 2; }
    bool RadioEnabled(int mode) const;
    // The list's columns: "No", "R,Ом", and "L,мГн", "C,пФ" unless resistive only.
    std::vector<std::string> Columns() const;
    // Their widths for a list listWidth pixels wide: "No" takes 13/55 and
    // each value column 14/55 of the list's width less 18 pixels.
    std::vector<int> ColumnWidths(int listWidth) const;
    // Row i's cells after "No": R, L, C ("Нет" and empty cells for a wire without load).
    std::vector<std::string> Row(int i) const;
    bool HasLoad(int i) const;
    // The wire combo's selection changed: the wire's values go into the edits when it has a load.
    void OnWireChosen(int i);
    // A list row clicked: its values go into the edits whatever they are.
    void OnRowClicked(int i);
    // The spin: one wire up (+1) or down (-1), nothing past the ends.
    void OnStep(int delta);
    // "Ввести": false when a text is no number (the dialog stays with it).
    bool OnEnter();
    void OnDelete();
    // IDOK with the element written, IDCANCEL outside editing mode, 0 when
    // the dialog stays open.
    int OnOK();

    int DoModal() { return RunModal(*this); }

private:
    void ShowWire(int i);
};

// "Параметры" on the end of an attached circuit whose data have a kind.
int RunEndModDialog(CElement& element, bool editing);
