#pragma once

#include "ui/Theme.h"

#include <QProxyStyle>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// How push buttons are drawn: bordered (the default), prominent (the main action, filled with
// the accent colour and at least as large as its label area), borderless (the label alone).
enum class ButtonKind { bordered, prominent, borderless };
void setButtonKind(QPushButton* button, ButtonKind kind);
// The prominent button keeps its accent fill while its work runs, though it takes no clicks.
void setButtonBusy(QPushButton* button, bool busy);
// A field locked while the work runs: read-only and drawn as unavailable, yet keeping the focus
// of whoever is in it, so that a screen reader is not sent elsewhere as the work starts.
void setFieldBusy(QLineEdit* field, bool busy);

// A card: a group box drawn as a tint over the window with rounded corners, its title, if any,
// in bold above its contents.
void setCardLook(QGroupBox* card, Surface surface, qreal cornerRadius);
// Outlines a card that takes what is dragged over it.
void setCardOutlined(QGroupBox* card, bool outlined);

// A picture drawn on a disc of the fields' colour, white or near black: an emoji's own colours,
// which no palette changes, then stand apart from it more than from a tint.
void setBadgeLook(QLabel* label);

// The look of every control, on top of Fusion: tinted cards, fields with inner padding and
// rounded corners that match them, bordered buttons with room around their labels, a clear ring
// around whatever has keyboard focus, a thick rounded progress bar, thin scroll bars without
// arrows, and the room inside and between the window's parts.
class AppStyle : public QProxyStyle {
    Q_OBJECT

public:
    AppStyle();

    // The ring drawn around a focused control; for views that draw their own focus.
    static void drawFocusRing(QPainter* painter, const QRectF& rect, qreal radius);

    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

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
