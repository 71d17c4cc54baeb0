#pragma once

#include <QProxyStyle>

class QPushButton;

// How push buttons are drawn: bordered (the default), prominent (the main action, filled with
// the accent colour), borderless (the label alone, with room for its focus ring).
enum class ButtonKind { bordered, prominent, borderless };
void setButtonKind(QPushButton* button, ButtonKind kind);
// The prominent button keeps its accent fill while its work runs, though it takes no clicks.
void setButtonBusy(QPushButton* button, bool busy);

// Buttons and fields keep this much room inside their edge for the ring drawn when they have
// keyboard focus.
inline constexpr int focusRingRoom = 3;

// The look of every control, on top of Fusion: fields with inner padding and rounded corners
// that match the cards, bordered buttons with room around their labels, a clear ring around
// whatever has keyboard focus, and thin scroll bars without arrows.
class AppStyle : public QProxyStyle {
    Q_OBJECT

public:
    AppStyle();

    // The ring drawn around a focused control; for views that draw their own focus.
    static void drawFocusRing(QPainter* painter, const QRectF& rect, qreal radius);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
