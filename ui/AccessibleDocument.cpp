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

    int cursorPosition() const override { return edit()->textCursor().position(); }
    void scrollToSubstring(int startIndex, int endIndex) override {
        select(startIndex, endIndex);
        edit()->ensureCursorVisible();
    }

    QRect characterRect(int offset) const override {
        if (offset < 0 || offset >= characterCount())
            return QRect();
        QTextCursor cursor(edit()->document());
        cursor.setPosition(offset);
        const QRect caret = edit()->cursorRect(cursor);
        const int width = edit()->fontMetrics().horizontalAdvance(spoken().mid(offset, 1));
        return QRect(edit()->viewport()->mapToGlobal(caret.topLeft()),
                     QSize(width, caret.height()));
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint inside = edit()->viewport()->mapFromGlobal(point);
        return edit()->viewport()->rect().contains(inside)
                   ? edit()->cursorForPosition(inside).position()
                   : -1;
    }

protected:
    // Made again only when the text has changed: a long log is asked for a line at a time.
    QString spoken() const override {
        const int revision = edit()->document()->revision();
        if (revision != revision_) {
            spoken_ = picturesBlanked(edit()->document()->toPlainText());
            revision_ = revision;
        }
        return spoken_;
    }
    std::pair<int, int> selected() const override {
        const QTextCursor cursor = edit()->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }
    void select(int startOffset, int endOffset) override {
        const int end = characterCount();
        QTextCursor cursor(edit()->document());
        cursor.setPosition(std::clamp(startOffset, 0, end));
        cursor.setPosition(std::clamp(endOffset, 0, end), QTextCursor::KeepAnchor);
        edit()->setTextCursor(cursor);
    }

private:
    Edit* edit() const { return static_cast<Edit*>(widget()); }

    mutable int revision_ = -1;
    mutable QString spoken_;
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
