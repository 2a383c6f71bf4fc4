// The separator dialog of the Excel copy ("Выбор разделителя") over the model
// CRazdelitelDlg.
#pragma once

#include "results/razdelitel.h"

#include <QDialog>

class QRadioButton;

class RazdelitelDialog : public QDialog {
    Q_OBJECT
public:
    explicit RazdelitelDialog(CRazdelitelDlg& model, QWidget* parent = nullptr);

    QRadioButton* PointRadio() const { return m_point; }
    QRadioButton* CommaRadio() const { return m_comma; }

public slots:
    void accept() override;

private:
    CRazdelitelDlg& m_model;
    QRadioButton* m_point;
    QRadioButton* m_comma;
};
