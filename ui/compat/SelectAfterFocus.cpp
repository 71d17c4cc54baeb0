#include "ui/compat/SelectAfterFocus.h"

#include <QLineEdit>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)

#include <QCoreApplication>
#include <QFocusEvent>

namespace {

class SelectAfterFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn)
            return QObject::eventFilter(watched, event);
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* field = static_cast<QLineEdit*>(watched);
        if ((reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
             reason != Qt::ShortcutFocusReason) ||
            !field->inputMask().isEmpty() || field->hasSelectedText())
            return false;
        // The field takes the focus as from a click, which selects nothing; the focus is told
        // as this returns.
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(field, &plain);
        QMetaObject::invokeMethod(
            field,
            [field] {
                if (field->hasFocus())
                    field->selectAll();
            },
            Qt::QueuedConnection);
        return true;
    }
};

} // namespace

void selectAfterFocus(QLineEdit* field) {
    field->installEventFilter(new SelectAfterFocus(field));
}

#else

void selectAfterFocus(QLineEdit*) {}

#endif
