// The windows of CShuntDlg ("Шунтирующее сопротивление") and CPoslSoprDlg
// ("Последовательное сопротивление").
#pragma once

#include "dialogs/poslsoprdlg.h"
#include "dialogs/shuntdlg.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

// The controls both impedance dialogs share.
struct ImpedanceControls {
    QLineEdit* name;
    QRadioButton* circuitKind;
    QRadioButton* trapKind;
    QLabel* rLabel;
    QLabel* lLabel;
    QLabel* cLabel;
    QLineEdit* r;
    QLineEdit* l;
    QLineEdit* c;
    QCheckBox* zeroBox;  // "Короткое замыкание" / "Обрыв"
    QComboBox* trap;
    QPushButton* newTrap;
    QPushButton* trapParams;
    QPushButton* enter;
    QPushButton* remove;
    QTableWidget* list;
    QPushButton* cancel;
};

class ShuntDialog : public QDialog {
    Q_OBJECT
public:
    explicit ShuntDialog(CShuntDlg& model, QWidget* parent = nullptr);

    const ImpedanceControls& Controls() const { return m_c; }
    QComboBox* Wire1() const { return m_wire1; }
    QComboBox* Wire2() const { return m_wire2; }
    QCheckBox* CequivBox() const { return m_useCequiv; }
    QLineEdit* CequivEdit() const { return m_cequiv; }

public slots:
    void accept() override;

private:
    void ReadControls();
    void Refresh();

    CShuntDlg& m_model;
    ImpedanceControls m_c;
    QComboBox* m_wire1;
    QComboBox* m_wire2;
    QCheckBox* m_useCequiv;
    QLineEdit* m_cequiv;
};

class PoslSoprDialog : public QDialog {
    Q_OBJECT
public:
    explicit PoslSoprDialog(CPoslSoprDlg& model, QWidget* parent = nullptr);

    const ImpedanceControls& Controls() const { return m_c; }
    QComboBox* Wire() const { return m_wire; }

public slots:
    void accept() override;

private:
    void ReadControls();
    void Refresh();

    CPoslSoprDlg& m_model;
    ImpedanceControls m_c;
    QComboBox* m_wire;
};

void RegisterImpedanceDialogs();
