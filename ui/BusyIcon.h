#pragma once

#include <QColor>
#include <QIcon>

// A circular activity indicator as an icon: eight spokes, the brightest turning once every
// 0.8 seconds. Each paint draws the spokes of that moment, so a widget showing it animates by
// repainting.
QIcon busyIcon(const QColor& color);
