#include "ui/TextLines.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

bool moveByTextLine(const QKeyEvent* event, QTextCursor& cursor) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool extend = modifiers.testFlag(Qt::ShiftModifier);
    const auto mode = extend ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    const Qt::KeyboardModifiers others = modifiers & ~Qt::ShiftModifier;
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && others == Qt::NoModifier) {
        cursor.movePosition(event->key() == Qt::Key_Down ? QTextCursor::NextBlock
                                                         : QTextCursor::PreviousBlock,
                            mode);
        return true;
    }
    // The end of a text that ends with a line break is the empty line after it: the last line
    // is where there is something to read.
    if (event->key() == Qt::Key_End && others == Qt::ControlModifier) {
        cursor.movePosition(QTextCursor::End, mode);
        if (cursor.block().length() == 1 && cursor.block().previous().isValid())
            cursor.movePosition(QTextCursor::PreviousBlock, mode);
        return true;
    }
    return false;
}
