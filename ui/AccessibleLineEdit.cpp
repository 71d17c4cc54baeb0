#include "ui/AccessibleLineEdit.h"

#include "ui/AccessibleText.h"

#include <QLineEdit>

namespace {

class AccessibleLineEdit : public AccessibleText, public QAccessibleEditableTextInterface {
public:
    explicit AccessibleLineEdit(QLineEdit* edit)
        : AccessibleText(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return AccessibleText::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        const QString text = AccessibleText::text(kind);
        if (text.isEmpty() && kind == QAccessible::Description)
            return edit()->placeholderText();
        return text;
    }

    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind != QAccessible::Value) {
            AccessibleText::setText(kind, text);
        } else {
            type(text);
        }
    }

    // A field given a name of its own is named by it: its label then gives its access key and
    // its description, and is not read as its name too.
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto found = AccessibleText::relations(match);
        if (!edit()->accessibleName().isEmpty()) {
            found.removeIf(
                [](const auto& relation) { return relation.second.testFlag(QAccessible::Label); });
        }
        return found;
    }

    QAccessible::State state() const override {
        QAccessible::State state = AccessibleText::state();
        state.editable = !edit()->isReadOnly();
        state.readOnly = edit()->isReadOnly();
        state.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        state.selected = edit()->hasSelectedText();
        return state;
    }

    int cursorPosition() const override { return edit()->cursorPosition(); }

    QRect characterRect(int offset) const override {
        const QString text = spoken();
        if (offset < 0 || offset >= text.size())
            return QRect();
        // Measured from the caret, the one place the field tells where its text lies.
        const QFontMetrics metrics(edit()->font());
        const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.center().x() + metrics.horizontalAdvance(text.left(offset)) -
                      metrics.horizontalAdvance(text.left(edit()->cursorPosition()));
        const QRect rect(x, caret.top(), metrics.horizontalAdvance(text.mid(offset, 1)),
                         caret.height());
        return rect.translated(edit()->mapToGlobal(QPoint(0, 0)));
    }

    int offsetAtPoint(const QPoint& point) const override {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }

    void scrollToSubstring(int startIndex, int) override { edit()->setCursorPosition(startIndex); }

    void deleteText(int startOffset, int endOffset) override {
        replaceText(startOffset, endOffset, QString());
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        type(edit()->text().replace(startOffset, endOffset - startOffset, text));
    }

protected:
    // A password is read as the marks that stand for it, or not at all.
    QString spoken() const override {
        return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : edit()->displayText();
    }
    std::pair<int, int> selected() const override {
        return edit()->hasSelectedText()
                   ? std::pair(edit()->selectionStart(), edit()->selectionEnd())
                   : std::pair(0, 0);
    }
    void select(int startOffset, int endOffset) override {
        if (startOffset == endOffset)
            edit()->setCursorPosition(startOffset);
        else
            edit()->setSelection(startOffset, endOffset - startOffset);
    }

private:
    // Text from dictation or a braille display is the person's typing: it reaches whoever
    // listens for edits, as keys would.
    void type(const QString& text) {
        if (edit()->isReadOnly() || text == edit()->text())
            return;
        edit()->setText(text);
        Q_EMIT edit()->textEdited(text);
    }

    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* lineEditInterface(const QString&, QObject* object) {
    auto* edit = qobject_cast<QLineEdit*>(object);
    // A spin box's field is read through the spin box.
    if (!edit || edit->objectName() == QLatin1String("qt_spinbox_lineedit"))
        return nullptr;
    return new AccessibleLineEdit(edit);
}

} // namespace

void installAccessibleLineEdits() {
    QAccessible::installFactory(lineEditInterface);
}
