#include "ui/DeferredSection.h"

#include <QEvent>
#include <QVBoxLayout>

namespace {

bool takesTab(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

} // namespace

DeferredSection::DeferredSection(Make make, QWidget* parent)
    : QWidget(parent)
    , make_(std::move(make)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setVisible(false);
}

void DeferredSection::build() {
    if (section_)
        return;
    section_ = make_(this);
    make_ = nullptr;
    section_->installEventFilter(this);
    layout()->addWidget(section_);
    takeTabPlace();
    setVisible(!section_->isHidden());
}

bool DeferredSection::eventFilter(QObject* watched, QEvent* event) {
    if (watched == section_ && event->type() == QEvent::ShowToParent)
        setVisible(true);
    else if (watched == section_ && event->type() == QEvent::HideToParent)
        setVisible(false);
    return QWidget::eventFilter(watched, event);
}

// A widget made late comes last in the tab order: the section's controls move, in their order,
// to where this place stands. Qt moves only widgets that take the focus; this place takes it for
// as long as that lasts.
void DeferredSection::takeTabPlace() {
    QList<QWidget*> controls;
    for (QWidget* next = section_; next == section_ || section_->isAncestorOf(next);
         next = next->nextInFocusChain()) {
        if (takesTab(next))
            controls.append(next);
    }
    setFocusPolicy(Qt::TabFocus);
    QWidget* before = this;
    for (QWidget* control : std::as_const(controls)) {
        QWidget::setTabOrder(before, control);
        before = control;
    }
    setFocusPolicy(Qt::NoFocus);
}
