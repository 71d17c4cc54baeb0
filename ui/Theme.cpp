#include "ui/Theme.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace {

double targetContrast(TextSize size) {
    return size == TextSize::small ? 7.0 : 5.5;
}

QColor blend(const QColor& over, double opacity, const QColor& under) {
    return QColor::fromRgbF(float(over.redF() * opacity + under.redF() * (1 - opacity)),
                            float(over.greenF() * opacity + under.greenF() * (1 - opacity)),
                            float(over.blueF() * opacity + under.blueF() * (1 - opacity)));
}

double relativeLuminance(const QColor& color) {
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

QPalette palette() {
    return QApplication::palette();
}

const char* const toneProperty = "ruveltaTone";

// Completes the palette again when the system changes it; its own change lands here too, and
// then finds nothing to do.
class PaletteFollower : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
            Theme::completePalette(*qApp);
        return false;
    }
};

} // namespace

Q_DECLARE_METATYPE(Tone)

namespace Theme {

void completePalette(QApplication& application) {
    if (!application.property(toneProperty).toBool()) {
        application.setProperty(toneProperty, true);
        application.installEventFilter(new PaletteFollower(&application));
    }
    QPalette completed = application.palette();
    const QColor onBase = readableOn(fill(Hue::secondary), completed.color(QPalette::Base));
    completed.setColor(QPalette::PlaceholderText, onBase);
    // Disabled texts look dimmed but stay readable.
    completed.setColor(QPalette::Disabled, QPalette::Text, onBase);
    completed.setColor(QPalette::Disabled, QPalette::WindowText, text(Hue::secondary));
    completed.setColor(QPalette::Disabled, QPalette::ButtonText,
                       readableOn(fill(Hue::secondary), completed.color(QPalette::Button)));
    completed.setColor(QPalette::Highlight, accentFill());
    completed.setColor(QPalette::HighlightedText, accentText());
    if (completed != application.palette())
        application.setPalette(completed);
}

void setTone(QWidget* widget, Tone tone) {
    widget->setProperty(toneProperty, QVariant::fromValue(tone));
    const QColor shade = text(tone.hue, tone.on, tone.size);
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, shade);
    widget->setPalette(palette);
}

void applyTones(QWidget* root) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : std::as_const(widgets)) {
        if (const QVariant tone = widget->property(toneProperty); tone.isValid())
            setTone(widget, tone.value<Tone>());
        widget->update();
    }
}

bool isDark() {
    return window().lightnessF() < 0.5;
}

QColor window() {
    return palette().color(QPalette::Window);
}

QColor fill(Hue hue) {
    // The usual system colours, in their light and dark variants.
    const bool dark = isDark();
    switch (hue) {
    case Hue::label:
        return palette().color(QPalette::WindowText);
    case Hue::secondary:
    case Hue::gray:
        return dark ? QColor(0x98, 0x98, 0x9D) : QColor(0x8E, 0x8E, 0x93);
    case Hue::blue:
        return dark ? QColor(0x0A, 0x84, 0xFF) : QColor(0x00, 0x7A, 0xFF);
    case Hue::green:
        return dark ? QColor(0x30, 0xD1, 0x58) : QColor(0x34, 0xC7, 0x59);
    case Hue::red:
        return dark ? QColor(0xFF, 0x45, 0x3A) : QColor(0xFF, 0x3B, 0x30);
    case Hue::orange:
        return dark ? QColor(0xFF, 0x9F, 0x0A) : QColor(0xFF, 0x95, 0x00);
    }
    return palette().color(QPalette::WindowText);
}

QColor tint(Surface surface) {
    QColor color = fill(surface.hue);
    color.setAlphaF(float(surface.opacity));
    return color;
}

QColor background(Surface surface) {
    return blend(fill(surface.hue), surface.opacity, window());
}

QColor text(Hue hue, Surface surface, TextSize size) {
    return readableOn(fill(hue), background(surface), size);
}

QColor readableOn(const QColor& color, const QColor& background, TextSize size) {
    // Darker on a light background, lighter on a dark one, keeping the hue.
    const bool lighten = background.lightnessF() < 0.5;
    const double target = targetContrast(size);
    QColor shade = color.toHsl();
    for (int step = 0; step < 40 && contrastRatio(shade, background) < target; ++step) {
        const float lightness = shade.lightnessF() + (lighten ? 0.025f : -0.025f);
        shade.setHslF(shade.hslHueF(), shade.hslSaturationF(), std::clamp(lightness, 0.0f, 1.0f));
    }
    return shade.toRgb();
}

QColor accentFill() {
    // Deep enough under white text in both palettes.
    QColor shade = fill(Hue::blue).toHsl();
    while (contrastRatio(shade, Qt::white) < targetContrast(TextSize::regular))
        shade.setHslF(shade.hslHueF(), shade.hslSaturationF(), shade.lightnessF() - 0.02f);
    return shade.toRgb();
}

QColor accentText() {
    return Qt::white;
}

QColor unavailableFill() {
    return blend(fill(Hue::label), 0.08, window());
}

QColor unavailableText() {
    return readableOn(fill(Hue::secondary), unavailableFill());
}

QColor focusRing() {
    return isDark() ? readableOn(fill(Hue::blue), window()) : accentFill();
}

QColor border() {
    return blend(fill(Hue::label), isDark() ? 0.28 : 0.22, window());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace Theme
