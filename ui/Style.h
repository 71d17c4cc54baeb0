#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// Text roles, sized relative to the application's default font.
enum class TextRole { largeTitle, headline, subheadline, body, footnote, caption, caption2 };

QFont roleFont(TextRole role, QFont::Weight weight = QFont::Normal);
QFont monospacedFont(TextRole role);

namespace SystemColor {
inline const QColor blue{0x00, 0x7A, 0xFF};
inline const QColor green{0x34, 0xC7, 0x59};
inline const QColor red{0xFF, 0x3B, 0x30};
inline const QColor orange{0xFF, 0x95, 0x00};
inline const QColor gray{0x8E, 0x8E, 0x93};
inline const QColor black{0x00, 0x00, 0x00};
QColor secondaryText();
} // namespace SystemColor

QColor withOpacity(QColor color, double opacity);

// A label in the given role and colour (the palette's text colour when none is given).
QLabel* makeLabel(const QString& text, TextRole role, QFont::Weight weight = QFont::Normal,
                  const QColor& color = QColor(), QWidget* parent = nullptr);
void setTextColor(QWidget* widget, const QColor& color);

// The toolkit defaults the layout falls back to where no size is fixed.
inline constexpr int defaultPadding = 16;
inline constexpr int defaultSpacing = 8;
