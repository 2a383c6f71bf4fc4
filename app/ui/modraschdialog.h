// The window of the modal-parameter dialog "Расчет модальных параметров" over
// its model CModRaschDlg.
#pragma once

#include "app/modraschdlg.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class ModRaschDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModRaschDialog(CModRaschDlg& model, QWidget* parent = nullptr);

    QLineEdit* FreqEdit() const { return m_freq; }
    QPushButton* CalcButton() const { return m_calc; }
    QLabel* DoneLabel() const { return m_done; }
    QLabel* CaptionLabel() const { return m_caption; }
    QCheckBox* RegenerateCheck() const { return m_regen; }

private:
    void ShowModel();

    CModRaschDlg& m_model;
    QLabel* m_caption = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_kind = nullptr;
    QLineEdit* m_freq = nullptr;
    QCheckBox* m_regen = nullptr;
    QLabel* m_done = nullptr;
    QPushButton* m_calc = nullptr;
};

