// The row of a dialog's closing buttons, set to the right in the given order.
#pragma once

#include <initializer_list>

class QHBoxLayout;
class QWidget;

QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons);
