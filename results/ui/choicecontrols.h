// The controls both result-choice dialogs build the same way: radios kept by
// their model's control ids, the "Слева"/"Справа" frame of a quantity's side,
// and a control shown as its model's state says.
#pragma once

#include "results/resultchoice.h"

#include <map>

class QGroupBox;
class QObject;
class QRadioButton;
class QWidget;

using ChoiceControls = std::map<int, QWidget*>;

// A radio kept in `controls` under `id`.
QRadioButton* ChoiceRadio(ChoiceControls& controls, int id, const char* text);
// A frame of the radios "Слева" and "Справа", exclusive between themselves
// (their group belongs to `owner`); the frame and the radios are kept in
// `controls`.
QGroupBox* SideFrame(ChoiceControls& controls, QObject* owner, int frameId, int leftId, int rightId);
// Shown, enabled and (a radio or check box) checked as `st` says; the check
// sends no signal.
void ShowControl(QWidget* w, const ControlState& st);
