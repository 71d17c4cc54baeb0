#include "app/DeferredIcon.h"

#include <QIconEngine>
#include <QPainter>

namespace {

class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(QList<QSize> sizes, std::function<QIcon()> make)
        : sizes_(std::move(sizes))
        , make_(std::move(make)) {}

    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    // Asked in device pixels already: the made icon must not scale again.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return sizes_; }

private:
    const QIcon& icon() {
        if (icon_.isNull())
            icon_ = make_();
        return icon_;
    }

    QList<QSize> sizes_;
    std::function<QIcon()> make_;
    QIcon icon_;
};

} // namespace

QIcon deferredIcon(QList<QSize> sizes, std::function<QIcon()> make) {
    return QIcon(new DeferredIconEngine(std::move(sizes), std::move(make)));
}
