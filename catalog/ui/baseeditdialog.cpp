#include "catalog/ui/baseeditdialog.h"

#include "catalog/baseeditdlg.h"
#include "catalog/ui/catalogtreewidget.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

BaseEditDialog::BaseEditDialog(CBaseEditDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    m_model.OnInitDialog();
    setObjectName("BaseEditDialog");
    setWindowTitle(QString::fromStdString(m_model.Caption()));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* label = new QLabel(QString::fromStdString(m_model.m_strBaseLabel));
    label->setObjectName("baseLabel");
    auto* path = new QLineEdit(QString::fromStdString(m_model.m_strPathText));
    path->setObjectName("path");
    path->setReadOnly(true);
    top->addWidget(label);
    top->addWidget(path, 1);
    layout->addLayout(top);
    m_tree = new CatalogTreeWidget;
    m_tree->setObjectName("tree");
    m_tree->setMinimumSize(380, 360);
    layout->addWidget(m_tree, 1);
    auto* buttons = new QHBoxLayout;
    m_ok = new QPushButton(QString::fromStdString(m_model.OkText()));
    m_cancel = new QPushButton(QString::fromUtf8("Отменить"));
    m_apply = new QPushButton(QString::fromUtf8("Применить"));
    m_ok->setObjectName("ok");
    m_cancel->setObjectName("cancel");
    m_apply->setObjectName("apply");
    m_ok->setDefault(true);
    buttons->addStretch();
    for (QPushButton* b : {m_ok, m_cancel, m_apply})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    m_apply->setVisible(m_model.ApplyShown());

    connect(m_ok, &QPushButton::clicked, this, &BaseEditDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &BaseEditDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, [this] {
        m_model.OnApply();
        UpdateButtons();
    });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        m_model.OnSelChangedTree(m_tree->NodeOf(item));
        UpdateButtons();
    });
    // A double click on an item is "Параметры"; on a section or group the
    // tree opens or closes it (rebuilding the tree then would undo that).
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (m_model.OnDblClkTree(m_tree->NodeOf(item)))
            ShowTree();
        UpdateButtons();
    });
    connect(m_tree, &QWidget::customContextMenuRequested, this, &BaseEditDialog::OnContextMenu);
    ShowTree();
    UpdateButtons();
}

void BaseEditDialog::ShowTree()
{
    m_tree->Show(m_model.m_tree, m_model.m_nSelected, m_model.m_nVisible);
}

void BaseEditDialog::UpdateButtons()
{
    m_ok->setEnabled(m_model.m_bOkEnabled);
    m_apply->setEnabled(m_model.m_bApplyEnabled);
}

QMenu* BaseEditDialog::BuildMenu(int node)
{
    const auto entries = m_model.OnRClickTree(node);
    if (entries.empty())
        return nullptr;
    auto* menu = new QMenu(this);
    menu->setObjectName("contextMenu");
    for (const auto& e : entries) {
        if (e.separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromStdString(e.text));
        action->setEnabled(e.enabled);
        action->setData(e.id);
    }
    return menu;
}

void BaseEditDialog::OnContextMenu(const QPoint& pos)
{
    int node = m_tree->NodeOf(m_tree->itemAt(pos));
    if (node < 0)
        node = m_tree->SelectedNode();
    QMenu* menu = BuildMenu(node);
    if (!menu)
        return;
    {
        const QSignalBlocker block(m_tree);
        m_tree->setCurrentItem(m_tree->ItemOf(node));
    }
    UpdateButtons();
    QAction* chosen = menu->exec(m_tree->MenuPoint(node, menu->sizeHint().width()));
    const int id = chosen ? chosen->data().toInt() : 0;
    menu->deleteLater();
    if (id != 0)
        Command(id);
}

void BaseEditDialog::Command(int id)
{
    if (id == CBaseEditDlg::kCmdChoose) {
        accept();
        return;
    }
    const int revision = m_model.m_nTreeRevision;
    const bool supplement = id == CBaseEditDlg::kCmdSupplement;
    m_model.OnCommand(id);
    if (supplement && revision != m_model.m_nTreeRevision)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    ShowTree();
    if (supplement && revision != m_model.m_nTreeRevision)
        QApplication::restoreOverrideCursor();
    UpdateButtons();
}

void BaseEditDialog::accept()
{
    if (m_model.ChooseMode() && !m_model.OnOK())
        return;
    QDialog::accept();
}
