#include "catalog/ui/provrazndialog.h"

#include "catalog/provrazndlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ProvRaznDialog::ProvRaznDialog(CProvRaznDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    m_model.OnInitDialog();
    setObjectName("ProvRaznDialog");
    setWindowTitle(QString::fromUtf8("Проверка базы данных"));
    auto* layout = new QVBoxLayout(this);
    auto* item = new QLabel(QString::fromStdString(m_model.m_strText));
    item->setObjectName("item");
    item->setAlignment(Qt::AlignCenter);
    layout->addWidget(item);
    auto* fixed = new QLabel(QString::fromUtf8("в задаче и базе данных имеет разные свойства"));
    fixed->setAlignment(Qt::AlignCenter);
    layout->addWidget(fixed);
    auto* buttons = new QGridLayout;
    auto add = [&](const char* text, const char* name, int row, int column) {
        auto* b = new QPushButton(QString::fromUtf8(text));
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b, row, column);
        return b;
    };
    QPushButton* task = add("Изменить в задаче", "changeTask", 0, 0);
    QPushButton* base = add("Изменить в базе", "changeBase", 0, 1);
    QPushButton* skip = add("Пропустить", "skip", 1, 0);
    QPushButton* cancel = add("Отменить проверку", "cancelCheck", 1, 1);
    task->setDefault(true);
    layout->addLayout(buttons);
    connect(task, &QPushButton::clicked, this, [this] { m_model.OnOK(); accept(); });
    connect(base, &QPushButton::clicked, this, [this] { m_model.OnChangeBase(); accept(); });
    connect(skip, &QPushButton::clicked, this, [this] { m_model.OnSkip(); accept(); });
    connect(cancel, &QPushButton::clicked, this, &ProvRaznDialog::reject);
}

void ProvRaznDialog::reject()
{
    m_model.OnCancel();
    QDialog::reject();
}
