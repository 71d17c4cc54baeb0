#pragma once

#include "ui/Theme.h"

#include <QFont>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

// Text roles, sized relative to the application's default font.
enum class TextRole { largeTitle, headline, subheadline, body, footnote, caption, caption2 };

QFont roleFont(TextRole role, QFont::Weight weight = QFont::Normal);
QFont monospacedFont(TextRole role);
// The colour emoji face, for symbols a text face would draw in black and white.
QString emojiFontFamily();

// A plain-text label in the given role, in the hue's shade that reads well on what it stands on.
QLabel* makeLabel(const QString& text, TextRole role, QFont::Weight weight = QFont::Normal,
                  Hue hue = Hue::label, Surface on = windowSurface, QWidget* parent = nullptr);
// The tone of a text in the role: smaller roles need more contrast.
Tone toneFor(TextRole role, Hue hue, Surface on = windowSurface);

// The height of `text` in the font, wrapped at `width` where one is given: what a label showing
// it asks for, emoji from a taller face included.
int textHeight(const QString& text, const QFont& font, int width = 0);

// How wide the field must be to show the text whole, in its font and style.
int fieldWidthFor(const QLineEdit* field, const QString& text);
