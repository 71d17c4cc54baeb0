#include "ui/WindowKeys.h"

#include "core/ContentView.h"

#include <QApplication>
#include <QShortcut>
#include <QWidget>

namespace {

// The first control in the section that Tab would stop at.
QWidget* firstStop(QWidget* section) {
    if (!section->isVisible())
        return nullptr;
    QWidget* widget = section;
    do {
        if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus))
            return widget;
        widget = widget->nextInFocusChain();
    } while (widget != section && section->isAncestorOf(widget));
    return nullptr;
}

// To the next section (`step` 1) or the one before (-1) that has a control to stop at.
void moveBetween(const QList<QWidget*>& sections, int step) {
    const QWidget* focus = QApplication::focusWidget();
    qsizetype at = -1;
    for (qsizetype i = 0; i < sections.size(); ++i) {
        if (focus && (sections[i] == focus || sections[i]->isAncestorOf(focus)))
            at = i;
    }
    if (at < 0)
        at = step > 0 ? sections.size() - 1 : 0;
    for (qsizetype n = 1; n <= sections.size(); ++n) {
        const qsizetype next =
            ((at + step * n) % sections.size() + sections.size()) % sections.size();
        if (QWidget* stop = firstStop(sections[next])) {
            stop->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

void addKey(QWidget* window, const QKeySequence& keys, const std::function<void()>& act) {
    QObject::connect(new QShortcut(keys, window), &QShortcut::activated, window, act);
}

} // namespace

void addWindowKeys(QWidget* window, ContentView& view, const QList<QWidget*>& sections) {
    addKey(window, QKeySequence::Open, [&view] {
        if (!view.isProcessing())
            view.selectPemFile();
    });
    addKey(window, QKeySequence(Qt::CTRL | Qt::Key_Q), [window] { window->close(); });
    // What was typed stays: only the run goes.
    addKey(window, QKeySequence(Qt::Key_Escape), [&view] { view.stopRun(); });
    addKey(window, QKeySequence(Qt::Key_F6), [sections] { moveBetween(sections, 1); });
    addKey(window, QKeySequence(Qt::SHIFT | Qt::Key_F6), [sections] { moveBetween(sections, -1); });
}
