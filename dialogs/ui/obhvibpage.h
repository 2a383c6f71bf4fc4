// The widget of the bypass's circuit-choice page (CObhVib): the kind and the
// selective flag as radios (only the applying one enabled) and one box per
// circuit and ground wire, built when the page is first shown.
#pragma once

#include "dialogs/obhvib.h"

#include <QWidget>

class CircuitBoxes;
class PropertySheetDialog;
class QRadioButton;
class QVBoxLayout;

class ObhVibPage : public QWidget {
    Q_OBJECT
public:
    explicit ObhVibPage(CObhVib& model, QWidget* parent = nullptr);
    void AddTo(PropertySheetDialog& sheet);
    void Refresh();

    QRadioButton* KindRadio(int kind) const { return m_kind[kind]; }
    QRadioButton* SelectiveRadio(int selective) const { return m_selective[selective]; }
    CircuitBoxes* Boxes() const { return m_boxes; }

private:
    CObhVib& m_model;
    QRadioButton* m_kind[3];
    QRadioButton* m_selective[2];
    CircuitBoxes* m_boxes = nullptr;
    QVBoxLayout* m_boxesLayout;
};
