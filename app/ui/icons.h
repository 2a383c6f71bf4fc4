// Toolbar and window icons, drawn in code.
#pragma once

#include <QIcon>

#include <functional>

class QPainter;

// The side of a toolbar icon, in pixels.
inline constexpr int kIconSize = 24;

// The icon of a toolbar command; an empty icon for commands without one.
QIcon CommandIcon(int id);
// The program's own icon.
QIcon AppIcon();
// An icon of kIconSize square, painted by `paint` antialiased on a transparent
// ground; the results windows draw theirs with it too.
QIcon DrawIcon(const std::function<void(QPainter&)>& paint);
