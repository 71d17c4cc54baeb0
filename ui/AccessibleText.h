#pragma once

#include <QAccessibleWidget>
#include <utility>

// What screen readers are told of a widget's text, over the text it says: one run without
// attributes, its caret and one selection, all as offsets into that text. Qt 6.4's own readings
// give attributes as empty runs, and Orca 43, which builds what it says from those runs, then
// drops a line's last character.
class AccessibleText : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    using QAccessibleWidget::QAccessibleWidget;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;

    QString attributes(int offset, int* startOffset, int* endOffset) const override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return int(spoken().size()); }
    void setCursorPosition(int position) override { select(position, position); }
    int selectionCount() const override;
    void selection(int index, int* startOffset, int* endOffset) const override;
    void addSelection(int startOffset, int endOffset) override { select(startOffset, endOffset); }
    void removeSelection(int index) override;
    void setSelection(int index, int startOffset, int endOffset) override;

protected:
    // The whole text as it is said.
    virtual QString spoken() const = 0;
    // The selection's ends; equal ends when nothing is selected.
    virtual std::pair<int, int> selected() const = 0;
    // Selects from `startOffset` to `endOffset`; equal ends put the caret there.
    virtual void select(int startOffset, int endOffset) = 0;
};
