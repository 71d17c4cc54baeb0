#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class ContentView;

// Runs everything posted to `context` so far; false when that takes longer than the timeout.
bool drainPostedTasks(QObject* context, int timeoutMs = 5000);

// Waits until the run shows a status, then lets the log lines and steps it posted land.
bool waitForRunEnd(ContentView& view, int timeoutMs = 30000);

// A log line without its "[time] " stamp and closing line feed.
QString logMessage(const QString& line);

// The messages the view appends to its log while the recorder lives.
class LogRecorder : public QObject {
public:
    explicit LogRecorder(ContentView& view);
    QStringList messages;
};
