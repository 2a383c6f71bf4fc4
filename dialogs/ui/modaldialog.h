// Makes a Qt dialog the window of its model's DoModal: shown modal over the
// active window, answering IDOK when accepted and IDCANCEL otherwise.
#pragma once

#include "platform/modal.h"

#include <QApplication>
#include <QDialog>

template <class Dialog, class Model>
void RegisterModalDialog()
{
    ModalRunner<Model>::Set([](Model& model) {
        Dialog dlg(model, QApplication::activeWindow());
        return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
}
