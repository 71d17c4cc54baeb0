#pragma once

class QString;
class QWidget;

// Says `message` now, without moving the focus. Qt 6.8 has announcements for this; before it, a
// notification without text to show, in a corner of the window, says its message as it shows.
void announceNow(QWidget* from, const QString& message);
