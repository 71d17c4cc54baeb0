#include "ui/ProgressSection.h"

#include "core/ContentView.h"
#include "ui/AppStyle.h"
#include "ui/FocusKeeper.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int barScale = 1000;
constexpr Surface boxSurface{Hue::blue, 0.1};

// Only finite fractions are ever stored; anything else shows as the nearest end.
double shownFraction(double progress) {
    return std::isfinite(progress) ? std::clamp(progress, 0.0, 1.0) : 0.0;
}

} // namespace

// The step as it is said: the mark that ends a finished step is said as its word.
QString spokenStep(ProcessingStep step) {
    const QString said = spokenText(rawValue(step));
    switch (step) {
    case ProcessingStep::downloaded:
    case ProcessingStep::completed:
        return said + QCoreApplication::translate("ProgressSection", ", başarılı");
    case ProcessingStep::failed:
        return said + QCoreApplication::translate("ProgressSection", ", hata");
    default:
        return said;
    }
}

QString percentageText(double progress) {
    const long long percent = static_cast<long long>(shownFraction(progress) * 100.0);
    return QString::asprintf("%lld", percent) + u'%';
}

ProgressSection::ProgressSection(ContentView& view, QWidget* parent)
    : QGroupBox(parent)
    , view_(view)
    , stepText_(
          makeLabel(QString(), TextRole::headline, QFont::Normal, Hue::blue, boxSurface, this))
    , bar_(new QProgressBar(this))
    , percentage_(makeLabel(QString(), TextRole::caption, QFont::Normal, Hue::secondary, boxSurface,
                            this)) {
    setObjectName(QStringLiteral("progressSection"));
    // The steps are announced; the bar is read where the person goes to it.
    setAccessibleRole(this, QAccessible::StatusBar);
    setAccessibleRole(stepText_, QAccessible::Notification);
    QSizePolicy keepsItsLine = stepText_->sizePolicy();
    keepsItsLine.setRetainSizeWhenHidden(true);
    stepText_->setSizePolicy(keepsItsLine);
    setCardLook(this, boxSurface, 12);
    stepText_->setObjectName(QStringLiteral("stepText"));
    percentage_->setObjectName(QStringLiteral("percentageText"));
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setRange(0, barScale);
    bar_->setTextVisible(false);
    // 400 wide, as thick as the style draws it.
    bar_->setFixedSize(400, bar_->sizeHint().height());

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(stepText_, 0, Qt::AlignHCenter);
    layout->addWidget(bar_, 0, Qt::AlignHCenter);
    layout->addWidget(percentage_, 0, Qt::AlignHCenter);

    connect(&view_, &ContentView::isProcessingChanged, this, &ProgressSection::showState);
    connect(&view_, &ContentView::currentStepChanged, this, &ProgressSection::showState);
    connect(&view_, &ContentView::progressChanged, this, &ProgressSection::showState);
    connect(&view_, &ContentView::statusMessageChanged, this, &ProgressSection::showState);
    showState();
}

void ProgressSection::showState() {
    // How the work ended stays until its result goes, so that nothing below moves as the busy
    // state ends; later work that is never busy (a file, a save from the chain) leaves it as it
    // is. A cancel or a stop ends with nothing to show.
    const bool ended =
        shownStep_ == ProcessingStep::completed || shownStep_ == ProcessingStep::failed;
    if (!view_.isProcessing() && !isHidden() && ended && !view_.statusMessage().isEmpty())
        return;
    // A step is spoken as it first shows and as it changes; none is shown while the section is
    // away, so that it never comes back saying the last run's step. The last step is not: the
    // status says how the run ended, once.
    shownStep_ = view_.isProcessing() ? view_.currentStep() : ProcessingStep::none;
    const QString step = rawValue(shownStep_);
    if (stepText_->text() != step) {
        stepText_->setText(step);
        stepText_->setAccessibleName(spokenStep(shownStep_));
        if (shownStep_ != ProcessingStep::completed && shownStep_ != ProcessingStep::failed)
            announce(stepText_);
        stepText_->setVisible(!step.isEmpty());
    }
    bar_->setValue(int(std::lround(shownFraction(view_.progress()) * barScale)));
    percentage_->setText(percentageText(view_.progress()));
    FocusKeeper::setPresent(this, view_.isProcessing());
}
