#include "catalog/ui/catalogtreewidget.h"

#include "catalog/catalogtree.h"

#include <QHeaderView>
#include <QSet>

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

QString PathOf(QTreeWidgetItem* item)
{
    QString path;
    for (; item; item = item->parent())
        path = item->text(0) + "/" + path;
    return path;
}

} // namespace

CatalogTreeWidget::CatalogTreeWidget(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSortingEnabled(false);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void CatalogTreeWidget::Show(const CatalogTree& tree, int select, int show)
{
    QSet<QString> expanded;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if ((*it)->isExpanded())
            expanded.insert(PathOf(*it));
    const QSignalBlocker block(this);
    clear();
    std::function<void(int, QTreeWidgetItem*)> add = [&](int node, QTreeWidgetItem* parent) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, QString::fromStdString(tree.At(node).text));
        item->setData(0, kNodeRole, node);
        for (int child : tree.At(node).children)
            add(child, item);
        if (expanded.contains(PathOf(item)))
            item->setExpanded(true);
    };
    for (int root : tree.Children(-1))
        add(root, nullptr);
    if (QTreeWidgetItem* shown = ItemOf(show)) {
        for (QTreeWidgetItem* p = shown->parent(); p; p = p->parent())
            p->setExpanded(true);
        scrollToItem(shown);
    }
    QTreeWidgetItem* selected = ItemOf(select);
    setCurrentItem(selected);
    if (!selected)
        clearSelection();
}

int CatalogTreeWidget::NodeOf(QTreeWidgetItem* item) const
{
    return item ? item->data(0, kNodeRole).toInt() : -1;
}

QTreeWidgetItem* CatalogTreeWidget::ItemOf(int node) const
{
    if (node < 0)
        return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<CatalogTreeWidget*>(this)); *it; ++it)
        if (NodeOf(*it) == node)
            return *it;
    return nullptr;
}

QPoint CatalogTreeWidget::MenuPoint(int node, int menuWidth) const
{
    QTreeWidgetItem* item = ItemOf(node);
    if (!item)
        return viewport()->mapToGlobal(QPoint(0, 0));
    const QRect r = visualItemRect(item);
    const int textWidth = fontMetrics().horizontalAdvance(item->text(0));
    const int centre = r.left() + std::min(textWidth, r.width()) / 2;
    return viewport()->mapToGlobal(QPoint(centre - menuWidth / 2, r.center().y()));
}
