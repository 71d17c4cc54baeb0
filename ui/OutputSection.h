#pragma once

#include <QWidget>

class ContentView;
class QLineEdit;

// Where the person names the DER file.
class OutputSection : public QWidget {
    Q_OBJECT

public:
    OutputSection(ContentView& view, QWidget* parent = nullptr);

private:
    void showState();

    ContentView& view_;
    QLineEdit* nameField_ = nullptr;
};
