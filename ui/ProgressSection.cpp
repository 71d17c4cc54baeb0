#include "ui/ProgressSection.h"

#include "core/ContentView.h"
#include "ui/Style.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int barScale = 1000;
constexpr Surface boxSurface{Hue::blue, 0.1};
// A 4-point track drawn twice as thick.
constexpr int barThickness = 8;

class ThickProgressBar : public QProgressBar {
public:
    using QProgressBar::QProgressBar;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        const QRectF track(rect());
        const qreal radius = track.height() / 2;
        painter.setBrush(Theme::tint({Hue::gray, 0.3}));
        painter.drawRoundedRect(track, radius, radius);
        const qreal fraction = qreal(value() - minimum()) / qMax(1, maximum() - minimum());
        if (fraction > 0) {
            painter.setBrush(Theme::fill(Hue::blue));
            painter.drawRoundedRect(
                QRectF(track.topLeft(), QSizeF(track.width() * fraction, track.height())), radius,
                radius);
        }
    }
};

// Only finite fractions are ever stored; anything else shows as the nearest end.
double shownFraction(double progress) {
    return std::isfinite(progress) ? std::clamp(progress, 0.0, 1.0) : 0.0;
}

} // namespace

QString percentageText(double progress) {
    const long long percent = static_cast<long long>(shownFraction(progress) * 100.0);
    return QString::asprintf("%lld", percent) + u'%';
}

ProgressSection::ProgressSection(ContentView& view, QWidget* parent)
    : RoundedBox(Theme::tint(boxSurface), 12, parent)
    , view_(view)
    , stepText_(
          makeLabel(QString(), TextRole::headline, QFont::Normal, Hue::blue, boxSurface, this))
    , bar_(new ThickProgressBar(this))
    , percentage_(makeLabel(QString(), TextRole::caption, QFont::Normal, Hue::secondary, boxSurface,
                            this)) {
    setObjectName(QStringLiteral("progressSection"));
    stepText_->setObjectName(QStringLiteral("stepText"));
    percentage_->setObjectName(QStringLiteral("percentageText"));
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setAccessibleName(QStringLiteral("İlerleme"));
    bar_->setRange(0, barScale);
    bar_->setTextVisible(false);
    bar_->setFixedSize(400, barThickness);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(defaultPadding, defaultPadding, defaultPadding, defaultPadding);
    layout->setSpacing(12);
    layout->addWidget(stepText_, 0, Qt::AlignHCenter);
    layout->addWidget(bar_, 0, Qt::AlignHCenter);
    layout->addWidget(percentage_, 0, Qt::AlignHCenter);

    connect(&view_, &ContentView::isProcessingChanged, this, &ProgressSection::showState);
    connect(&view_, &ContentView::currentStepChanged, this, &ProgressSection::showState);
    connect(&view_, &ContentView::progressChanged, this, &ProgressSection::showState);
    showState();
}

void ProgressSection::showState() {
    setVisible(view_.isProcessing());
    stepText_->setText(rawValue(view_.currentStep()));
    bar_->setValue(int(std::lround(shownFraction(view_.progress()) * barScale)));
    percentage_->setText(percentageText(view_.progress()));
}
