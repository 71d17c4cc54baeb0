#pragma once

class QKeyEvent;
class QTextCursor;

// Up and Down in a read-only text go a line of the text at a time, however many lines of the
// screen it wraps over, so that a screen reader says each line once. Moves the cursor and returns
// true for those keys and for Ctrl+End, which goes to the start of the last line that holds text;
// Shift extends the selection. False for any other.
bool moveByTextLine(const QKeyEvent* event, QTextCursor& cursor);
