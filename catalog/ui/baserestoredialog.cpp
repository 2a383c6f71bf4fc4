#include "catalog/ui/baserestoredialog.h"

#include "catalog/baserestoredlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

BaseRestoreDialog::BaseRestoreDialog(CBaseRestoreDlg& model, QWidget* parent)
    : QDialog(parent), m_model(model)
{
    m_model.OnInitDialog();
    setObjectName("BaseRestoreDialog");
    setWindowTitle(QString::fromUtf8("Восстановление базы данных"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("Не найдена база данных")));
    auto* path = new QLineEdit(QString::fromStdString(m_model.m_strText));
    path->setObjectName("path");
    path->setReadOnly(true);
    path->setMinimumWidth(360);
    layout->addWidget(path);
    layout->addWidget(new QLabel(QString::fromUtf8("Что делать?")));
    m_keep = new QPushButton(QString::fromUtf8("Оставить текущую базу данных"));
    m_restore = new QPushButton(QString::fromUtf8("Восстановить базу данных по задаче"));
    m_find = new QPushButton(QString::fromUtf8("Найти базу самостоятельно"));
    m_keep->setObjectName("keep");
    m_restore->setObjectName("restore");
    m_find->setObjectName("find");
    m_keep->setEnabled(m_model.m_bKeepEnabled);
    m_keep->setDefault(m_model.m_bKeepEnabled);
    for (QPushButton* b : {m_keep, m_restore, m_find}) {
        b->setAutoDefault(false);
        layout->addWidget(b);
    }
    connect(m_keep, &QPushButton::clicked, this, [this] { m_model.OnOK(); accept(); });
    connect(m_restore, &QPushButton::clicked, this, [this] { m_model.OnRestore(); accept(); });
    connect(m_find, &QPushButton::clicked, this, [this] { m_model.OnFind(); accept(); });
}

void BaseRestoreDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
}
