#include "dialogs/ui/rowlist.h"

#include <QHeaderView>
#include <QTableWidget>

QTableWidget* NewRowList(int rows, int columns)
{
    auto* list = new QTableWidget(rows, columns);
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}
