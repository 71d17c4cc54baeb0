#pragma once

#include "core/ContentView.h"
#include "ui/QtFileDialogs.h"
#include "ui/RootColumn.h"

// The application: one window whose content shows one ContentView. Needs a QApplication.
class RuveltaApp {
public:
    RuveltaApp();

    QWidget& window() { return window_; }

    // Sets up the QApplication, shows the window and runs until it closes.
    static int run(int argc, char** argv);

private:
    QtFileDialogs dialogs_;
    ContentView contentView_;
    RootColumn window_;
};
