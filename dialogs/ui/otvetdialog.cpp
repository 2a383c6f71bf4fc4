#include "dialogs/ui/otvetdialog.h"

#include "dialogs/ui/buttonrow.h"
#include "dialogs/ui/circuitboxes.h"
#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/uitext.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

OtvetDialog::OtvetDialog(COtvetDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("OtvetDialog");
    m_model.OnInitDialog();
    setWindowTitle(U(m_model.caption));

    m_name = new QLineEdit(U(m_model.m_strName));
    m_name->setReadOnly(!m_model.editing);
    m_kindGroup = new QGroupBox(U("Вид обхода"));
    m_kinds[0] = new QRadioButton(U("Обход промежуточной подстанции  "));
    m_kinds[1] = new QRadioButton(U("Обход в поле"));
    m_kinds[2] = new QRadioButton(U("Обход кабельной вставки"));
    auto* kindLayout = new QVBoxLayout(m_kindGroup);
    for (QRadioButton* r : m_kinds)
        kindLayout->addWidget(r);
    m_choiceGroup = new QGroupBox(U("Данный элемент имеет место"));
    m_all = new QRadioButton(U("Во всех цепях"));
    m_selected = new QRadioButton(U("Выборочно"));
    m_boxes = new CircuitBoxes(m_model.m_buttons, [this](int k) {
        m_model.ToggleLine(k);
        ShowModel();
    });
    auto* radios = new QHBoxLayout;
    radios->addWidget(m_all);
    radios->addWidget(m_selected);
    radios->addStretch();
    auto* choiceLayout = new QVBoxLayout(m_choiceGroup);
    choiceLayout->addLayout(radios);
    choiceLayout->addWidget(m_boxes);
    m_ok = new QPushButton(U("OK"));
    m_ok->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(U("Название"), m_name);
    auto* buttons = ButtonRow({m_ok});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_kindGroup);
    layout->addWidget(m_choiceGroup);
    layout->addLayout(buttons);

    m_kindGroup->setVisible(m_model.kindShown);
    m_choiceGroup->setVisible(m_model.choiceShown);
    ShowModel();

    connect(m_all, &QRadioButton::clicked, this, [this] {
        m_model.OnAllCircuits();
        ShowModel();
    });
    connect(m_selected, &QRadioButton::clicked, this, [this] {
        m_model.OnSelectedCircuits();
        ShowModel();
    });
    connect(m_kinds[0], &QRadioButton::clicked, this, [this] {
        m_model.m_nBypassKind = 0;
        m_model.OnKindSubstation();
        ShowModel();
    });
    connect(m_kinds[1], &QRadioButton::clicked, this, [this] {
        m_model.OnKindField();
        ShowModel();
    });
    connect(m_kinds[2], &QRadioButton::clicked, this, [this] {
        m_model.OnKindCableInsert();
        ShowModel();
    });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

void OtvetDialog::ShowModel()
{
    const QSignalBlocker b1(m_all), b2(m_selected), b3(m_kinds[0]), b4(m_kinds[1]), b5(m_kinds[2]);
    m_all->setChecked(m_model.m_nSelective == 0);
    m_selected->setChecked(m_model.m_nSelective == 1);
    m_all->setEnabled(m_model.allEnabled);
    m_selected->setEnabled(m_model.selectedEnabled);
    for (int k = 0; k < 3; ++k) {
        m_kinds[k]->setChecked(m_model.m_nBypassKind == k);
        // Outside editing mode only the current kind reads as a choice.
        m_kinds[k]->setEnabled((m_model.editing || m_model.m_nBypassKind == k) && (k != 1 || m_model.fieldEnabled));
    }
    m_boxes->Show();
}

void OtvetDialog::accept()
{
    m_model.m_strName = S(m_name->text());
    if (m_model.OnOK())
        QDialog::accept();
}

void RegisterOtvetDialog()
{
    RegisterModalDialog<OtvetDialog, COtvetDlg>();
}
