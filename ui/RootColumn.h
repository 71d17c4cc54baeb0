#pragma once

#include <QMainWindow>

class ContentView;
class QGroupBox;

// The window: one centred column of sections, each reading the converter state, scrolling where
// the window is shorter than the column. A PEM file dropped on it is picked; while one is dragged
// over it, the source card is outlined.
class RootColumn : public QMainWindow {
    Q_OBJECT

public:
    RootColumn(ContentView& view, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    ContentView& view_;
    QGroupBox* source_;
    QWidget* header_;
};
