#include "ui/DocumentIcon.h"

#include <QPainter>
#include <QPainterPath>

DocumentIcon::DocumentIcon(QWidget* parent)
    : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize DocumentIcon::sizeHint() const {
    const int height = fontMetrics().height() + 4;
    return {height * 4 / 5, height};
}

void DocumentIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal fold = sheet.width() * 0.35;
    const QColor color = palette().color(QPalette::WindowText);

    QPainterPath page;
    page.moveTo(sheet.topLeft());
    page.lineTo(sheet.right() - fold, sheet.top());
    page.lineTo(sheet.right(), sheet.top() + fold);
    page.lineTo(sheet.bottomRight());
    page.lineTo(sheet.bottomLeft());
    page.closeSubpath();
    painter.fillPath(page, color);

    QPainterPath corner;
    corner.moveTo(sheet.right() - fold, sheet.top());
    corner.lineTo(sheet.right() - fold, sheet.top() + fold);
    corner.lineTo(sheet.right(), sheet.top() + fold);
    corner.closeSubpath();
    painter.fillPath(corner, color.lighter(140));
}
