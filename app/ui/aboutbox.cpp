#include "app/ui/aboutbox.h"

#include "app/ui/icons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

void RunAboutBox(QWidget* parent)
{
    QDialog dlg(parent);
    dlg.setObjectName("AboutBox");
    dlg.setWindowTitle(QString::fromUtf8("Программа Kestrin"));
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(AppIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    top->addWidget(icon);
    auto* lines = new QVBoxLayout;
    for (const char* line : {"Morvel. Version 2.20A", "Программа расчета параметров",
                             "высокочастотных трактов", "по высоковольтным линиям электропередачи"})
        lines->addWidget(new QLabel(QString::fromUtf8(line)));
    top->addLayout(lines);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addLayout(top);
    layout->addWidget(buttons);
    dlg.exec();
}
