#pragma once

#include <QGroupBox>

class ContentView;
class WrappingLabel;

// The last status message, coloured by its kind, with what the person needs next under it;
// present while there is one. Screen readers announce each new message with its reason.
class StatusBanner : public QGroupBox {
    Q_OBJECT

public:
    StatusBanner(ContentView& view, QWidget* parent = nullptr);

private:
    void showState();

    ContentView& view_;
    WrappingLabel* message_;
    WrappingLabel* detail_; // why it failed, or what was saved
};
