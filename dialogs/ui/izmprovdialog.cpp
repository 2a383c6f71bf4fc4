#include "dialogs/ui/izmprovdialog.h"

#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/uitext.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

IzmProvDialog::IzmProvDialog(CIzmProvDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("IzmProvDialog");
    setWindowTitle(U("Изменение числа проводов"));
    m_currentLabel = new QLabel;
    m_newLabel = new QLabel;
    m_elementText = new QLabel;
    m_currentCircuits = new QLineEdit;
    m_currentGround = new QLineEdit;
    m_newCircuits = new QSpinBox;
    m_newGround = new QSpinBox;
    m_newGroundLabel = new QLabel(U("тросов (экранов)"));
    for (QLineEdit* e : {m_currentCircuits, m_currentGround}) {
        e->setReadOnly(true);
        e->setMaximumWidth(60);
    }
    for (QSpinBox* s : {m_newCircuits, m_newGround})
        s->findChild<QLineEdit*>()->setReadOnly(true);  // changed only through the arrows
    m_phasing = new QPushButton(U("Фазировка"));
    m_ok = new QPushButton;
    m_ok->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(m_currentLabel, 0, 0);
    grid->addWidget(m_currentCircuits, 0, 1);
    grid->addWidget(new QLabel(U("тросов (экранов)")), 0, 2);
    grid->addWidget(m_currentGround, 0, 3);
    grid->addWidget(m_newLabel, 1, 0);
    grid->addWidget(m_newCircuits, 1, 1);
    grid->addWidget(m_newGroundLabel, 1, 2);
    grid->addWidget(m_newGround, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_elementText);
    buttons->addStretch();
    buttons->addWidget(m_phasing);
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    m_model.OnInitDialog();
    ShowModel();

    for (QSpinBox* spin : {m_newCircuits, m_newGround})
        connect(spin, &QSpinBox::valueChanged, this, [this] {
            m_model.shownNewCircuits = std::uint8_t(m_newCircuits->value());
            m_model.shownNewGround = std::uint8_t(m_newGround->value());
            m_model.OnCountChanged();
            ShowModel();
        });
    connect(m_phasing, &QPushButton::clicked, this, [this] { m_model.OnPhasing(); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

void IzmProvDialog::ShowModel()
{
    const QSignalBlocker b1(m_newCircuits), b2(m_newGround);
    m_currentLabel->setText(U(m_model.currentLabel));
    m_newLabel->setText(U(m_model.newLabel));
    m_elementText->setText(U(m_model.elementText));
    m_currentCircuits->setText(QString::number(m_model.shownCurrentCircuits));
    m_currentGround->setText(QString::number(m_model.shownCurrentGround));
    m_newCircuits->setRange(m_model.circuitMin, m_model.circuitMax);
    m_newCircuits->setValue(m_model.shownNewCircuits);
    m_newCircuits->setEnabled(m_model.circuitSpinEnabled);
    m_newGround->setRange(m_model.groundMin, m_model.groundMax);
    m_newGround->setValue(m_model.shownNewGround);
    m_newGround->setEnabled(m_model.groundSpinEnabled);
    // Without its spin (the task completion) the new ground-wire count is
    // still shown: it follows the circuits chosen.
    m_newGround->setButtonSymbols(m_model.groundSpinShown ? QAbstractSpinBox::UpDownArrows
                                                          : QAbstractSpinBox::NoButtons);
    m_newGround->setReadOnly(!m_model.groundSpinShown);
    m_newGround->findChild<QLineEdit*>()->setReadOnly(true);  // the spin's own setting clears it
    m_phasing->setEnabled(m_model.phasingEnabled);
    m_ok->setText(U(m_model.okText));
}

void IzmProvDialog::accept()
{
    if (m_model.OnOK())
        QDialog::accept();
}

void RegisterIzmProvDialog()
{
    RegisterModalDialog<IzmProvDialog, CIzmProvDlg>();
}
