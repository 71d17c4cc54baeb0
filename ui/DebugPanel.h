#pragma once

#include <QWidget>

class ContentView;

// The activity log with its clear and copy controls; present while the log holds text.
class DebugPanel : public QWidget {
    Q_OBJECT

public:
    DebugPanel(ContentView& view, QWidget* parent = nullptr);

private:
    ContentView& view_;
};
