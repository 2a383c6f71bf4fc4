// The window of CNagruzDlg ("Концевая нагрузка").
#pragma once

#include "dialogs/nagruzdlg.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

class NagruzDialog : public QDialog {
    Q_OBJECT
public:
    explicit NagruzDialog(CNagruzDlg& model, QWidget* parent = nullptr);

    QSpinBox* WireSpin() const { return m_wire; }
    QLineEdit* ValueEdit() const { return m_value; }
    QTableWidget* List() const { return m_list; }
    QPushButton* EnterButton() const { return m_enter; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* PhasingButton() const { return m_phasing; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    void accept() override;

private:
    void ShowModel();
    void ShowRows();

    CNagruzDlg& m_model;
    QLineEdit* m_name;
    QSpinBox* m_wire;
    QLineEdit* m_value;
    QTableWidget* m_list;
    QPushButton* m_enter;
    QPushButton* m_delete;
    QPushButton* m_phasing;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

void RegisterNagruzDialog();
