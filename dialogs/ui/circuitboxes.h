// The check boxes of CircuitButtons in a grid, four to a row: built once
// from the model's boxes, shown from them and read back into them.
#pragma once

#include "dialogs/circuitbuttons.h"

#include <QWidget>
#include <functional>
#include <vector>

class QCheckBox;

class CircuitBoxes : public QWidget {
    Q_OBJECT
public:
    // toggled(k) runs after box k was clicked and its state read into the model.
    CircuitBoxes(CircuitButtons& model, std::function<void(int)> toggled, QWidget* parent = nullptr);

    void Show();
    QCheckBox* Box(int k) const { return m_boxes[std::size_t(k)]; }
    int Count() const { return int(m_boxes.size()); }

private:
    CircuitButtons& m_model;
    std::vector<QCheckBox*> m_boxes;
};
