#include "ui/WindowKeys.h"

#include "core/ContentView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
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

// A control reached by its key comes into view in the scroll area it is in, as one reached by Tab
// does.
void bringIntoView(QWidget* control) {
    for (QWidget* above = control->parentWidget(); above; above = above->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(above)) {
            area->ensureWidgetVisible(control);
            return;
        }
    }
}

// Return and Enter press the button that has the focus, as Space does: what a person expects of
// a button outside a dialog too. A control reached by its access key comes into view.
class KeyHabits : public QObject {
public:
    explicit KeyHabits(QWidget* window)
        : QObject(window)
        , window_(window) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            auto* control = qobject_cast<QWidget*>(watched);
            if (control && control->window() == window_ &&
                static_cast<QFocusEvent*>(event)->reason() == Qt::ShortcutFocusReason)
                bringIntoView(control);
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || button->window() != window_ || key->modifiers() & ~Qt::KeypadModifier ||
            (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
            return false;
        button->animateClick();
        return true;
    }

private:
    QWidget* window_;
};

void addKey(QWidget* window, const QKeySequence& keys, const std::function<void()>& act) {
    QObject::connect(new QShortcut(keys, window), &QShortcut::activated, window, act);
}

} // namespace

void addWindowKeys(QWidget* window, ContentView& view, const QList<QWidget*>& sections) {
    new KeyHabits(window);
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
