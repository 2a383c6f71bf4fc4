// The window of CIzmProvDlg ("Изменение числа проводов").
#pragma once

#include "dialogs/izmprovdlg.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class IzmProvDialog : public QDialog {
    Q_OBJECT
public:
    explicit IzmProvDialog(CIzmProvDlg& model, QWidget* parent = nullptr);

    QSpinBox* CircuitSpin() const { return m_newCircuits; }
    QSpinBox* GroundSpin() const { return m_newGround; }
    QPushButton* PhasingButton() const { return m_phasing; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    void ShowModel();

    CIzmProvDlg& m_model;
    QLabel* m_currentLabel;
    QLabel* m_newLabel;
    QLabel* m_elementText;
    QLineEdit* m_currentCircuits;
    QLineEdit* m_currentGround;
    QSpinBox* m_newCircuits;
    QSpinBox* m_newGround;
    QLabel* m_newGroundLabel;
    QPushButton* m_phasing;
    QPushButton* m_ok;
};

void RegisterIzmProvDialog();
