#pragma once

#include <QPlainTextEdit>

class ContentView;

// The activity log as text: lines are added as they arrive, a burst at a time, instead of setting
// the whole text again, so a long log stays cheap. New lines come into view while its end is in
// view. With keyboard focus it has a caret, as read-only text does, which Qt's own keys move and
// select with.
class LogView : public QPlainTextEdit {
    Q_OBJECT

public:
    LogView(ContentView& view, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void appendLine(const QString& line);
    void flushPendingLines();
    void showWholeLog();

    ContentView& view_;
    // Lines not yet in the document: a burst of lines becomes one insertion.
    QString pendingLines_;
};
