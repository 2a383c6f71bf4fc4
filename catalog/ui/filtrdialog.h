// The Qt dialog of the coupling-filter editor ("Фильтр присоединения") over
// the model CFiltrDlg, with the circuit of the chosen type.
#pragma once

#include "catalog/filtrdlg.h"
#include "catalog/ui/itemeditordialog.h"

#include <array>

class NumericEdit;
class QCheckBox;
class QLabel;
class QSpinBox;
class SchemeWidget;

class FiltrDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit FiltrDialog(CFiltrDlg& model, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    QSpinBox* TypeSpin() const { return m_type; }
    QCheckBox* Box(int element) const { return m_box[std::size_t(element)]; }
    NumericEdit* Edit(int element) const { return m_edit[std::size_t(element)]; }
    QLabel* RatioLabel() const { return m_ratioLabel; }
    SchemeWidget* Scheme() const { return m_scheme; }

protected:
    int ReadAndCheck() override;

private:
    // Takes what the edits hold as numbers (a text that is not one keeps
    // the value), the ticks and the type.
    void ReadControls();
    void ShowModel();

    CFiltrDlg& m_model;
    QLineEdit* m_name;
    QSpinBox* m_type;
    std::array<QCheckBox*, kFiltrElements> m_box{};
    std::array<NumericEdit*, kFiltrElements> m_edit{};
    std::array<QWidget*, kFiltrElements> m_caption{}; // letter and number
    QLabel* m_ratioLabel;
    QWidget* m_resistorsGroup;
    SchemeWidget* m_scheme;
};
