#pragma once

// The application: one window whose content shows one ContentView.
class RuveltaApp {
public:
    static int run(int argc, char** argv);
};
