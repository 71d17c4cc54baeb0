#include "ui/Style.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPalette>

namespace {

double roleScale(TextRole role) {
    switch (role) {
    case TextRole::largeTitle:
        return 2.0;
    case TextRole::headline:
    case TextRole::body:
        return 1.0;
    case TextRole::subheadline:
        return 0.9;
    case TextRole::footnote:
        return 0.85;
    case TextRole::caption:
        return 0.8;
    case TextRole::caption2:
        return 0.75;
    }
    return 1.0;
}

// Whether the face has a medium weight of its own; without one it would draw medium as regular.
bool hasMediumWeight(const QFont& font) {
    QFont regular(font);
    regular.setWeight(QFont::Normal);
    QFont medium(font);
    medium.setWeight(QFont::Medium);
    return QFontInfo(medium).styleName() != QFontInfo(regular).styleName();
}

QFont scaled(QFont font, TextRole role, QFont::Weight weight) {
    const double base = QApplication::font().pointSizeF();
    font.setPointSizeF(base * roleScale(role));
    font.setWeight(role == TextRole::headline && weight == QFont::Normal ? QFont::DemiBold
                                                                         : weight);
    // Where the face has no medium, the next heavier weight shows the emphasis.
    if (weight == QFont::Medium && !hasMediumWeight(font))
        font.setWeight(QFont::DemiBold);
    return font;
}

} // namespace

QFont roleFont(TextRole role, QFont::Weight weight) {
    return scaled(QApplication::font(), role, weight);
}

QFont monospacedFont(TextRole role) {
    return scaled(QFontDatabase::systemFont(QFontDatabase::FixedFont), role, QFont::Normal);
}

QString emojiFontFamily() {
    return QStringLiteral("Noto Color Emoji");
}

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void setControlEnabled(QWidget* control, bool enabled) {
    if (!enabled && control->hasFocus())
        control->clearFocus();
    control->setEnabled(enabled);
}

QLabel* makeLabel(const QString& text, TextRole role, QFont::Weight weight, Hue hue, Surface on,
                  QWidget* parent) {
    auto* label = new QLabel(text, parent);
    // Texts are shown verbatim, never as rich text.
    label->setTextFormat(Qt::PlainText);
    label->setFont(roleFont(role, weight));
    setTextColor(label,
                 Theme::text(hue, on, roleScale(role) < 1.0 ? TextSize::small : TextSize::regular));
    return label;
}
