// The window of CPrisoedDlg ("Устройство присоединения").
#pragma once

#include "dialogs/prisoeddlg.h"

#include <QDialog>

class ListStepper;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class PrisoedDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrisoedDialog(CPrisoedDlg& model, QWidget* parent = nullptr);

    QComboBox* FilterCombo() const { return m_filter; }
    QComboBox* CableCombo() const { return m_cable; }
    QCheckBox* PolarityBox() const { return m_polarity; }
    QLineEdit* LengthEdit() const { return m_length; }
    QLineEdit* REdit() const { return m_r; }
    QLineEdit* LEdit() const { return m_l; }
    QLineEdit* CEdit() const { return m_c; }
    QTableWidget* List() const { return m_list; }
    ListStepper* Stepper() const { return m_stepper; }
    QPushButton* EnterButton() const { return m_enter; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* PhasingButton() const { return m_phasing; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ReadControls();
    void ShowControls();
    void ShowCombos();
    void ShowRows();
    void SetColumnWidths();

    CPrisoedDlg& m_model;
    QLineEdit* m_name;
    QGroupBox* m_wireGroup;
    QComboBox* m_filter;
    QPushButton* m_newFilter;
    QPushButton* m_filterParams;
    QCheckBox* m_polarity;
    QLabel* m_polarityLine2;
    QComboBox* m_cable;
    QPushButton* m_newCable;
    QPushButton* m_cableParams;
    QLineEdit* m_length;
    QLineEdit* m_r;
    QLineEdit* m_l;
    QLineEdit* m_c;
    QPushButton* m_enter;
    QPushButton* m_delete;
    QTableWidget* m_list;
    ListStepper* m_stepper;
    QPushButton* m_phasing;
    QPushButton* m_cancel;
};

void RegisterPrisoedDialog();
