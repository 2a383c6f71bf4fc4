// Makes a Qt dialog the window of its model's DoModal: shown modal over the
// window it was opened from, answering IDOK when accepted and IDCANCEL
// otherwise.
#pragma once

#include "platform/modal.h"

#include <QApplication>
#include <QDialog>

// The window a modal dialog opens over: the dialog the user is in, else the
// active window, else the main window (no window is active while a menu
// closes or the program is in the background), so that no dialog opens
// centred on the screen away from the window it belongs to.
inline QWidget* DialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("MainWindow") && w->isVisible())
            return w;
    return nullptr;
}

template <class Dialog, class Model>
void RegisterModalDialog()
{
    ModalRunner<Model>::Set([](Model& model) {
        Dialog dlg(model, DialogParent());
        return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
}
