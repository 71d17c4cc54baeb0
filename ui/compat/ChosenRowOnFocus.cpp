#include "ui/compat/ChosenRowOnFocus.h"

#include <QTreeView>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)

#include <QAccessible>
#include <QEvent>
#include <QTimer>

namespace {

class ChosenRowOnFocus : public QObject {
public:
    ChosenRowOnFocus(QTreeView* list, std::function<QModelIndex()> chosen)
        : QObject(list)
        , list_(list)
        , chosen_(std::move(chosen)) {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, this, [this] { readChosenRow(); });
        return QObject::eventFilter(watched, event);
    }

private:
    void readChosenRow() {
        const QModelIndex chosen = chosen_();
        if (!list_->hasFocus() || !chosen.isValid())
            return;
        list_->scrollTo(chosen);
        if (list_->currentIndex() != chosen) {
            list_->setCurrentIndex(chosen);
            return;
        }
        QAccessibleEvent current(list_, QAccessible::Focus);
        current.setChild((chosen.row() + 1) * list_->model()->columnCount() + chosen.column());
        QAccessible::updateAccessibility(&current);
    }

    QTreeView* const list_;
    const std::function<QModelIndex()> chosen_;
};

} // namespace

void readChosenRowOnFocus(QTreeView* list, std::function<QModelIndex()> chosen) {
    new ChosenRowOnFocus(list, std::move(chosen));
}

#else

void readChosenRowOnFocus(QTreeView*, std::function<QModelIndex()>) {}

#endif
