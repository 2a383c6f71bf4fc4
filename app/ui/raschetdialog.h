// The window of the calculation dialog "Расчет параметров тракта" over its
// model CRaschetDlg: the widgets show the model and hand every change to it.
#pragma once

#include "app/raschetdlg.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;

class RaschetDialog : public QDialog {
    Q_OBJECT
public:
    explicit RaschetDialog(CRaschetDlg& model, QWidget* parent = nullptr);

    QRadioButton* ModeRadio(int mode) const { return m_mode[mode]; }
    QRadioButton* FreqModeRadio(int mode) const { return m_freqMode[mode]; }
    QComboBox* Combo(int side, int which) const { return m_combo[side][which]; }
    QToolButton* Arrow(int side, int which, bool up) const { return m_arrow[side][which][up ? 0 : 1]; }
    QLineEdit* FreqEdit() const { return m_freq; }
    QLineEdit* StartEdit() const { return m_start; }
    QLineEdit* EndEdit() const { return m_end; }
    QLineEdit* StepEdit() const { return m_step; }
    QLineEdit* ResistanceEdit() const { return m_resistance; }
    QCheckBox* RegenerateCheck() const { return m_regen; }
    QLabel* StatusLabel() const { return m_status; }
    QProgressBar* Progress() const { return m_progress; }
    QPushButton* CalcButton() const { return m_calc; }
    QPushButton* ReturnButton() const { return m_return; }

private:
    void ShowModel();
    void OnEdited();
    void OnCalc();

    CRaschetDlg& m_model;
    QRadioButton* m_mode[4] = {};
    QRadioButton* m_freqMode[2] = {};
    QComboBox* m_combo[2][2] = {};
    QToolButton* m_arrow[2][2][2] = {};  // [side][which][up, down]
    QLabel* m_secondLabel = nullptr;
    QLineEdit* m_resistance = nullptr;
    QLabel* m_freqLabel = nullptr;
    QLineEdit* m_freq = nullptr;
    QLabel* m_rangeLabels[3] = {};
    QLineEdit* m_start = nullptr;
    QLineEdit* m_end = nullptr;
    QLineEdit* m_step = nullptr;
    QCheckBox* m_regen = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_calc = nullptr;
    QPushButton* m_return = nullptr;
    bool m_showing = false;
};

// Registers both windows as the runners of their models.
void RegisterCalcDialogs();
