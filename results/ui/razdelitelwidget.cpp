#include "results/ui/razdelitelwidget.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

RazdelitelDialog::RazdelitelDialog(CRazdelitelDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("RazdelitelDialog");
    setWindowTitle(QString::fromUtf8("Выбор разделителя"));
    auto* label = new QLabel(QString::fromUtf8("Выберите десятичный разделитель, как это\nустановлено в Вашем Windows"));
    m_point = new QRadioButton(QString::fromUtf8("Точка"));
    m_comma = new QRadioButton(QString::fromUtf8("Запятая"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &RazdelitelDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RazdelitelDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_point);
    layout->addWidget(m_comma);
    layout->addWidget(buttons);

    m_model.OnInitDialog();
    m_point->setChecked(m_model.separatorRadio == 0);
    m_comma->setChecked(m_model.separatorRadio == 1);
}

void RazdelitelDialog::accept()
{
    m_model.separatorRadio = m_comma->isChecked() ? 1 : m_point->isChecked() ? 0 : -1;
    m_model.OnOK();
    QDialog::accept();
}
