// The window of CBaseRestoreDlg: three choices and no way out without one
// (Esc and the close box are ignored).
#pragma once

#include <QDialog>

class CBaseRestoreDlg;
class QPushButton;

class BaseRestoreDialog : public QDialog {
    Q_OBJECT
public:
    BaseRestoreDialog(CBaseRestoreDlg& model, QWidget* parent = nullptr);

    QPushButton* KeepButton() const { return m_keep; }
    QPushButton* RestoreButton() const { return m_restore; }
    QPushButton* FindButton() const { return m_find; }

protected:
    void reject() override {}
    void closeEvent(QCloseEvent* event) override;

private:
    CBaseRestoreDlg& m_model;
    QPushButton* m_keep;
    QPushButton* m_restore;
    QPushButton* m_find;
};
