#include "ui/WrappingLabel.h"

#include <QPainter>
#include <QTextLayout>
#include <cmath>
#include <limits>

WrappingLabel::WrappingLabel(QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

namespace {

// A text layout breaks lines at line separators, not at line feeds.
QString laidOutText(const QString& text) {
    return QString(text).replace(u'\n', QChar::LineSeparator);
}

} // namespace

qreal WrappingLabel::layOut(QTextLayout& layout, qreal width) const {
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setFont(font());
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

int WrappingLabel::heightForWidth(int width) const {
    const QMargins margins = contentsMargins();
    QTextLayout layout(laidOutText(text()));
    const qreal height = layOut(layout, qMax(1, width - margins.left() - margins.right()));
    return int(std::ceil(qMax(height, qreal(fontMetrics().height())))) + margins.top() +
           margins.bottom();
}

QSize WrappingLabel::sizeHint() const {
    // On one line where there is room for it.
    const QMargins margins = contentsMargins();
    QTextLayout layout(laidOutText(text()));
    layOut(layout, std::numeric_limits<qreal>::max() / 4);
    const int width = int(std::ceil(layout.maximumWidth())) + margins.left() + margins.right();
    return QSize(width, heightForWidth(width));
}

QSize WrappingLabel::minimumSizeHint() const {
    const QMargins margins = contentsMargins();
    return QSize(fontMetrics().averageCharWidth() * 4 + margins.left() + margins.right(),
                 fontMetrics().height() + margins.top() + margins.bottom());
}

void WrappingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect();
    QTextLayout layout(laidOutText(text()));
    layOut(layout, area.width());
    layout.draw(&painter, area.topLeft());
}
