// The window of CRazvetvDlg ("Разветвление цепей").  It has no Cancel button.
#pragma once

#include "dialogs/razvetvdlg.h"

#include <QDialog>

class CircuitBoxes;
class QLineEdit;
class QPushButton;

class RazvetvDialog : public QDialog {
    Q_OBJECT
public:
    explicit RazvetvDialog(CRazvetvDlg& model, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    CircuitBoxes* Boxes() const { return m_boxes; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    CRazvetvDlg& m_model;
    QLineEdit* m_name;
    CircuitBoxes* m_boxes;
    QPushButton* m_ok;
};

void RegisterRazvetvDialog();
