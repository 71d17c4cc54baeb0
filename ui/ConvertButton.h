#pragma once

#include <QPushButton>

class ContentView;
class QLabel;
class Spinner;

// The main action: starts a run; shows a spinner while the work is busy.
class ConvertButton : public QPushButton {
    Q_OBJECT

public:
    ConvertButton(ContentView& view, QWidget* parent = nullptr);

    QString label() const;

private:
    void showState();

    ContentView& view_;
    Spinner* spinner_;
    QLabel* label_;
};
