#pragma once

#include <QGroupBox>

class ContentView;
class QLabel;
class QPushButton;

// The picked PEM file, with the control that drops it.
class SelectedFileCard : public QGroupBox {
    Q_OBJECT

public:
    SelectedFileCard(ContentView& view, QWidget* parent = nullptr);

private:
    void showState();

    ContentView& view_;
    QLabel* fileName_ = nullptr;
    QPushButton* remove_ = nullptr;
};
