#include "support/PersonAtModals.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

namespace {

constexpr int lookEveryMs = 10;
// Long enough for a slow sanitizer build to bring a dialog up.
constexpr int giveUpAfterTicks = 15000 / lookEveryMs;

QWidget* focusedModal() {
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* focus = QApplication::focusWidget();
    if (!modal || !modal->isVisible() || !focus || (focus != modal && !modal->isAncestorOf(focus)))
        return nullptr;
    return modal;
}

} // namespace

PersonAtModals::PersonAtModals() {
    connect(&timer_, &QTimer::timeout, this, &PersonAtModals::look);
    timer_.start(lookEveryMs);
}

PersonAtModals::~PersonAtModals() = default;

PersonAtModals& PersonAtModals::at(const char* className, Step step) {
    steps_.push_back({className, std::move(step)});
    return *this;
}

void PersonAtModals::look() {
    QWidget* modal = focusedModal();
    if (modal && !steps_.empty() && modal->inherits(steps_.front().className)) {
        idleTicks_ = 0;
        const Step step = std::move(steps_.front().step);
        steps_.pop_front();
        step(modal);
        return;
    }
    QWidget* open = QApplication::activeModalWidget();
    if (!open && steps_.empty()) {
        idleTicks_ = 0;
        return;
    }
    if (++idleTicks_ < giveUpAfterTicks)
        return;
    // Nobody is left waiting on a window that never comes, nor on one nobody expected.
    idleTicks_ = 0;
    problems << QStringLiteral("waiting for %1 with focus; open: %2")
                    .arg(steps_.empty() ? QStringLiteral("nothing")
                                        : QLatin1String(steps_.front().className),
                         open ? QLatin1String(open->metaObject()->className())
                              : QLatin1String("nothing"));
    steps_.clear();
    if (auto* dialog = qobject_cast<QDialog*>(open))
        dialog->reject();
}

void typeText(QWidget* widget, const QString& text) {
    // QTest::keyClicks cannot send letters such as ş or ı; a key event carrying the text can.
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &release);
    }
}

void typeIntoFocus(const QString& text) {
    typeText(QApplication::focusWidget(), text);
}

void pressKey(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}
