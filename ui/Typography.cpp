#include "ui/Typography.h"

#include "ui/Spoken.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

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

Tone toneFor(TextRole role, Hue hue, Surface on) {
    return {hue, on, roleScale(role) < 1.0 ? TextSize::small : TextSize::regular};
}

int textHeight(const QString& text, const QFont& font, int width) {
    const QRect room(0, 0, width > 0 ? width : QWIDGETSIZE_MAX, 0);
    return QFontMetrics(font).boundingRect(room, width > 0 ? Qt::TextWordWrap : 0, text).height();
}

int fieldWidthFor(const QLineEdit* field, const QString& text) {
    QStyleOptionFrame option;
    option.initFrom(field);
    // QLineEdit keeps two pixels on each side of its text, and one for the cursor.
    const QFontMetrics metrics = field->fontMetrics();
    const QSize contents(metrics.horizontalAdvance(text) + 5, metrics.height());
    return field->style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, field).width();
}

QLabel* makeLabel(const QString& text, TextRole role, QFont::Weight weight, Hue hue, Surface on,
                  QWidget* parent) {
    auto* label = new QLabel(text, parent);
    // Texts are shown verbatim, never as rich text.
    label->setTextFormat(Qt::PlainText);
    label->setFont(roleFont(role, weight));
    Theme::setTone(label, toneFor(role, hue, on));
    speakAs(label, text);
    return label;
}
