// Shows a CatalogTree in a QTreeWidget in the tree's own order (Qt's sorting
// stays off: the order is the catalog's name order) and maps items back to
// node ids.  Shared by the catalog editor and the supplement window.
#pragma once

#include <QTreeWidget>

class CatalogTree;

class CatalogTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    explicit CatalogTreeWidget(QWidget* parent = nullptr);

    // Rebuilds every item from tree; selects and shows the node select
    // (-1: none) and scrolls to the node show (-1: none).  Expansion of the
    // nodes that were open is kept by their node's text path.
    void Show(const CatalogTree& tree, int select, int show);
    int NodeOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* ItemOf(int node) const;
    int SelectedNode() const { return NodeOf(currentItem()); }
    // Where a node's context menu opens: horizontally centred on its text.
    QPoint MenuPoint(int node, int menuWidth) const;
};
