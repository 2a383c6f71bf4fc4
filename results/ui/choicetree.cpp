#include "results/ui/choicetree.h"

ChoiceTree::ChoiceTree(QWidget* parent) : QTreeWidget(parent)
{
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { emit Chosen(item); });
    // Only a key moves the choice this way: the mouse chooses by its click,
    // and filling the tree or focusing it chooses nothing.
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (m_byKey && current)
            emit Chosen(current);
    });
}

void ChoiceTree::keyPressEvent(QKeyEvent* event)
{
    m_byKey = true;
    QTreeWidget::keyPressEvent(event);
    m_byKey = false;
}
