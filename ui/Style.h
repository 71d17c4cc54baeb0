#pragma once

#include "ui/Theme.h"

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// Text roles, sized relative to the application's default font.
enum class TextRole { largeTitle, headline, subheadline, body, footnote, caption, caption2 };

QFont roleFont(TextRole role, QFont::Weight weight = QFont::Normal);
QFont monospacedFont(TextRole role);
// The colour emoji face, for symbols a text face would draw in black and white.
QString emojiFontFamily();

// A label in the given role, in the hue's shade that reads well on what it stands on.
QLabel* makeLabel(const QString& text, TextRole role, QFont::Weight weight = QFont::Normal,
                  Hue hue = Hue::label, Surface on = windowSurface, QWidget* parent = nullptr);
void setTextColor(QWidget* widget, const QColor& color);

// Enables or disables a control. A focused control that is disabled gives up the focus instead
// of passing it on: passing it on would scroll the window to wherever the focus lands.
void setControlEnabled(QWidget* control, bool enabled);

// The toolkit defaults the layout falls back to where no size is fixed.
inline constexpr int defaultPadding = 16;
inline constexpr int defaultSpacing = 8;
