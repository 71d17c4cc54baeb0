#include "ui/BusyIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QTime>

namespace {

constexpr int spokes = 8;
constexpr int msPerSpoke = 100;

class BusyIconEngine : public QIconEngine {
public:
    explicit BusyIconEngine(const QColor& color)
        : color_(color) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const int phase = QTime::currentTime().msecsSinceStartOfDay() / msPerSpoke % spokes;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(QRectF(rect).center());
        const qreal radius = qMin(rect.width(), rect.height()) / 2.0;
        for (int i = 0; i < spokes; ++i) {
            // The spoke at the current phase is brightest; the others fade behind it.
            QColor spoke = color_;
            spoke.setAlphaF(float(1.0 - ((phase - i + spokes) % spokes) * 0.1));
            painter->setPen(QPen(spoke, radius / 4, Qt::SolidLine, Qt::RoundCap));
            painter->drawLine(QPointF(0, -radius * 0.45), QPointF(0, -radius * 0.85));
            painter->rotate(360.0 / spokes);
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new BusyIconEngine(color_); }

private:
    QColor color_;
};

} // namespace

QIcon busyIcon(const QColor& color) {
    return QIcon(new BusyIconEngine(color));
}
