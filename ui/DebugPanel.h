#pragma once

#include <QWidget>

class ContentView;

// The activity log with its clear and copy controls; present while the log holds text.
class DebugPanel : public QWidget {
    Q_OBJECT

public:
    DebugPanel(ContentView& view, QWidget* parent = nullptr);

    // The panel's height once shown, before it is made.
    static int expectedHeight();

private:
    ContentView& view_;
};
