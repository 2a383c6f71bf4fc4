#include "catalog/ui/basedopolndialog.h"

#include "catalog/basedopolndlg.h"
#include "catalog/ui/catalogtreewidget.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

BaseDopolnDialog::BaseDopolnDialog(CBaseDopolnDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    m_model.OnInitDialog();
    setObjectName("BaseDopolnDialog");
    setWindowTitle(QString::fromUtf8("Дополнение базы данных"));
    auto* layout = new QVBoxLayout(this);
    auto* path = new QLineEdit(QString::fromStdString(m_model.m_strPathText));
    path->setObjectName("path");
    path->setReadOnly(true);
    layout->addWidget(path);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromUtf8("Дополнительная база")), 0, 0);
    grid->addWidget(new QLabel(QString::fromUtf8("Выбрано для дополнения")), 0, 1);
    m_base = new CatalogTreeWidget;
    m_selection = new CatalogTreeWidget;
    m_base->setObjectName("baseTree");
    m_selection->setObjectName("selectionTree");
    for (CatalogTreeWidget* t : {m_base, m_selection})
        t->setMinimumSize(300, 340);
    grid->addWidget(m_base, 1, 0);
    grid->addWidget(m_selection, 1, 1);
    layout->addLayout(grid, 1);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QString::fromUtf8("OK"), QDialogButtonBox::AcceptRole)->setObjectName("ok");
    buttons->addButton(QString::fromUtf8("Отменить"), QDialogButtonBox::RejectRole)->setObjectName("cancel");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &BaseDopolnDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BaseDopolnDialog::reject);

    connect(m_base, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { m_model.OnSelChangedBase(m_base->NodeOf(item)); });
    connect(m_selection, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { m_model.OnSelChangedSelection(m_selection->NodeOf(item)); });
    // A double click on an item moves it; on a section the tree opens or
    // closes it (rebuilding the trees then would undo that).
    connect(m_base, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (m_model.OnDblClkBase(m_base->NodeOf(item)))
            ShowTrees();
    });
    connect(m_selection, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (m_model.OnDblClkSelection(m_selection->NodeOf(item)))
            ShowTrees();
    });
    connect(m_base, &QWidget::customContextMenuRequested, this, [this] { OnContextMenu(true); });
    connect(m_selection, &QWidget::customContextMenuRequested, this, [this] { OnContextMenu(false); });
    ShowTrees();
}

void BaseDopolnDialog::ShowTrees()
{
    m_base->Show(m_model.m_treeBase, m_model.m_nBaseSelected, m_model.m_nBaseVisible);
    m_selection->Show(m_model.m_treeSelection, m_model.m_nSelSelected, m_model.m_nSelVisible);
}

QMenu* BaseDopolnDialog::BuildMenu(bool baseTree)
{
    const auto entries = baseTree ? m_model.BaseMenu() : m_model.SelectionMenu();
    if (entries.empty())
        return nullptr;
    auto* menu = new QMenu(this);
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

void BaseDopolnDialog::OnContextMenu(bool baseTree)
{
    // The menu acts on the node selected in that tree, not the one under the mouse.
    QMenu* menu = BuildMenu(baseTree);
    if (!menu)
        return;
    CatalogTreeWidget* tree = baseTree ? m_base : m_selection;
    const int node = baseTree ? m_model.m_nBaseSelected : m_model.m_nSelSelected;
    QAction* chosen = menu->exec(tree->MenuPoint(node, menu->sizeHint().width()));
    const int id = chosen ? chosen->data().toInt() : 0;
    menu->deleteLater();
    if (id != 0)
        Command(id);
}

void BaseDopolnDialog::Command(int id)
{
    m_model.OnCommand(id);
    ShowTrees();
}

void BaseDopolnDialog::accept()
{
    m_model.OnOK();
    QDialog::accept();
}
