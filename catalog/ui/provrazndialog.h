// The window of CProvRaznDlg: the differing item and four answers; closing
// the window cancels the check.
#pragma once

#include <QDialog>

class CProvRaznDlg;
class QPushButton;

class ProvRaznDialog : public QDialog {
    Q_OBJECT
public:
    ProvRaznDialog(CProvRaznDlg& model, QWidget* parent = nullptr);

protected:
    void reject() override;

private:
    CProvRaznDlg& m_model;
};
