#include "ui/AppStyle.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

const char* const kindProperty = "ruveltaButtonKind";
const char* const busyProperty = "ruveltaBusy";
const char* const cardHueProperty = "ruveltaCardHue";
const char* const cardOpacityProperty = "ruveltaCardOpacity";
const char* const cardRadiusProperty = "ruveltaCardRadius";
const char* const cardOutlinedProperty = "ruveltaCardOutlined";
const char* const badgeProperty = "ruveltaBadge";
// Room around a badge's picture, inside its disc.
constexpr int badgeRoom = 3;

// Corners of fields and buttons: the same as the smaller cards.
constexpr qreal cornerRadius = 8;
constexpr qreal ringWidth = 2;
// Buttons and fields keep this much room inside their edge for the ring drawn when they have
// keyboard focus.
constexpr int focusRingRoom = 3;
// Text inside a field, from its edge.
constexpr int fieldPaddingX = 10;
constexpr int fieldPaddingY = 5;
// Room around a button's label, and the least room the main action's label takes.
constexpr int buttonPaddingX = 14;
constexpr int buttonPaddingY = 6;
constexpr QSize prominentLabelArea(200, 40);
constexpr int scrollBarWidth = 10;
// Inside a card, around its contents; between the parts of the window.
constexpr int cardPadding = 16;
constexpr int cardTitleGap = 16;
constexpr int spacing = 8;
// A 4-point bar drawn twice as thick.
constexpr int progressThickness = 8;

ButtonKind kindOf(const QWidget* widget) {
    return widget ? ButtonKind(widget->property(kindProperty).toInt()) : ButtonKind::bordered;
}

bool isBusy(const QWidget* widget) {
    return widget && widget->property(busyProperty).toBool();
}

Surface cardSurface(const QWidget* widget) {
    return {Hue(widget->property(cardHueProperty).toInt()),
            widget->property(cardOpacityProperty).toDouble()};
}

QFont cardTitleFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setWeight(QFont::DemiBold);
    return font;
}

// The window's own parts, apart from the dialogs, whose room stays Qt's.
bool inMainWindow(const QWidget* widget) {
    return widget && !qobject_cast<const QDialog*>(widget->window());
}

QRectF insetForRing(const QRect& rect) {
    return QRectF(rect).adjusted(focusRingRoom, focusRingRoom, -focusRingRoom, -focusRingRoom);
}

// An edge, when given, is drawn inside the rectangle.
void fillRounded(QPainter* painter, const QRectF& rect, const QColor& fill, const QColor& edge,
                 qreal radius = cornerRadius) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(edge.isValid() ? QPen(edge, 1) : QPen(Qt::NoPen));
    painter->setBrush(fill);
    painter->drawRoundedRect(edge.isValid() ? rect.adjusted(0.5, 0.5, -0.5, -0.5) : rect, radius,
                             radius);
    painter->restore();
}

