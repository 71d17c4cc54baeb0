#include "ui/RoundedBox.h"

#include <QPainter>

RoundedBox::RoundedBox(const QColor& fill, qreal radius, QWidget* parent)
    : QFrame(parent)
    , fill_(fill)
    , radius_(radius) {}

void RoundedBox::setFill(const QColor& fill) {
    if (fill_ == fill)
        return;
    fill_ = fill;
    update();
}

void RoundedBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill_);
    painter.drawRoundedRect(QRectF(rect()), radius_, radius_);
}
