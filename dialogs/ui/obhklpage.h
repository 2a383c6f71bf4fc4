// The widget of the bypass's cable-line page (CObhKL): the shared cable panel
// with the cable combo and its up-down.  The bypass sheet adds it with
// AddTo(); until then it can run in a sheet of its own.
#pragma once

#include "dialogs/obhkl.h"

#include <QWidget>

class CableLayoutPanel;
class PropertySheetDialog;

class ObhKLPage : public QWidget {
    Q_OBJECT
public:
    explicit ObhKLPage(CObhKL& model, QWidget* parent = nullptr);
    // Adds the page to a sheet whose model holds the page model at this position.
    void AddTo(PropertySheetDialog& sheet);
    CableLayoutPanel* Panel() const { return m_panel; }

private:
    CObhKL& m_model;
    CableLayoutPanel* m_panel;
};
