#include "dialogs/ui/nagrotvdialog.h"

#include "dialogs/ui/buttonrow.h"
#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/uitext.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

NagrOtvDialog::NagrOtvDialog(CNagrOtvDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("NagrOtvDialog");
    setWindowTitle(U("Нагрузка на конце ответвления"));
    m_model.OnInitDialog();
    m_name = new QLineEdit(U(m_model.name));
    m_name->setReadOnly(!m_model.editing);
    const char* texts[] = {"Заземлено", "Изолировано", "Нагружено на эквивалентную емкость"};
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(U("Название"), m_name);
    layout->addLayout(form);
    for (int k = 0; k < 3; ++k) {
        m_modes[k] = new QRadioButton(U(texts[k]));
        layout->addWidget(m_modes[k]);
        connect(m_modes[k], &QRadioButton::clicked, this, [this, k] {
            m_model.OnMode(k);
            ShowModel();
        });
    }
    m_capacitanceLabel = new QLabel(U("Сэкв, пФ"));
    m_capacitance = new QLineEdit(U(m_model.capacitanceText));
    m_capacitance->setReadOnly(!m_model.editing);
    auto* cap = new QHBoxLayout;
    cap->addSpacing(20);
    cap->addWidget(m_capacitanceLabel);
    cap->addWidget(m_capacitance);
    layout->addLayout(cap);
    m_ok = new QPushButton(U("OK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(U("Отменить"));
    m_cancel->setVisible(m_model.editing);
    auto* buttons = ButtonRow({m_ok, m_cancel});
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    ShowModel();
}

void NagrOtvDialog::ShowModel()
{
    for (int k = 0; k < 3; ++k) {
        m_modes[k]->setChecked(m_model.modeChoice == k);
        m_modes[k]->setEnabled(m_model.RadioEnabled(k));
    }
    m_capacitanceLabel->setEnabled(m_model.CapacitanceEnabled());
    m_capacitance->setEnabled(m_model.CapacitanceEnabled());
}

void NagrOtvDialog::accept()
{
    m_model.name = S(m_name->text());
    m_model.capacitanceText = S(m_capacitance->text());
    const int answer = m_model.OnOK();
    if (answer == IDOK)
        QDialog::accept();
    else if (answer == IDCANCEL)
        QDialog::reject();
}

void RegisterNagrOtvDialog()
{
    RegisterModalDialog<NagrOtvDialog, CNagrOtvDlg>();
}
