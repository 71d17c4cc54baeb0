#include "ui/StatusBanner.h"

#include "core/ContentView.h"
#include "ui/Style.h"
#include "ui/WrappingLabel.h"

#include <QVBoxLayout>

namespace {

constexpr double tintOpacity = 0.2;

} // namespace

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

StatusBanner::StatusBanner(ContentView& view, QWidget* parent)
    : RoundedBox(QColor(), 8, parent)
    , view_(view)
    , message_(new WrappingLabel(this))
    , detail_(new WrappingLabel(this)) {
    setObjectName(QStringLiteral("statusBanner"));
    message_->setObjectName(QStringLiteral("statusMessage"));
    message_->setFont(roleFont(TextRole::body));
    detail_->setObjectName(QStringLiteral("statusDetail"));
    detail_->setFont(roleFont(TextRole::footnote));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(defaultPadding, defaultPadding, defaultPadding, defaultPadding);
    layout->setSpacing(defaultSpacing / 2);
    layout->addWidget(message_);
    layout->addWidget(detail_);

    connect(&view_, &ContentView::statusMessageChanged, this, &StatusBanner::showState);
    showState();
}

void StatusBanner::showState() {
    const QString& message = view_.statusMessage();
    const Surface surface{statusHue(view_.statusKind()), tintOpacity};
    message_->setText(message);
    setTextColor(message_, Theme::text(surface.hue, surface));
    detail_->setText(view_.statusDetail());
    detail_->setVisible(!view_.statusDetail().isEmpty());
    setTextColor(detail_, Theme::text(surface.hue, surface, TextSize::small));
    setFill(Theme::tint(surface));
    // The label tells assistive technology of its new text (a change of its name).
    setVisible(!message.isEmpty());
}
