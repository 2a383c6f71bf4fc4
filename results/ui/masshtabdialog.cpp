#include "results/ui/masshtabdialog.h"

#include "dialogs/ui/numericedit.h"
#include "dialogs/ui/uitext.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MasshtabDialog::MasshtabDialog(ScaleDialogModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("MasshtabDialog");
    setWindowTitle(U("Выбор масштаба"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(U("По вертикали")), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(U("По частоте")), 0, 2, Qt::AlignHCenter);
    const char* rows[] = {"Нижний предел", "Шаг", "Верхний предел"};
    float* values[6] = {&m_model.yLower, &m_model.yStepValue, &m_model.yUpper,
                        &m_model.xLower, &m_model.xStepValue, &m_model.xUpper};
    for (int i = 0; i < 6; ++i) {
        m_fields[i] = new NumericEdit;
        m_fields[i]->SetValue(*values[i]);
        grid->addWidget(m_fields[i], 1 + i % 3, 1 + i / 3);
    }
    for (int r = 0; r < 3; ++r)
        grid->addWidget(new QLabel(U(rows[r])), 1 + r, 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(U("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(U("Отменить"));
    connect(buttons, &QDialogButtonBox::accepted, this, &MasshtabDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MasshtabDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void MasshtabDialog::accept()
{
    // Read into a copy: a refusal leaves the model as it was.
    ScaleDialogModel read = m_model;
    float* values[6] = {&read.yLower, &read.yStepValue, &read.yUpper, &read.xLower, &read.xStepValue, &read.xUpper};
    for (int i = 0; i < 6; ++i)
        if (!m_fields[i]->ReadValue(*values[i]))
            return;
    if (!read.Validate())
        return;
    m_model = read;
    QDialog::accept();
}
