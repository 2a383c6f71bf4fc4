// The window of the cable line dialog (CKLineDlg): "Название", the shared
// cable panel with the cable number, "OK" and "Отменить".
#pragma once

#include "dialogs/klinedlg.h"

#include <QDialog>

class CableLayoutPanel;
class QLineEdit;
class QPushButton;

class KLineDialog : public QDialog {
    Q_OBJECT
public:
    explicit KLineDialog(CKLineDlg& model, QWidget* parent = nullptr);
    CableLayoutPanel* Panel() const { return m_panel; }
    QLineEdit* NameEdit() const { return m_name; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    void accept() override;

private:
    CKLineDlg& m_model;
    QLineEdit* m_name;
    CableLayoutPanel* m_panel;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

// Installs the window as the runner of CKLineDlg.
void RegisterCableLineDialog();
