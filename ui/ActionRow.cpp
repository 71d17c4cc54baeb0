#include "ui/ActionRow.h"

#include "core/ContentView.h"
#include "ui/AppStyle.h"
#include "ui/ConvertButton.h"
#include "ui/FocusKeeper.h"
#include "ui/Spoken.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>

ActionRow::ActionRow(ContentView& view, QWidget* parent)
    : QWidget(parent)
    , view_(view)
    , convert_(new ConvertButton(view, this))
    , fetch_(makeSpokenButton(QCoreApplication::translate("ActionRow", "🔍 Zi&nciri Getir"),
                              QCoreApplication::translate("ActionRow", "Zinciri Getir"),
                              "fetchChainButton", this))
    , stop_(makeSpokenButton(QCoreApplication::translate("ActionRow", "⏹ Durdur"),
                             QCoreApplication::translate("ActionRow", "Durdur"), "stopButton",
                             this)) {
    setObjectName(QStringLiteral("actionRow"));
    fetch_->setToolTip(QCoreApplication::translate(
        "ActionRow", "Sunucunun sertifika zincirini getirir ve listeler; hiçbir şey kaydetmez."));
    fetch_->setAccessibleDescription(fetch_->toolTip());
    stop_->setToolTip(QCoreApplication::translate("ActionRow", "Çalışan işlemi durdurur (Esc)"));
    stop_->setAccessibleDescription(stop_->toolTip());
    Theme::setTone(stop_, {Hue::red});
    // The two share one place, as wide as the wider.
    for (QPushButton* button : {fetch_, stop_})
        setButtonKind(button, ButtonKind::bordered);
    const int width = qMax(fetch_->sizeHint().width(), stop_->sizeHint().width());
    for (QPushButton* button : {fetch_, stop_})
        button->setFixedWidth(width);

    connect(fetch_, &QPushButton::clicked, &view_, &ContentView::fetchChain);
    connect(stop_, &QPushButton::clicked, &view_, &ContentView::stopRun);
    // The second click of a double click lands on whichever of the two took the place: it does
    // nothing.
    fetch_->installEventFilter(this);
    stop_->installEventFilter(this);

    // The two in one place, and as wide a place on the left, empty, so that the main button
    // stays in the column's middle.
    auto* place = new QWidget(this);
    auto* placeLayout = new QHBoxLayout(place);
    placeLayout->setContentsMargins(0, 0, 0, 0);
    placeLayout->addWidget(fetch_);
    placeLayout->addWidget(stop_);
    place->setFixedWidth(width);
    auto* mirror = new QWidget(this);
    mirror->setFixedWidth(width);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mirror);
    layout->addWidget(convert_);
    layout->addWidget(place);

    for (auto changed : {&ContentView::canStopChanged, &ContentView::isProcessingChanged,
                         &ContentView::urlStringChanged})
        connect(&view_, changed, this, &ActionRow::showState);
    showState();
}

void ActionRow::showState() {
    FocusKeeper::setAvailable(fetch_, !view_.isProcessing() && !view_.urlString().isEmpty());
    const bool stoppable = view_.canStop();
    QPushButton* shown = stoppable ? stop_ : fetch_;
    QPushButton* gone = stoppable ? fetch_ : stop_;
    // Who pressed the one finds the other under the keys, or the main button where the other
    // takes none.
    shown->setVisible(true);
    if (gone->hasFocus())
        (shown->isEnabled() ? static_cast<QWidget*>(shown) : convert_)
            ->setFocus(Qt::OtherFocusReason);
    gone->setVisible(false);
}

bool ActionRow::eventFilter(QObject* watched, QEvent* event) {
    return event->type() == QEvent::MouseButtonDblClick || QWidget::eventFilter(watched, event);
}
