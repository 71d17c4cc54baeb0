#include "ui/LogView.h"

#include "core/ContentView.h"
#include "ui/AppStyle.h"
#include "ui/TextLines.h"
#include "ui/Typography.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr qreal logTextPadding = 8;
constexpr qreal logCornerRadius = 8;
constexpr char16_t emojiPresentation = 0xFE0F;

// Inserts the text at the cursor. A symbol asked for as emoji (followed by U+FE0F, as "⚠️") is
// set in the colour face: the monospaced face has a black-and-white glyph of its own for some.
void insertWithColourEmoji(QTextCursor& cursor, const QString& text) {
    QTextCharFormat emoji;
    emoji.setFontFamilies({emojiFontFamily()});
    const QTextCharFormat plain;
    qsizetype from = 0;
    for (qsizetype selector = text.indexOf(QChar(emojiPresentation), 1); selector > 0;
         selector = text.indexOf(QChar(emojiPresentation), selector + 1)) {
        qsizetype symbol = selector - 1;
        if (symbol > from && text[symbol].isLowSurrogate())
            --symbol;
        if (symbol < from)
            continue;
        cursor.insertText(text.sliced(from, symbol - from), plain);
        cursor.insertText(text.sliced(symbol, selector + 1 - symbol), emoji);
        from = selector + 1;
    }
    cursor.insertText(text.sliced(from), plain);
}

} // namespace

LogView::LogView(ContentView& view, QWidget* parent)
    : QPlainTextEdit(parent)
    , view_(view) {
    setObjectName(QStringLiteral("logView"));
    setAccessibleName(QCoreApplication::translate("LogView", "Debug Bilgileri"));
    setReadOnly(true);
    // A caret that a screen reader follows line by line; the text stays read-only.
    setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    setTabChangesFocus(true);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setFont(monospacedFont(TextRole::footnote));
    document()->setDocumentMargin(logTextPadding);
    document()->setUndoRedoEnabled(false);
    // The window shows through around the tinted box.
    viewport()->setAutoFillBackground(false);
    QPalette transparent = palette();
    transparent.setColor(QPalette::Base, Qt::transparent);
    setPalette(transparent);

    connect(&view_, &ContentView::debugLineAppended, this, &LogView::appendLine);
    connect(&view_, &ContentView::debugOutputReplaced, this, &LogView::showWholeLog);
    showWholeLog();
}

void LogView::showWholeLog() {
    pendingLines_.clear();
    document()->clear();
    QTextCursor start(document());
    insertWithColourEmoji(start, view_.debugOutput());
    setTextCursor(QTextCursor(document()));
}

void LogView::appendLine(const QString& line) {
    // The flush is queued behind the lines already posted, so it takes them all at once.
    if (pendingLines_.isEmpty())
        QMetaObject::invokeMethod(this, &LogView::flushPendingLines, Qt::QueuedConnection);
    pendingLines_ += line;
}

void LogView::flushPendingLines() {
    if (pendingLines_.isEmpty())
        return;
    // A cursor of its own, not the view's, so the caret stays where it is. The view follows the
    // new lines while its end is in sight; scrolled up, it stays where the person left it.
    QScrollBar* bar = verticalScrollBar();
    const bool following = bar->value() == bar->maximum();
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    const bool wasEmpty = document()->isEmpty();
    insertWithColourEmoji(end, pendingLines_);
    pendingLines_.clear();
    if (following)
        bar->setValue(bar->maximum());
    // The caret, which stood where the first lines went in, goes back before them.
    if (wasEmpty)
        setTextCursor(QTextCursor(document()));
}

void LogView::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(viewport());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        // The text colour's tint: dark on a light window, light on a dark one.
        painter.setBrush(Theme::tint({Hue::label, 0.1}));
        painter.drawRoundedRect(QRectF(viewport()->rect()), logCornerRadius, logCornerRadius);
    }
    QPlainTextEdit::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(viewport());
        AppStyle::drawFocusRing(&painter, QRectF(viewport()->rect()), logCornerRadius);
    }
}

void LogView::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    viewport()->update();
}

void LogView::keyPressEvent(QKeyEvent* event) {
    QTextCursor cursor = textCursor();
    if (moveByTextLine(event, cursor))
        setTextCursor(cursor);
    else
        QPlainTextEdit::keyPressEvent(event);
}

void LogView::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    viewport()->update();
}
