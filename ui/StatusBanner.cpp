#include "ui/StatusBanner.h"

#include "core/ContentView.h"
#include "ui/AppStyle.h"
#include "ui/FocusKeeper.h"
#include "ui/SelectableText.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"

#include <QVBoxLayout>

namespace {

constexpr double tintOpacity = 0.2;

// Green for a success, red for a failure, blue for a notice.
Hue statusHue(StatusKind kind) {
    switch (kind) {
    case StatusKind::success:
        return Hue::green;
    case StatusKind::failure:
        return Hue::red;
    case StatusKind::notice:
        break;
    }
    return Hue::blue;
}

} // namespace

StatusBanner::StatusBanner(ContentView& view, QWidget* parent)
    : QGroupBox(parent)
    , view_(view)
    , message_(new SelectableText(this))
    , detail_(new SelectableText(this)) {
    setObjectName(QStringLiteral("statusBanner"));
    setAccessibleRole(this, QAccessible::Notification);
    message_->setObjectName(QStringLiteral("statusMessage"));
    message_->setFont(roleFont(TextRole::body));
    detail_->setObjectName(QStringLiteral("statusDetail"));
    detail_->setFont(roleFont(TextRole::footnote));

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addWidget(message_);
    layout->addWidget(detail_);

    connect(&view_, &ContentView::statusMessageChanged, this, &StatusBanner::showState);
    showState();
}

void StatusBanner::showState() {
    const Surface surface{statusHue(view_.statusKind()), tintOpacity};
    setCardLook(this, surface, 8);
    message_->setText(view_.statusMessage());
    speakAs(message_, view_.statusMessage());
    Theme::setTone(message_, toneFor(TextRole::body, surface.hue, surface));
    detail_->setText(view_.statusDetail());
    speakAs(detail_, view_.statusDetail());
    Theme::setTone(detail_, toneFor(TextRole::footnote, surface.hue, surface));
    detail_->setVisible(!view_.statusDetail().isEmpty());
    // Read out as news: the two texts, a sentence each, as they stand.
    setAccessibleName(spokenText(view_.statusMessage()) +
                      (view_.statusDetail().isEmpty()
                           ? QString()
                           : QStringLiteral(". ") + spokenText(view_.statusDetail())));
    // Shown already, it is announced again; as it first shows, Qt tells of it itself.
    if (isVisible() && !view_.statusMessage().isEmpty())
        announce(this);
    FocusKeeper::setPresent(this, !view_.statusMessage().isEmpty());
}
