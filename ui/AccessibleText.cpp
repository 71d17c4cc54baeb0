#include "ui/AccessibleText.h"

void* AccessibleText::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleText::text(QAccessible::Text kind) const {
    return kind == QAccessible::Value ? spoken() : QAccessibleWidget::text(kind);
}

QString AccessibleText::attributes(int offset, int* startOffset, int* endOffset) const {
    const bool inside = offset >= 0 && offset <= characterCount();
    *startOffset = inside ? 0 : offset;
    *endOffset = inside ? characterCount() : offset;
    return QString();
}

QString AccessibleText::text(int startOffset, int endOffset) const {
    return startOffset > endOffset ? QString() : spoken().mid(startOffset, endOffset - startOffset);
}

int AccessibleText::selectionCount() const {
    const auto [start, end] = selected();
    return start != end ? 1 : 0;
}

void AccessibleText::selection(int index, int* startOffset, int* endOffset) const {
    const auto [start, end] = selected();
    const bool has = index == 0 && start != end;
    *startOffset = has ? start : 0;
    *endOffset = has ? end : 0;
}

void AccessibleText::removeSelection(int index) {
    if (index == 0)
        setCursorPosition(cursorPosition());
}

void AccessibleText::setSelection(int index, int startOffset, int endOffset) {
    if (index == 0)
        select(startOffset, endOffset);
}
