// Toolbar and window icons, drawn in code.
#pragma once

#include <QIcon>

// The icon of a toolbar command; an empty icon for commands without one.
QIcon CommandIcon(int id);
// The program's own icon.
QIcon AppIcon();
