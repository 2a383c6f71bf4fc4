#include "dialogs/ui/buttonrow.h"

#include <QHBoxLayout>
#include <QWidget>

QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* b : buttons)
        row->addWidget(b);
    return row;
}
