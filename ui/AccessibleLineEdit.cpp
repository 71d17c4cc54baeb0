#include "ui/AccessibleLineEdit.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace {

class AccessibleLineEdit : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit AccessibleLineEdit(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return shown();
        const QString text = QAccessibleWidget::text(kind);
        if (text.isEmpty() && kind == QAccessible::Description)
            return edit()->placeholderText();
        return text;
    }

    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind != QAccessible::Value) {
            QAccessibleWidget::setText(kind, text);
        } else if (!edit()->isReadOnly()) {
            edit()->setText(text);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !edit()->isReadOnly();
        state.readOnly = edit()->isReadOnly();
        state.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        state.selected = edit()->hasSelectedText();
        return state;
    }

    // The whole text is one run without attributes.
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        const bool inside = offset >= 0 && offset <= characterCount();
        *startOffset = inside ? 0 : offset;
        *endOffset = inside ? characterCount() : offset;
        return QString();
    }

    int characterCount() const override { return int(shown().size()); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override {
        if (startOffset > endOffset)
            return QString();
        return shown().mid(startOffset, endOffset - startOffset);
    }

    QRect characterRect(int offset) const override {
        const QString text = shown();
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

    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }

    void selection(int index, int* startOffset, int* endOffset) const override {
        const bool has = index == 0 && edit()->hasSelectedText();
        *startOffset = has ? edit()->selectionStart() : 0;
        *endOffset = has ? edit()->selectionEnd() : 0;
    }

    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int index) override {
        if (index == 0)
            edit()->deselect();
    }
    void setSelection(int index, int startOffset, int endOffset) override {
        if (index == 0)
            edit()->setSelection(startOffset, endOffset - startOffset);
    }
    void scrollToSubstring(int startIndex, int) override { edit()->setCursorPosition(startIndex); }

    void deleteText(int startOffset, int endOffset) override {
        replaceText(startOffset, endOffset, QString());
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        if (!edit()->isReadOnly())
            edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
    // A password is read as the marks that stand for it, or not at all.
    QString shown() const {
        return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : edit()->displayText();
    }
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
