// The scale dialog ("Выбор масштаба", CMasshtabDlg) over ScaleDialogModel:
// lower limit, step and upper limit of both axes.
#pragma once

#include "results/scaledialog.h"

#include <QDialog>

class NumericEdit;

class MasshtabDialog : public QDialog {
    Q_OBJECT
public:
    explicit MasshtabDialog(ScaleDialogModel& model, QWidget* parent = nullptr);

    // The fields: Y lower, Y step, Y upper, X lower, X step, X upper.
    NumericEdit* Field(int index) const { return m_fields[index]; }

public slots:
    void accept() override;

private:
    ScaleDialogModel& m_model;
    NumericEdit* m_fields[6];
};
