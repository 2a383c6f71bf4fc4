#include "catalog/ui/povtordialog.h"

#include "catalog/povtordlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PovtorDialog::PovtorDialog(CPovtorDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    m_model.OnInitDialog();
    setObjectName("PovtorDialog");
    setWindowTitle(QString::fromUtf8(CPovtorDlg::kCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("Повторение наименования элемента базы данных")));
    auto* group = new QGroupBox(QString::fromStdString(m_model.m_strGroupText));
    group->setObjectName("group");
    auto* inGroup = new QVBoxLayout(group);
    m_name = new QLineEdit(QString::fromStdString(m_model.m_strEditName));
    m_name->setObjectName("name");
    inGroup->addWidget(m_name);
    layout->addWidget(group);
    for (const char* text : {"Вы можете либо заменить старый элемент новым,", "либо добавить элемент, изменив его тип,",
                             "либо пропустить элемент,", "либо отменить дополнение базы."})
        layout->addWidget(new QLabel(QString::fromUtf8(text)));
    auto* buttons = new QHBoxLayout;
    m_replace = new QPushButton(QString::fromUtf8("Заменить"));
    m_add = new QPushButton(QString::fromUtf8("Добавить"));
    m_skip = new QPushButton(QString::fromUtf8("Пропустить"));
    auto* cancel = new QPushButton(QString::fromUtf8("Отменить"));
    m_replace->setObjectName("replace");
    m_add->setObjectName("add");
    m_skip->setObjectName("skip");
    cancel->setObjectName("cancel");
    for (QPushButton* b : {m_replace, m_add, m_skip, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    m_replace->setDefault(true);
    layout->addLayout(buttons);

    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_model.OnChangeName(text.toStdString());
        UpdateButtons();
    });
    connect(m_replace, &QPushButton::clicked, this, [this] {
        m_model.OnOK();
        accept();
    });
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (m_model.OnAdd() == IDOK)
            accept();
    });
    connect(m_skip, &QPushButton::clicked, this, [this] {
        m_model.OnSkip();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &PovtorDialog::reject);
    UpdateButtons();
}

void PovtorDialog::UpdateButtons()
{
    m_replace->setEnabled(m_model.m_bReplaceEnabled);
    m_add->setEnabled(m_model.m_bAddEnabled);
}
