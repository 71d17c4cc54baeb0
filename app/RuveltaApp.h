#pragma once

#include "core/ContentView.h"
#include "ui/QtFileDialogs.h"
#include "ui/RootColumn.h"

// The application: one window whose content shows one ContentView. Needs a QApplication.
class RuveltaApp {
public:
    // The window opens where and as large as it was last closed, where that still fits a
    // screen, and is remembered so as it goes.
    RuveltaApp();
    ~RuveltaApp();

    QWidget& window() { return window_; }

    // Names the application for the desktop, gives it its icon, Qt's texts in Turkish and its
    // look. Call once the QApplication exists, before the window is made.
    static void setUpApplication();
    // Sets up the QApplication, shows the window and runs until it closes.
    static int run(int argc, char** argv);

private:
    QtFileDialogs dialogs_;
    ContentView contentView_;
    RootColumn window_;
};
