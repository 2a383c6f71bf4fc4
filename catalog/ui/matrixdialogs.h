// The Qt dialogs of the influence-matrix editors: the order of a new matrix
// ("Формирование новой матрицы") and the matrix itself ("Матрицы влияния
// опоры") over the models CNewMatrixDlg and CMatrixDlg.
#pragma once

#include "catalog/matrixdlg.h"
#include "catalog/ui/itemeditordialog.h"

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

class NewMatrixDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewMatrixDialog(CNewMatrixDlg& model, QWidget* parent = nullptr);
    QSpinBox* OrderSpin() const { return m_order; }

public slots:
    void accept() override;

private:
    CNewMatrixDlg& m_model;
    QSpinBox* m_order;
};

class MatrixDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit MatrixDialog(CMatrixDlg& model, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    QSpinBox* RowCSpin() const { return m_rowC; }
    QSpinBox* ColCSpin() const { return m_colC; }
    QSpinBox* RowRSpin() const { return m_rowR; }
    QLineEdit* CEdit() const { return m_cValue; }
    QLineEdit* REdit() const { return m_rValue; }
    QPushButton* EnterCButton() const { return m_enterC; }
    QPushButton* EnterRButton() const { return m_enterR; }
    QTableWidget* CList() const { return m_listC; }
    QTableWidget* RList() const { return m_listR; }

protected:
    int ReadAndCheck() override;

private:
    void ReadControls();
    void ShowModel();

    CMatrixDlg& m_model;
    QLineEdit* m_name;
    QSpinBox* m_rowC;
    QSpinBox* m_colC;
    QSpinBox* m_rowR;
    QLineEdit* m_cValue;
    QLineEdit* m_rValue;
    QPushButton* m_enterC;
    QPushButton* m_enterR;
    QTableWidget* m_listC;
    QTableWidget* m_listR;
};
