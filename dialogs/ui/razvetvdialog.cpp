#include "dialogs/ui/razvetvdialog.h"

#include "dialogs/ui/buttonrow.h"
#include "dialogs/ui/circuitboxes.h"
#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/uitext.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

RazvetvDialog::RazvetvDialog(CRazvetvDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("RazvetvDialog");
    setWindowTitle(U("Разветвление цепей"));
    m_model.OnInitDialog();
    m_name = new QLineEdit(U(m_model.m_strName));
    m_name->setReadOnly(!m_model.editing);
    auto* group = new QGroupBox(U("В первую ветвь уходят"));
    m_boxes = new CircuitBoxes(m_model.m_buttons, [this](int k) {
        m_model.ToggleLine(k);
        m_boxes->Show();
    });
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_boxes);
    m_ok = new QPushButton(U("OK"));
    m_ok->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(U("Название"), m_name);
    auto* buttons = ButtonRow({m_ok});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(group);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

void RazvetvDialog::accept()
{
    m_model.m_strName = S(m_name->text());
    if (m_model.OnOK())
        QDialog::accept();
}

void RegisterRazvetvDialog()
{
    RegisterModalDialog<RazvetvDialog, CRazvetvDlg>();
}
