#include "ui/StatusBanner.h"

#include "core/ContentView.h"
#include "ui/Style.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// The narrowest column leaves this much for the text inside the banner's padding.
constexpr int maximumTextWidth = 600;

} // namespace

QColor statusColor(const QString& message) {
    if (message.contains(u"✅"))
        return SystemColor::green;
    if (message.contains(u"❌"))
        return SystemColor::red;
    return SystemColor::blue;
}

StatusBanner::StatusBanner(ContentView& view, QWidget* parent)
    : RoundedBox(QColor(), 8, parent)
    , view_(view)
    , message_(makeLabel(QString(), TextRole::body)) {
    setObjectName(QStringLiteral("statusBanner"));
    message_->setObjectName(QStringLiteral("statusMessage"));
    message_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(defaultPadding, defaultPadding, defaultPadding, defaultPadding);
    layout->addWidget(message_);

    connect(&view_, &ContentView::statusMessageChanged, this, &StatusBanner::showState);
    showState();
}

void StatusBanner::showState() {
    const QString& message = view_.statusMessage();
    setVisible(!message.isEmpty());
    const QColor color = statusColor(message);
    message_->setText(message);
    // As wide as the text up to the column's width, so that the wrapped height is measured at
    // the width the label really gets.
    const int textWidth = message_->fontMetrics().horizontalAdvance(message) + 1;
    message_->setMinimumWidth(qMin(textWidth, maximumTextWidth));
    setTextColor(message_, color);
    setFill(withOpacity(color, 0.2));
}
