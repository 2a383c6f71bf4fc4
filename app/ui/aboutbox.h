#pragma once

class QWidget;

// The about box "Программа Kestrin" (modal).
void RunAboutBox(QWidget* parent);
