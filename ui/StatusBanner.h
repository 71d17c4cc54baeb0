#pragma once

#include "ui/RoundedBox.h"
#include "ui/Theme.h"

class ContentView;
class WrappingLabel;

// Green when the message holds "✅", otherwise red when it holds "❌", otherwise blue.
Hue statusHue(const QString& message);

// The last status message, coloured by its mark; present while there is one. Assistive
// technology hears of each new message.
class StatusBanner : public RoundedBox {
    Q_OBJECT

public:
    StatusBanner(ContentView& view, QWidget* parent = nullptr);

private:
    void showState();

    ContentView& view_;
    WrappingLabel* message_;
};
