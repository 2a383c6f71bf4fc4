#include "dialogs/ui/circuitboxes.h"

#include "dialogs/ui/uitext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSignalBlocker>

CircuitBoxes::CircuitBoxes(CircuitButtons& model, std::function<void(int)> toggled, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t k = 0; k < m_model.buttons.size(); ++k) {
        auto* box = new QCheckBox(U(m_model.buttons[k].label));
        grid->addWidget(box, int(k) / 4, int(k) % 4);
        m_boxes.push_back(box);
        connect(box, &QCheckBox::clicked, this, [this, k, toggled](bool on) {
            m_model.buttons[k].checked = on;
            if (toggled)
                toggled(int(k));
        });
    }
    Show();
}

void CircuitBoxes::Show()
{
    for (std::size_t k = 0; k < m_boxes.size() && k < m_model.buttons.size(); ++k) {
        const QSignalBlocker block(m_boxes[k]);
        m_boxes[k]->setChecked(m_model.buttons[k].checked);
        m_boxes[k]->setEnabled(m_model.buttons[k].enabled);
    }
}
