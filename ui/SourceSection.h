#pragma once

#include <QGroupBox>

class ContentView;
class QLineEdit;
class QPushButton;

// The two ways to name the certificate: an address to fetch, or a PEM file to pick.
class SourceSection : public QGroupBox {
    Q_OBJECT

public:
    SourceSection(ContentView& view, QWidget* parent = nullptr);

private:
    void showState();

    ContentView& view_;
    QLineEdit* urlField_ = nullptr;
    QPushButton* pickButton_ = nullptr;
};
