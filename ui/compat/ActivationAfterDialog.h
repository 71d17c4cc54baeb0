#pragma once

#include <QApplication>
#include <QWidget>

// Qt before 6.5, on X11: a window can pass its activation on to a dialog that is closing, and
// the window manager, which sees the window active already, sends no new activation. The window
// is made Qt's active one again; from Qt 6.5 on this does nothing.
inline void reactivateAfterDialog([[maybe_unused]] QWidget* window) {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    if (!window->isActiveWindow())
        QApplication::setActiveWindow(window);
#endif
}
