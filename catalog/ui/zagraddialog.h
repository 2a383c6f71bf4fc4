// The Qt dialog of the line-trap editor ("Заградитель") over the model
// CZagradDlg, with the circuit of the chosen scheme.
#pragma once

#include "catalog/zagraddlg.h"
#include "catalog/ui/itemeditordialog.h"

class NumericEdit;
class QCheckBox;
class QLabel;
class QRadioButton;
class SchemeWidget;

class ZagradDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit ZagradDialog(CZagradDlg& model, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    NumericEdit* C1Edit() const { return m_c1; }
    NumericEdit* C2Edit() const { return m_c2; }
    NumericEdit* L1Edit() const { return m_l1; }
    NumericEdit* L2Edit() const { return m_l2; }
    NumericEdit* REdit() const { return m_r; }
    NumericEdit* L4Edit() const { return m_l4; }
    QCheckBox* C2Box() const { return m_hasC2; }
    QCheckBox* L2Box() const { return m_hasL2; }
    QCheckBox* RBox() const { return m_hasR; }
    QCheckBox* L4Box() const { return m_hasL4; }
    QRadioButton* SchemeRadio(int scheme) const { return m_scheme[scheme]; }
    SchemeWidget* Scheme() const { return m_drawing; }

protected:
    int ReadAndCheck() override;

private:
    void ReadBoxes();
    void ShowModel();

    CZagradDlg& m_model;
    QLineEdit* m_name;
    NumericEdit *m_c1, *m_c2, *m_c3, *m_l1, *m_l2, *m_l3, *m_l4, *m_r;
    QCheckBox *m_hasC1, *m_hasC2, *m_hasC3, *m_hasL1, *m_hasL2, *m_hasL3, *m_hasL4, *m_hasR;
    QWidget* m_l4Caption;
    QRadioButton* m_scheme[3];
    SchemeWidget* m_drawing;
};
