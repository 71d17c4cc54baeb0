#include "ui/LogView.h"

#include "core/ContentView.h"
#include "ui/Style.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

namespace {

constexpr qreal textPadding = 8;
constexpr qreal cornerRadius = 8;

} // namespace

LogView::LogView(ContentView& view, QWidget* parent)
    : QPlainTextEdit(parent)
    , view_(view) {
    setObjectName(QStringLiteral("logView"));
    setAccessibleName(QStringLiteral("Debug Bilgileri"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setFont(monospacedFont(TextRole::footnote));
    document()->setDocumentMargin(textPadding);
    document()->setUndoRedoEnabled(false);
    viewport()->setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));

    connect(&view_, &ContentView::debugLineAppended, this, &LogView::appendLine);
    connect(&view_, &ContentView::debugOutputReplaced, this, [this] {
        pendingLines_.clear();
        setPlainText(view_.debugOutput());
    });
    setPlainText(view_.debugOutput());
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
    // A cursor of its own, not the view's: the visible part stays where the person left it.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(pendingLines_);
    pendingLines_.clear();
}

QRectF LogView::textBox() const {
    const QPointF offset = contentOffset();
    QTextBlock block = firstVisibleBlock();
    const qreal viewportHeight = viewport()->height();
    const qreal firstTop = blockBoundingGeometry(block).translated(offset).top();
    // Edges out of sight are pushed past the viewport so that no rounded corner shows there.
    const qreal top =
        block == document()->firstBlock() ? firstTop - textPadding : -cornerRadius * 2;
    qreal bottom = firstTop;
    while (block.isValid() && bottom <= viewportHeight) {
        bottom += blockBoundingRect(block).height();
        block = block.next();
    }
    bottom = block.isValid() ? viewportHeight + cornerRadius * 2 : bottom + textPadding;
    return QRectF(0, top, viewport()->width(), bottom - top);
}

void LogView::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(viewport());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(withOpacity(SystemColor::black, 0.1));
        painter.drawRoundedRect(textBox(), cornerRadius, cornerRadius);
    }
    QPlainTextEdit::paintEvent(event);
}
