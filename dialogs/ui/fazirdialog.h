// The window of CFazirDlg ("Фазировка проводов").
#pragma once

#include "dialogs/fazirdlg.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class FazirDialog : public QDialog {
    Q_OBJECT
public:
    explicit FazirDialog(CFazirDlg& model, QWidget* parent = nullptr);

    QComboBox* WireCombo() const { return m_wire; }
    QComboBox* PhaseCombo() const { return m_phase; }
    QTableWidget* List() const { return m_list; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    void ShowChoice();
    void ShowRows();

    CFazirDlg& m_model;
    QLabel* m_place;
    QLabel* m_element;
    QComboBox* m_wire;
    QComboBox* m_phase;
    QTableWidget* m_list;
    QPushButton* m_ok;
};

void RegisterFazirDialog();
