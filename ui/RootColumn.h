#pragma once

#include <QWidget>

class ContentView;

// The window's content: one centred column of sections, each reading the converter state,
// scrolling where the window is shorter than the column. A PEM file dropped on it is picked.
class RootColumn : public QWidget {
    Q_OBJECT

public:
    RootColumn(ContentView& view, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    ContentView& view_;
};
