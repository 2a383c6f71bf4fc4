// The window of CNagrOtvDlg ("Нагрузка на конце ответвления").
#pragma once

#include "dialogs/nagrotvdlg.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class NagrOtvDialog : public QDialog {
    Q_OBJECT
public:
    explicit NagrOtvDialog(CNagrOtvDlg& model, QWidget* parent = nullptr);

    QRadioButton* ModeRadio(int mode) const { return m_modes[mode]; }
    QLineEdit* CapacitanceEdit() const { return m_capacitance; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    void accept() override;

private:
    void ShowModel();

    CNagrOtvDlg& m_model;
    QLineEdit* m_name;
    QRadioButton* m_modes[3];
    QLabel* m_capacitanceLabel;
    QLineEdit* m_capacitance;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

void RegisterNagrOtvDialog();
