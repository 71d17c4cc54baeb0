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
    , message_(new WrappingLabel(this)) {
    setObjectName(QStringLiteral("statusBanner"));
    message_->setObjectName(QStringLiteral("statusMessage"));
    message_->setFont(roleFont(TextRole::body));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(defaultPadding, defaultPadding, defaultPadding, defaultPadding);
    layout->addWidget(message_);

    connect(&view_, &ContentView::statusMessageChanged, this, &StatusBanner::showState);
    showState();
}

void StatusBanner::showState() {
    const QString& message = view_.statusMessage();
    const Surface surface{statusHue(view_.statusKind()), tintOpacity};
    message_->setText(message);
    setTextColor(message_, Theme::text(surface.hue, surface));
    setFill(Theme::tint(surface));
    // The label tells assistive technology of its new text (a change of its name).
    setVisible(!message.isEmpty());
}
