#include "app/ui/qtmessagesink.h"

#include "dialogs/ui/modaldialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon BoxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MsgAnswer QtMessageSink::show(const std::string& text, const std::string& caption, MsgIcon icon,
                              MsgButtons buttons, MsgAnswer defaultAnswer)
{
    QMessageBox box(DialogParent());
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    box.setIcon(BoxIcon(icon));
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case MsgButtons::Ok:
        set = QMessageBox::Ok;
        break;
    case MsgButtons::OkCancel:
        set = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case MsgButtons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        break;
    case MsgButtons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    box.setStandardButtons(set);
    const struct {
        QMessageBox::StandardButton button;
        const char* text;
    } texts[] = {{QMessageBox::Ok, "OK"},
                 {QMessageBox::Yes, "Да"},
                 {QMessageBox::No, "Нет"},
                 {QMessageBox::Cancel, "Отмена"}};
    for (const auto& t : texts)
        if (QAbstractButton* b = box.button(t.button))
            b->setText(QString::fromUtf8(t.text));
    QMessageBox::StandardButton defaultButton =
        buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? QMessageBox::Ok : QMessageBox::Yes;
    if (defaultAnswer == MsgAnswer::No && box.button(QMessageBox::No))
        defaultButton = QMessageBox::No;
    else if (defaultAnswer == MsgAnswer::Cancel && box.button(QMessageBox::Cancel))
        defaultButton = QMessageBox::Cancel;
    box.setDefaultButton(defaultButton);
    if (buttons == MsgButtons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    // A message from inside a calculation is answered with the arrow, not
    // under the calculation's wait cursor.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (waiting)
        QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    default:
        // Closed by the window's button: as Escape would answer.
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok
               : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                              : MsgAnswer::Cancel;
    }
}
