// The window of COtvetDlg (a tap, a doubling or a bypass: which circuits and
// ground wires take part).  It has no Cancel button.
#pragma once

#include "dialogs/otvetdlg.h"

#include <QDialog>

class CircuitBoxes;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class OtvetDialog : public QDialog {
    Q_OBJECT
public:
    explicit OtvetDialog(COtvetDlg& model, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    QRadioButton* AllRadio() const { return m_all; }
    QRadioButton* SelectedRadio() const { return m_selected; }
    QRadioButton* KindRadio(int kind) const { return m_kinds[kind]; }
    CircuitBoxes* Boxes() const { return m_boxes; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    void ShowModel();

    COtvetDlg& m_model;
    QLineEdit* m_name;
    QGroupBox* m_kindGroup;
    QRadioButton* m_kinds[3];
    QGroupBox* m_choiceGroup;
    QRadioButton* m_all;
    QRadioButton* m_selected;
    CircuitBoxes* m_boxes;
    QPushButton* m_ok;
};

void RegisterOtvetDialog();
