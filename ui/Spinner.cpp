#include "ui/Spinner.h"

#include <QPainter>

namespace {

constexpr int spokes = 8;
// Drawn at 0.8 of the usual 20-point indicator.
constexpr int diameter = 16;

} // namespace

Spinner::Spinner(const QColor& color, QWidget* parent)
    : QWidget(parent)
    , color_(color) {
    setObjectName(QStringLiteral("spinner"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] {
        phase_ = (phase_ + 1) % spokes;
        update();
    });
}

QSize Spinner::sizeHint() const {
    return {diameter, diameter};
}

void Spinner::showEvent(QShowEvent*) {
    timer_.start();
}

void Spinner::hideEvent(QHideEvent*) {
    timer_.stop();
}

void Spinner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(QRectF(rect()).center());
    const qreal radius = qMin(width(), height()) / 2.0;
    for (int i = 0; i < spokes; ++i) {
        // The spoke at the current phase is brightest; the others fade behind it.
        const int age = (phase_ - i + spokes) % spokes;
        QColor spoke = color_;
        spoke.setAlphaF(float(1.0 - age * 0.1));
        painter.setPen(QPen(spoke, radius / 4, Qt::SolidLine, Qt::RoundCap));
        painter.save();
        painter.rotate(i * 360.0 / spokes);
        painter.drawLine(QPointF(0, -radius * 0.45), QPointF(0, -radius * 0.85));
        painter.restore();
    }
}
