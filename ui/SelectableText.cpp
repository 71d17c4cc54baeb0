#include "ui/SelectableText.h"

#include "ui/TextLines.h"

#include <QFontMetrics>
#include <QResizeEvent>
#include <QTextDocument>
#include <QTextFrame>
#include <cmath>
#include <memory>

namespace {

// The text laid out at the given width; a width below 0 lays it out on as few lines as it has.
qreal laidOutHeight(const QTextDocument& document, qreal width, qreal* idealWidth = nullptr) {
    const std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setDefaultFont(document.defaultFont());
    copy->setDefaultTextOption(document.defaultTextOption());
    copy->setDocumentMargin(document.documentMargin());
    copy->rootFrame()->setFrameFormat(document.rootFrame()->frameFormat());
    copy->setTextWidth(width);
    if (idealWidth)
        *idealWidth = copy->idealWidth();
    return copy->size().height();
}

} // namespace

SelectableText::SelectableText(QWidget* parent)
    : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::ClickFocus);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    document()->setDocumentMargin(0);
    document()->setUndoRedoEnabled(false);
    // What stands behind it shows through, as behind a label.
    viewport()->setAutoFillBackground(false);
    QPalette transparent = palette();
    transparent.setColor(QPalette::Base, Qt::transparent);
    setPalette(transparent);
    connect(document(), &QTextDocument::contentsChanged, this, &QWidget::updateGeometry);
}

void SelectableText::setText(const QString& text) {
    if (text == toPlainText())
        return;
    setPlainText(text);
    // Capitals with a mark above (İ, Ö) reach past the font's ascent: the first line gets room
    // for the mark, or the edge cuts it off and "İstanbul" reads "Istanbul".
    const QFontMetrics metrics(document()->defaultFont());
    QTextFrameFormat root = document()->rootFrame()->frameFormat();
    const QRect tallest =
        metrics.tightBoundingRect(QStringLiteral("İÖÜÇŞĞ")); // measured, not shown
    root.setTopMargin(qMax(0, -tallest.top() - metrics.ascent()));
    document()->rootFrame()->setFrameFormat(root);
}

int SelectableText::heightForWidth(int width) const {
    const QMargins margins = contentsMargins();
    const qreal height =
        laidOutHeight(*document(), qMax(1, width - margins.left() - margins.right()));
    return int(std::ceil(qMax(height, qreal(fontMetrics().height())))) + margins.top() +
           margins.bottom();
}

QSize SelectableText::sizeHint() const {
    // On one line where there is room for it.
    const QMargins margins = contentsMargins();
    qreal ideal = 0;
    laidOutHeight(*document(), -1, &ideal);
    const int width = int(std::ceil(ideal)) + margins.left() + margins.right();
    return QSize(width, heightForWidth(width));
}

void SelectableText::keyPressEvent(QKeyEvent* event) {
    QTextCursor cursor = textCursor();
    if (moveByTextLine(event, cursor))
        setTextCursor(cursor);
    else
        QTextEdit::keyPressEvent(event);
}

QSize SelectableText::minimumSizeHint() const {
    const QMargins margins = contentsMargins();
    return QSize(fontMetrics().averageCharWidth() * 4 + margins.left() + margins.right(),
                 tallAsText_ ? heightForWidth(width())
                             : fontMetrics().height() + margins.top() + margins.bottom());
}

void SelectableText::setTallAsText(bool tall) {
    tallAsText_ = tall;
    updateGeometry();
}

void SelectableText::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    if (tallAsText_ && event->size().width() != event->oldSize().width())
        updateGeometry();
}
