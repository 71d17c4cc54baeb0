#include "ui/AccessibleLog.h"

#include "ui/LogView.h"

#include <QAccessibleWidget>
#include <QRegularExpression>
#include <algorithm>

namespace {

class AccessibleLog : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleLog(LogView* log)
        : QAccessibleWidget(log, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? spoken() : QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        state.selected = log()->textCursor().hasSelection();
        return state;
    }

    // The whole text is one run without attributes.
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        const bool inside = offset >= 0 && offset <= characterCount();
        *startOffset = inside ? 0 : offset;
        *endOffset = inside ? characterCount() : offset;
        return QString();
    }

    QString text(int startOffset, int endOffset) const override {
        return startOffset > endOffset ? QString()
                                       : spoken().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(spoken().size()); }

    int cursorPosition() const override { return toSpoken(log()->textCursor().position()); }
    void setCursorPosition(int position) override { select(position, position); }

    int selectionCount() const override { return log()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int index, int* startOffset, int* endOffset) const override {
        const QTextCursor cursor = log()->textCursor();
        const bool has = index == 0 && cursor.hasSelection();
        *startOffset = has ? toSpoken(cursor.selectionStart()) : 0;
        *endOffset = has ? toSpoken(cursor.selectionEnd()) : 0;
    }
    void addSelection(int startOffset, int endOffset) override { select(startOffset, endOffset); }
    void removeSelection(int index) override {
        if (index == 0)
            setCursorPosition(cursorPosition());
    }
    void setSelection(int index, int startOffset, int endOffset) override {
        if (index == 0)
            select(startOffset, endOffset);
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        select(startIndex, endIndex);
        log()->ensureCursorVisible();
    }

    QRect characterRect(int offset) const override {
        if (offset < 0 || offset >= characterCount())
            return QRect();
        QTextCursor cursor(log()->document());
        cursor.setPosition(toShown(offset));
        const QRect caret = log()->cursorRect(cursor);
        const int width = log()->fontMetrics().horizontalAdvance(spoken().mid(offset, 1));
        return QRect(log()->viewport()->mapToGlobal(caret.topLeft()), QSize(width, caret.height()));
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint inside = log()->viewport()->mapFromGlobal(point);
        return log()->viewport()->rect().contains(inside)
                   ? toSpoken(log()->cursorForPosition(inside).position())
                   : -1;
    }

private:
    LogView* log() const { return static_cast<LogView*>(widget()); }

    // The log without its pictographs and the blank after each; shown_[i] is where the i-th
    // character spoken stands in the log, shown_.back() the log's end.
    const QString& spoken() const {
        const int revision = log()->document()->revision();
        if (revision == revision_)
            return spoken_;
        static const QRegularExpression picture(
            QStringLiteral("[\\x{1F000}-\\x{1FAFF}\\x{2600}-\\x{27BF}\\x{2B00}-\\x{2BFF}]"
                           "\\x{FE0F}? ?"));
        const QString shown = log()->document()->toPlainText();
        spoken_.clear();
        shown_.clear();
        qsizetype from = 0;
        auto keep = [&](qsizetype to) {
            for (qsizetype i = from; i < to; ++i)
                shown_.append(int(i));
            spoken_ += QStringView(shown).sliced(from, to - from);
        };
        for (const QRegularExpressionMatch& match : picture.globalMatch(shown)) {
            keep(match.capturedStart());
            from = match.capturedEnd();
        }
        keep(shown.size());
        shown_.append(int(shown.size()));
        revision_ = revision;
        return spoken_;
    }
    int toShown(int offset) const {
        spoken();
        return shown_[std::clamp<qsizetype>(offset, 0, shown_.size() - 1)];
    }
    int toSpoken(int position) const {
        spoken();
        return int(std::lower_bound(shown_.cbegin(), shown_.cend(), position) - shown_.cbegin());
    }
    void select(int startOffset, int endOffset) {
        QTextCursor cursor(log()->document());
        cursor.setPosition(toShown(startOffset));
        cursor.setPosition(toShown(endOffset), QTextCursor::KeepAnchor);
        log()->setTextCursor(cursor);
    }

    mutable int revision_ = -1;
    mutable QString spoken_;
    mutable QList<int> shown_;
};

QAccessibleInterface* logInterface(const QString&, QObject* object) {
    auto* log = qobject_cast<LogView*>(object);
    return log ? new AccessibleLog(log) : nullptr;
}

} // namespace

void installAccessibleLog() {
    QAccessible::installFactory(logInterface);
}
