// The Qt dialogs of the task's base data ("Базовые данные задачи") over the
// models CZadachaDlg and CZadachaDopDlg.
#pragma once

#include "dialogs/zadachadlg.h"
#include "dialogs/zadachadopdlg.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

class ZadachaDialog : public QDialog {
    Q_OBJECT
public:
    explicit ZadachaDialog(CZadachaDlg& model, QWidget* parent = nullptr);

    QLineEdit* TitleEdit() const { return m_title; }
    QRadioButton* AcRadio() const { return m_ac; }
    QRadioButton* DcRadio() const { return m_dc; }
    QSpinBox* CircuitsSpin() const { return m_circuits; }
    QSpinBox* GroundSpin() const { return m_ground; }
    QComboBox* PathCombo() const { return m_path; }

public slots:
    void accept() override;

private:
    void ShowModel();
    void ReadControls();

    CZadachaDlg& m_model;
    QLineEdit* m_title;
    QRadioButton* m_ac;
    QRadioButton* m_dc;
    QLabel* m_countLabel;
    QSpinBox* m_circuits;
    QSpinBox* m_ground;
    QLabel* m_pathLabel;
    QComboBox* m_path;
};

class ZadachaDopDialog : public QDialog {
    Q_OBJECT
public:
    explicit ZadachaDopDialog(CZadachaDopDlg& model, QWidget* parent = nullptr);

    QRadioButton* AcRadio() const { return m_ac; }
    QRadioButton* DcRadio() const { return m_dc; }
    QSpinBox* CircuitsSpin() const { return m_circuits; }
    QLineEdit* GroundEdit() const { return m_ground; }

public slots:
    void accept() override;

private:
    void ShowModel();

    CZadachaDopDlg& m_model;
    QLineEdit* m_title;
    QRadioButton* m_ac;
    QRadioButton* m_dc;
    QLabel* m_countLabel;
    QSpinBox* m_circuits;
    QLineEdit* m_ground;
};

// Registers both dialogs as the runners of their models.
void RegisterTaskDialogs();
