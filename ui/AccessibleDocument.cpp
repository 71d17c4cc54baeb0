#include "ui/AccessibleDocument.h"

#include "ui/AccessibleText.h"
#include "ui/LogView.h"
#include "ui/SelectableText.h"
#include "ui/Spoken.h"

#include <algorithm>

namespace {

// `Edit` is QPlainTextEdit or QTextEdit, which share what is asked of them here.
template <typename Edit> class AccessibleDocument : public AccessibleText {
public:
    explicit AccessibleDocument(Edit* edit)
        : AccessibleText(edit, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = AccessibleText::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        state.selected = edit()->textCursor().hasSelection();
        return state;
    }

    int cursorPosition() const override { return toSpoken(edit()->textCursor().position()); }
    void scrollToSubstring(int startIndex, int endIndex) override {
        select(startIndex, endIndex);
        edit()->ensureCursorVisible();
    }

    QRect characterRect(int offset) const override {
        if (offset < 0 || offset >= characterCount())
            return QRect();
        QTextCursor cursor(edit()->document());
        cursor.setPosition(toShown(offset));
        const QRect caret = edit()->cursorRect(cursor);
        const int width = edit()->fontMetrics().horizontalAdvance(spoken().mid(offset, 1));
        return QRect(edit()->viewport()->mapToGlobal(caret.topLeft()),
                     QSize(width, caret.height()));
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint inside = edit()->viewport()->mapFromGlobal(point);
        return edit()->viewport()->rect().contains(inside)
                   ? toSpoken(edit()->cursorForPosition(inside).position())
                   : -1;
    }

protected:
    QString spoken() const override { return map().spoken; }
    std::pair<int, int> selected() const override {
        const QTextCursor cursor = edit()->textCursor();
        return {toSpoken(cursor.selectionStart()), toSpoken(cursor.selectionEnd())};
    }
    void select(int startOffset, int endOffset) override {
        QTextCursor cursor(edit()->document());
        cursor.setPosition(toShown(startOffset));
        cursor.setPosition(toShown(endOffset), QTextCursor::KeepAnchor);
        edit()->setTextCursor(cursor);
    }

private:
    Edit* edit() const { return static_cast<Edit*>(widget()); }

    // Made again only when the text has changed: a long log is asked for a line at a time.
    const SpokenMap& map() const {
        const int revision = edit()->document()->revision();
        if (revision != revision_) {
            map_ = spokenMap(edit()->document()->toPlainText());
            revision_ = revision;
        }
        return map_;
    }
    int toShown(int offset) const {
        const QList<int>& shownAt = map().shownAt;
        return shownAt[std::clamp<qsizetype>(offset, 0, shownAt.size() - 1)];
    }
    int toSpoken(int position) const {
        const QList<int>& shownAt = map().shownAt;
        return int(std::lower_bound(shownAt.cbegin(), shownAt.cend(), position) - shownAt.cbegin());
    }
    mutable int revision_ = -1;
    mutable SpokenMap map_;
};

QAccessibleInterface* documentInterface(const QString&, QObject* object) {
    if (auto* log = qobject_cast<LogView*>(object))
        return new AccessibleDocument<QPlainTextEdit>(log);
    if (auto* text = qobject_cast<SelectableText*>(object))
        return new AccessibleDocument<QTextEdit>(text);
    return nullptr;
}

} // namespace

void installAccessibleDocuments() {
    QAccessible::installFactory(documentInterface);
}
