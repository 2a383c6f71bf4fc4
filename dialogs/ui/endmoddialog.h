// The window of CEndModDlg ("Конец присоединенной цепи").
#pragma once

#include "dialogs/endmoddlg.h"

#include <QDialog>

class ListStepper;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

class EndModDialog : public QDialog {
    Q_OBJECT
public:
    explicit EndModDialog(CEndModDlg& model, QWidget* parent = nullptr);

    QRadioButton* ModeRadio(int mode) const { return m_modes[mode]; }
    QComboBox* WireCombo() const { return m_wire; }
    QLineEdit* REdit() const { return m_r; }
    QLineEdit* LEdit() const { return m_l; }
    QLineEdit* CEdit() const { return m_c; }
    QTableWidget* List() const { return m_list; }
    QPushButton* EnterButton() const { return m_enter; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    void accept() override;

private:
    void ReadEdits();
    void ShowModel();
    void ShowList();
    void SetColumnWidths();
    bool eventFilter(QObject* watched, QEvent* event) override;

    CEndModDlg& m_model;
    QLineEdit* m_name;
    QRadioButton* m_modes[3];
    QComboBox* m_wire;
    ListStepper* m_stepper;
    QLineEdit* m_r;
    QLineEdit* m_l;
    QLineEdit* m_c;
    QLabel* m_lLabel;
    QLabel* m_cLabel;
    QTableWidget* m_list;
    QPushButton* m_enter;
    QPushButton* m_delete;
    QPushButton* m_cancel;
};

void RegisterEndModDialog();
