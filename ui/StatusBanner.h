#pragma once

#include "core/ContentView.h"
#include "ui/Theme.h"

#include <QGroupBox>

class WrappingLabel;

// Green for a success, red for a failure, blue for a notice.
Hue statusHue(StatusKind kind);

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
