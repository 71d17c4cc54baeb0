#pragma once

#include "ui/RoundedBox.h"

class ContentView;
class QLabel;

// Green when the message holds "✅", otherwise red when it holds "❌", otherwise blue.
QColor statusColor(const QString& message);

// The last status message, coloured by its mark; present while there is one.
class StatusBanner : public RoundedBox {
    Q_OBJECT

public:
    StatusBanner(ContentView& view, QWidget* parent = nullptr);

private:
    void showState();

    ContentView& view_;
    QLabel* message_;
};
