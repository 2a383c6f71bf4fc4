// The window of page "Неоднородности" of the overhead line sheet.
#pragma once

#include <QWidget>

class CVLPage3;
class NumericEdit;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class VLPage3Widget : public QWidget {
    Q_OBJECT
public:
    explicit VLPage3Widget(CVLPage3& model, QWidget* parent = nullptr);

    void Show();
    // Controls into the model; a field without a number marks them invalid.
    void Read();

    QRadioButton* ModeRadio(int mode) const { return m_mode[mode]; }
    QComboBox* MatrixCombo() const { return m_matrix; }
    NumericEdit* MeanSpanEdit() const { return m_meanSpan; }
    QLineEdit* CountEdit() const { return m_count; }
    QLabel* CountLabel() const { return m_countLabel; }
    QCheckBox* RegenCheck() const { return m_regen; }

private:
    void FillMatrices();
    void ShowStates();

    CVLPage3& m_model;
    QRadioButton* m_mode[4];
    QGroupBox* m_matrixGroup;
    QComboBox* m_matrix;
    QPushButton* m_newMatrix;
    QPushButton* m_matrixParams;
    QLabel* m_meanSpanLabel;
    NumericEdit* m_meanSpan;
    QLabel* m_countLabel;
    QLineEdit* m_count;
    QLabel* m_deviationLabel;
    NumericEdit* m_deviation;
    QCheckBox* m_regen;
};
