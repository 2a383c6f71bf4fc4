// The widget of the bypass's busbar-capacitance page (CObhMat).
#pragma once

#include "dialogs/obhmat.h"

#include <QWidget>

class ListStepper;
class PropertySheetDialog;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class ObhMatPage : public QWidget {
    Q_OBJECT
public:
    explicit ObhMatPage(CObhMat& model, QWidget* parent = nullptr);
    void AddTo(PropertySheetDialog& sheet);
    void Refresh();
    void ReadControls();

    QLineEdit* CequivEdit() const { return m_cequiv; }
    QCheckBox* MutualBox() const { return m_mutual; }
    QGroupBox* MatrixGroup() const { return m_group; }
    QComboBox* RowCombo() const { return m_row; }
    QComboBox* ColumnCombo() const { return m_column; }
    QLineEdit* CEdit() const { return m_c; }
    QPushButton* EnterButton() const { return m_enter; }
    QTableWidget* Matrix() const { return m_matrix; }

private:
    void ShowControls();

    CObhMat& m_model;
    QLineEdit* m_cequiv;
    QCheckBox* m_mutual;
    QGroupBox* m_group;
    QComboBox* m_row;
    QComboBox* m_column;
    ListStepper* m_rowStep;
    ListStepper* m_columnStep;
    QLineEdit* m_c;
    QPushButton* m_enter;
    QTableWidget* m_matrix;
    bool m_filling = true;
};
