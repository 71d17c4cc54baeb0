#include "ui/AccessibleLog.h"

#include "ui/AccessibleText.h"
#include "ui/LogView.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

class AccessibleLog : public AccessibleText {
public:
    explicit AccessibleLog(LogView* log)
        : AccessibleText(log, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = AccessibleText::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        state.selected = log()->textCursor().hasSelection();
        return state;
    }

    int cursorPosition() const override { return toSpoken(log()->textCursor().position()); }
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

protected:
    QString spoken() const override { return spokenText(); }
    std::pair<int, int> selected() const override {
        const QTextCursor cursor = log()->textCursor();
        return {toSpoken(cursor.selectionStart()), toSpoken(cursor.selectionEnd())};
    }
    void select(int startOffset, int endOffset) override {
        QTextCursor cursor(log()->document());
        cursor.setPosition(toShown(startOffset));
        cursor.setPosition(toShown(endOffset), QTextCursor::KeepAnchor);
        log()->setTextCursor(cursor);
    }

private:
    LogView* log() const { return static_cast<LogView*>(widget()); }

    // The log without its pictographs and the blank after each; shown_[i] is where the i-th
    // character spoken stands in the log, shown_.back() the log's end.
    const QString& spokenText() const {
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
        spokenText();
        return shown_[std::clamp<qsizetype>(offset, 0, shown_.size() - 1)];
    }
    int toSpoken(int position) const {
        spokenText();
        return int(std::lower_bound(shown_.cbegin(), shown_.cend(), position) - shown_.cbegin());
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