void drawButtonBevel(const QStyleOptionButton& option, QPainter* painter, const QWidget* widget) {
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool pressed = option.state & (QStyle::State_Sunken | QStyle::State_On);
    const bool hovered = enabled && (option.state & QStyle::State_MouseOver);
    const QRectF face = insetForRing(option.rect);
    switch (kindOf(widget)) {
    case ButtonKind::prominent: {
        if (!enabled && !isBusy(widget)) {
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

// The main action's label reads on its fill; while the work runs, its busy icon is drawn as it is.
QStyleOptionButton prominentLabel(const QStyleOptionButton& option, const QWidget* widget) {
    QStyleOptionButton label(option);
    const bool enabled = option.state & QStyle::State_Enabled;
    label.palette.setColor(QPalette::ButtonText, enabled || isBusy(widget)
                                                     ? Theme::accentText()
                                                     : Theme::unavailableText());
    if (isBusy(widget))
        label.state |= QStyle::State_Enabled;
    return label;
}

void drawCard(const QStyleOptionGroupBox& option, QPainter* painter, const QWidget* widget,
              const QRect& titleArea) {
    const Surface surface = cardSurface(widget);
    const qreal radius = widget->property(cardRadiusProperty).toReal();
    fillRounded(painter, QRectF(option.rect), Theme::tint(surface), QColor(), radius);
    if (widget->property(cardOutlinedProperty).toBool())
        AppStyle::drawFocusRing(painter, QRectF(option.rect), radius);
    if (option.text.isEmpty())
        return;
    painter->save();
    painter->setFont(cardTitleFont(widget));
    painter->setPen(Theme::text(Hue::label, surface));
    painter->drawText(titleArea, int(option.textAlignment) | Qt::TextSingleLine, option.text);
    painter->restore();
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

void setCardOutlined(QGroupBox* card, bool outlined) {
    card->setProperty(cardOutlinedProperty, outlined);
    card->update();
}

void setFieldBusy(QLineEdit* field, bool busy) {
    if (field->property(busyProperty).toBool() == busy)
        return;
    field->setProperty(busyProperty, busy);
    field->setReadOnly(busy);
    // Qt tells of read-only alone; screen readers that keep what they were told of `editable`
    // would go on calling the field read-only.
    QAccessible::State changed;
    changed.editable = true;
    changed.readOnly = true;
    QAccessibleStateChangeEvent told(field, changed);
    QAccessible::updateAccessibility(&told);
    field->deselect();
    // Its text in the shade of an unavailable one; all of the window's palette again after.
    QPalette palette;
    if (busy) {
        const QColor unavailable = field->palette().color(QPalette::Disabled, QPalette::Text);
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, QPalette::Text, unavailable);
    }
    field->setPalette(palette);
}

void setCardLook(QGroupBox* card, Surface surface, qreal cornerRadius) {
    card->setProperty(cardHueProperty, int(surface.hue));
    card->setProperty(cardOpacityProperty, surface.opacity);
    card->setProperty(cardRadiusProperty, cornerRadius);
    card->update();
}

void setBadgeLook(QLabel* label) {
    label->setProperty(badgeProperty, true);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(badgeRoom);
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

void AppStyle::polish(QWidget* widget) {
    // Qt repaints only inside a list's frame as the focus comes and goes; the ring is on it.
    if (qobject_cast<QAbstractItemView*>(widget))
        widget->installEventFilter(this);
    QProxyStyle::polish(widget);
}

void AppStyle::unpolish(QWidget* widget) {
    widget->removeEventFilter(this);
    QProxyStyle::unpolish(widget);
}

bool AppStyle::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        static_cast<QWidget*>(watched)->update();
    return QProxyStyle::eventFilter(watched, event);
}

void AppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                             QPainter* painter, const QWidget* widget) const {
    switch (element) {
    case PE_PanelLineEdit: {
        const bool enabled = (option->state & State_Enabled) && !isBusy(widget);
        const bool focused = (option->state & State_HasFocus) && enabled;
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
    case PE_Frame:
        // A list shows that it has the keys as a field does.
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (qobject_cast<const QAbstractItemView*>(widget) && (option->state & State_HasFocus))
            drawFocusRing(painter, QRectF(option->rect), 2);
        return;
    case PE_IndicatorProgressChunk:
        return; // the contents are one rounded bar
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
        if (element == CE_PushButtonLabel && kindOf(widget) == ButtonKind::prominent) {
            const QStyleOptionButton label = prominentLabel(*button, widget);
            QProxyStyle::drawControl(element, &label, painter, widget);
            return;
        }
        if (element == CE_PushButton) {
            QStyleOptionButton shown(*button);
            // A busy button keeps the focus for whoever had it there, but shows neither that
            // nor a press: it looks as unavailable as it is.
            if (isBusy(widget))
                shown.state &= ~(State_MouseOver | State_Sunken | State_On | State_HasFocus);
            drawControl(CE_PushButtonBevel, &shown, painter, widget);
            QStyleOptionButton label(shown);
            label.rect = subElementRect(SE_PushButtonContents, &shown, widget);
            drawControl(CE_PushButtonLabel, &label, painter, widget);
            if (shown.state & State_HasFocus)
                drawFocusRing(painter, QRectF(shown.rect), cornerRadius + focusRingRoom - 1);
            return;
        }
    }
    switch (element) {
    case CE_ProgressBarGroove: {
        const qreal radius = option->rect.height() / 2.0;
        fillRounded(painter, QRectF(option->rect), Theme::tint({Hue::gray, 0.3}), QColor(), radius);
        return;
    }
    case CE_ProgressBarContents:
        if (const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(option)) {
            const qreal fraction =
                qreal(bar->progress - bar->minimum) / qMax(1, bar->maximum - bar->minimum);
            const QRectF track(option->rect);
            if (fraction > 0)
                fillRounded(
                    painter,
                    QRectF(track.topLeft(), QSizeF(track.width() * fraction, track.height())),
                    Theme::fill(Hue::blue), QColor(), track.height() / 2);
        }
        return;
    case CE_ProgressBarLabel:
        return;
    case CE_ShapedFrame:
        if (widget && widget->property(badgeProperty).toBool()) {
            const QRectF disc(option->rect);
            fillRounded(painter, disc, option->palette.color(QPalette::Base), QColor(),
                        std::min(disc.width(), disc.height()) / 2);
            return;
        }
        // The divider: one line in the colour of the window's edges.
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
            frame && frame->frameShape == QFrame::HLine) {
            painter->fillRect(
                QRect(option->rect.left(), option->rect.center().y(), option->rect.width(), 1),
                Theme::border());
            return;
        }
        break;
    default:
        break;
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
    if (control == CC_GroupBox && widget) {
        if (const auto* card = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
            drawCard(*card, painter, widget,
                     subControlRect(control, option, SC_GroupBoxLabel, widget));
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
    if (control == CC_GroupBox && widget) {
        const auto* card = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        const int titleHeight =
            card && !card->text.isEmpty() ? QFontMetrics(cardTitleFont(widget)).height() : 0;
        switch (subControl) {
        case SC_GroupBoxLabel:
            return QRect(option->rect.left() + cardPadding, option->rect.top() + cardPadding,
                         option->rect.width() - 2 * cardPadding, titleHeight);
        case SC_GroupBoxContents:
            // The contents' own margins add the padding below the title.
            return option->rect.adjusted(0, titleHeight ? titleHeight + cardTitleGap : 0, 0, 0);
        case SC_GroupBoxFrame:
            return option->rect;
        default:
            return QRect();
        }
    }
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
    case CT_PushButton: {
        QSize label(size.width() + 2 * buttonPaddingX,
                    qMax(base.height() - 2 * focusRingRoom, size.height() + 2 * buttonPaddingY));
        if (kindOf(widget) == ButtonKind::prominent)
            label = label.expandedTo(prominentLabelArea);
        return label + QSize(2 * focusRingRoom, 2 * focusRingRoom);
    }
    case CT_ProgressBar:
        return QSize(size.width(), progressThickness);
    case CT_GroupBox:
        return size;
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
    case PM_LayoutLeftMargin:
    case PM_LayoutTopMargin:
    case PM_LayoutRightMargin:
    case PM_LayoutBottomMargin:
        if (qobject_cast<const QGroupBox*>(widget))
            return cardPadding;
        break;
    case PM_LayoutHorizontalSpacing:
    case PM_LayoutVerticalSpacing:
        if (inMainWindow(widget))
            return spacing;
        break;
    default:
        break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}
