#pragma once

#include "core/Run.h"

#include <QObject>
#include <QString>
#include <QStringList>

class ContentView;

// The window's timings with the waits a test would sit out made short: the conversion's watchdog
// and the busy state after a result. The download's stays, so that no real download is cut.
inline constexpr RunTimings quickTimings{std::chrono::seconds(20), std::chrono::seconds(2),
                                         std::chrono::milliseconds(200)};

// Fails the calling test unless every field of the view holds its value from start-up.
void verifyInitialState(const ContentView& view);

// Runs everything posted to `context` so far; false when that takes longer than the timeout.
bool drainPostedTasks(QObject* context, int timeoutMs = 5000);

// Waits until the run shows a status, then lets the log lines and steps it posted land.
bool waitForRunEnd(ContentView& view, int timeoutMs = 30000);

// The working folders of runs under `tmpdir`, by path.
QStringList workingFolders(const QString& tmpdir);

// A log line without its "[time] " stamp and closing line feed.
QString logMessage(const QString& line);

// Whether the messages follow the pattern: each entry matches one message exactly, except
// "*", which stands for any run of messages, even none.
bool matchesLog(const QStringList& log, const QStringList& pattern);

// The lines under the status of the view's last run, without marks.
QStringList detailTexts(const ContentView& view);

// The status of a run that wrote its DER file.
QString succeededStatus(const QString& fileName);

// The messages the view appends to its log while the recorder lives.
class LogRecorder : public QObject {
public:
    explicit LogRecorder(ContentView& view);
    QStringList messages;
};
