#include "ui/AppStyle.h"

#include "ui/Theme.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

const char* const kindProperty = "ruveltaButtonKind";
const char* const busyProperty = "ruveltaButtonBusy";

// Corners of fields and buttons: the same as the smaller cards.
constexpr qreal cornerRadius = 8;
constexpr qreal ringWidth = 2;
// Text inside a field, from its edge.
constexpr int fieldPaddingX = 10;
constexpr int fieldPaddingY = 5;
// Room around a button's label.
constexpr int buttonPaddingX = 14;
constexpr int buttonPaddingY = 6;
constexpr int scrollBarWidth = 10;

ButtonKind kindOf(const QWidget* widget) {
    return widget ? ButtonKind(widget->property(kindProperty).toInt()) : ButtonKind::bordered;
}

QRectF insetForRing(const QRect& rect) {
    return QRectF(rect).adjusted(focusRingRoom, focusRingRoom, -focusRingRoom, -focusRingRoom);
}

void fillRounded(QPainter* painter, const QRectF& rect, const QColor& fill, const QColor& edge) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(edge.isValid() ? QPen(edge, 1) : QPen(Qt::NoPen));
    painter->setBrush(fill);
    painter->drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    painter->restore();
}

void drawButtonBevel(const QStyleOptionButton& option, QPainter* painter, const QWidget* widget) {
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool pressed = option.state & (QStyle::State_Sunken | QStyle::State_On);
    const bool hovered = enabled && (option.state & QStyle::State_MouseOver);
    const QRectF face = insetForRing(option.rect);
    switch (kindOf(widget)) {
    case ButtonKind::prominent: {
        const bool busy = widget && widget->property(busyProperty).toBool();
        if (!enabled && !busy) {
            fillRounded(painter, face, Theme::unavailableFill(), Theme::border());
            return;
        }
        QColor fill = Theme::accentFill();
        if (pressed)
            fill = fill.darker(120);
        else if (hovered)
            fill = fill.lighter(110);
        fillRounded(painter, face, fill, QColor());
        return;
    }
    case ButtonKind::bordered: {
        QColor fill = enabled ? option.palette.color(QPalette::Base) : Theme::unavailableFill();
        if (pressed)
            fill = Theme::background({Hue::label, 0.12});
        else if (hovered)
            fill = Theme::background({Hue::blue, 0.10});
        fillRounded(painter, face, fill, Theme::border());
        return;
    }
    case ButtonKind::borderless:
        if (pressed)
            fillRounded(painter, face, Theme::tint({Hue::label, 0.08}), QColor());
        return;
    }
}

// The thumb alone, rounded and translucent; no arrows, no track.
void drawScrollBar(const QStyleOptionSlider& option, const QRect& thumb, QPainter* painter) {
    if (option.minimum == option.maximum)
        return;
    const bool active = option.state & (QStyle::State_MouseOver | QStyle::State_Sunken);
    QColor color = Theme::fill(Hue::label);
    color.setAlphaF(active ? 0.55f : 0.32f);
    const QRectF bar = QRectF(thumb).adjusted(2, 2, -2, -2);
    const qreal radius = qMin(bar.width(), bar.height()) / 2;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawRoundedRect(bar, radius, radius);
    painter->restore();
}

} // namespace

void setButtonKind(QPushButton* button, ButtonKind kind) {
    button->setProperty(kindProperty, int(kind));
    button->setFlat(kind == ButtonKind::borderless);
    button->updateGeometry();
}

void setButtonBusy(QPushButton* button, bool busy) {
    button->setProperty(busyProperty, busy);
    button->update();
}

AppStyle::AppStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void AppStyle::drawFocusRing(QPainter* painter, const QRectF& rect, qreal radius) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(Theme::focusRing(), ringWidth));
    painter->setBrush(Qt::NoBrush);
    const qreal half = ringWidth / 2;
    painter->drawRoundedRect(rect.adjusted(half, half, -half, -half), radius, radius);
    painter->restore();
}

void AppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                             QPainter* painter, const QWidget* widget) const {
    switch (element) {
    case PE_PanelLineEdit: {
        const bool enabled = option->state & State_Enabled;
        const bool focused = option->state & State_HasFocus;
        const QRectF face = QRectF(option->rect).adjusted(1, 1, -1, -1);
        fillRounded(painter, face,
                    enabled ? option->palette.color(QPalette::Base) : Theme::unavailableFill(),
                    Theme::border());
        if (focused)
            drawFocusRing(painter, QRectF(option->rect), cornerRadius + 1);
        return;
    }
    case PE_FrameLineEdit:
        return; // the panel draws its own edge
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void AppStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const {
    if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
        if (element == CE_PushButtonBevel) {
            drawButtonBevel(*button, painter, widget);
            return;
        }
        if (element == CE_PushButton) {
            drawControl(CE_PushButtonBevel, button, painter, widget);
            QStyleOptionButton label(*button);
            label.rect = subElementRect(SE_PushButtonContents, button, widget);
            drawControl(CE_PushButtonLabel, &label, painter, widget);
            if (button->state & State_HasFocus)
                drawFocusRing(painter, QRectF(button->rect), cornerRadius + focusRingRoom - 1);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void AppStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                  QPainter* painter, const QWidget* widget) const {
    if (control == CC_ScrollBar) {
        if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            drawScrollBar(*bar, subControlRect(control, option, SC_ScrollBarSlider, widget),
                          painter);
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect AppStyle::subElementRect(SubElement element, const QStyleOption* option,
                               const QWidget* widget) const {
    switch (element) {
    case SE_LineEditContents:
        return option->rect.adjusted(fieldPaddingX, fieldPaddingY, -fieldPaddingX, -fieldPaddingY);
    default:
        return QProxyStyle::subElementRect(element, option, widget);
    }
}

QRect AppStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                               SubControl subControl, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar)
        return QProxyStyle::subControlRect(control, option, subControl, widget);

    const bool horizontal = bar->orientation == Qt::Horizontal;
    const QRect track = bar->rect;
    const int length = horizontal ? track.width() : track.height();
    int thumbLength = length;
    if (bar->maximum > bar->minimum) {
        const qint64 range = qint64(bar->maximum) - bar->minimum;
        thumbLength = int(qint64(bar->pageStep) * length / (range + bar->pageStep));
        thumbLength = qBound(qMin(length, pixelMetric(PM_ScrollBarSliderMin, bar, widget)),
                             thumbLength, length);
    }
    const int thumbStart = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                                   length - thumbLength, bar->upsideDown);
    const auto span = [&](int start, int size) {
        return horizontal ? QRect(track.x() + start, track.y(), size, track.height())
                          : QRect(track.x(), track.y() + start, track.width(), size);
    };
    switch (subControl) {
    case SC_ScrollBarSlider:
        return span(thumbStart, thumbLength);
    case SC_ScrollBarSubPage:
        return span(0, thumbStart);
    case SC_ScrollBarAddPage:
        return span(thumbStart + thumbLength, length - thumbStart - thumbLength);
    case SC_ScrollBarGroove:
        return track;
    default:
        return QRect(); // no arrows
    }
}

QSize AppStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                 const QWidget* widget) const {
    QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
    switch (type) {
    case CT_LineEdit:
        return base + QSize(2 * fieldPaddingX, 2 * fieldPaddingY);
    case CT_PushButton:
        return QSize(size.width() + 2 * (buttonPaddingX + focusRingRoom),
                     qMax(base.height(), size.height() + 2 * (buttonPaddingY + focusRingRoom)));
    default:
        return base;
    }
}

int AppStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                          const QWidget* widget) const {
    switch (metric) {
    case PM_ScrollBarExtent:
        return scrollBarWidth;
    case PM_ScrollBarSliderMin:
        return 32;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}
