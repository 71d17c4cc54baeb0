#pragma once

#include <QWidget>

class ContentView;
class ConvertButton;
class QPushButton;

// The main button, and beside it the second action in one place: "Zinciri Getir" fetches and
// lists the typed address's chain without saving; while a run can be stopped, "Durdur" stands
// there instead, so that nothing moves as a run starts or ends.
class ActionRow : public QWidget {
    Q_OBJECT

public:
    ActionRow(ContentView& view, QWidget* parent = nullptr);

    ConvertButton* convertButton() const { return convert_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showState();

    ContentView& view_;
    ConvertButton* convert_;
    QPushButton* fetch_;
    QPushButton* stop_;
};
