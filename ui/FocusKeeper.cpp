#include "ui/FocusKeeper.h"

#include "ui/compat/ActivationAfterDialog.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

FocusKeeper::FocusKeeper(QWidget* window, QList<QWidget*> safeControls)
    : QObject(window) {
    for (QWidget* control : safeControls)
        safe_.append(control);
    // The person put the focus somewhere: nothing waits any more.
    connect(qApp, &QApplication::focusChanged, this, [this, window](QWidget*, QWidget* now) {
        if (now && window->isAncestorOf(now))
            waiting_ = false;
    });
}

FocusKeeper* FocusKeeper::of(QWidget* widget) {
    return widget->window()->findChild<FocusKeeper*>(QString(), Qt::FindDirectChildrenOnly);
}

bool FocusKeeper::holdsFocus(QWidget* widget) {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

void FocusKeeper::setPresent(QWidget* widget, bool present) {
    change(widget, present, &QWidget::setVisible);
}

void FocusKeeper::setAvailable(QWidget* widget, bool available) {
    change(widget, available, &QWidget::setEnabled);
}

void FocusKeeper::change(QWidget* widget, bool on, void (QWidget::*set)(bool)) {
    FocusKeeper* keeper = of(widget);
    if (!on && holdsFocus(widget)) {
        if (keeper)
            keeper->handOver(widget);
        else
            widget->clearFocus();
    }
    (widget->*set)(on);
    if (keeper && on)
        keeper->offer();
}

void FocusKeeper::settle(QWidget* window, QWidget* previous) {
    // Once the dialog's own windows (a completion list among them) have gone.
    QTimer::singleShot(0, window, [window, previous = QPointer<QWidget>(previous)] {
        window->activateWindow();
        reactivateAfterDialog(window);
        if (previous && previous->isVisible() && previous->isEnabled()) {
            previous->setFocus(Qt::OtherFocusReason);
        } else if (FocusKeeper* keeper = of(window)) {
            // Not wherever Qt put it when the window came back.
            if (QWidget* focus = window->focusWidget())
                focus->clearFocus();
            keeper->waiting_ = true;
            keeper->offer();
        }
    });
}

void FocusKeeper::handOver(QWidget* leaving) {
    for (QWidget* control : std::as_const(safe_)) {
        if (control && control != leaving && !leaving->isAncestorOf(control) &&
            control->isVisible() && control->isEnabled()) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    // Cleared before the control goes, so that Qt does not pass the focus on itself.
    QApplication::focusWidget()->clearFocus();
    waiting_ = true;
}

void FocusKeeper::offer() {
    if (!waiting_)
        return;
    for (QWidget* control : std::as_const(safe_)) {
        if (control && control->isVisible() && control->isEnabled()) {
            control->setFocus(Qt::OtherFocusReason);
            waiting_ = false;
            return;
        }
    }
}
