#include "results/ui/choicecontrols.h"

#include "dialogs/ui/uitext.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>

#include <utility>

QRadioButton* ChoiceRadio(ChoiceControls& controls, int id, const char* text)
{
    auto* r = new QRadioButton(U(text));
    controls[id] = r;
    return r;
}

QGroupBox* SideFrame(ChoiceControls& controls, QObject* owner, int frameId, int leftId, int rightId)
{
    auto* frame = new QGroupBox;
    controls[frameId] = frame;
    auto* l = new QHBoxLayout(frame);
    l->setContentsMargins(6, 2, 6, 2);
    auto* group = new QButtonGroup(owner);
    for (auto [id, text] : {std::pair{leftId, "Слева"}, std::pair{rightId, "Справа"}}) {
        QRadioButton* r = ChoiceRadio(controls, id, text);
        group->addButton(r);
        l->addWidget(r);
    }
    return frame;
}

void ShowControl(QWidget* w, const ControlState& st)
{
    w->setVisible(st.shown);
    w->setEnabled(st.enabled);
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable()) {
        QSignalBlocker block(b);
        b->setChecked(st.checked);
    }
}
