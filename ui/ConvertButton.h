#pragma once

#include <QPushButton>
#include <QTimer>

class ContentView;

// The main action: starts a run; shows a turning busy icon while the work is busy.
class ConvertButton : public QPushButton {
    Q_OBJECT

public:
    ConvertButton(ContentView& view, QWidget* parent = nullptr);

private:
    void showState();

    ContentView& view_;
    QTimer turning_;
};
