#pragma once

#include "core/ProcessingStep.h"
#include "core/RunReport.h"
#include "pipeline/PemText.h"
#include "pipeline/ToolProcess.h"
#include "pipeline/WorkingFolder.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <chrono>
#include <functional>

class FileDialogs;
struct PemSource;
class QThreadPool;
struct SaveDialogRequest;

// How long the tools may run before the watchdog ends them, how long the busy state outlasts a
// conversion's result, and the clock a certificate's dates are held against. Tests change them;
// the window keeps these.
struct RunTimings {
    std::chrono::milliseconds download{20000};
    std::chrono::milliseconds conversion{10000};
    std::chrono::milliseconds busyEnd{2000};
    // For what a plain-text service says first.
    std::chrono::milliseconds greeting{2000};
    QDateTime (*now)() = &QDateTime::currentDateTimeUtc;
};

// The output name at start-up and after a reset, and the name proposed for a blank one.
inline const QString defaultOutputName = QStringLiteral("certificate");

// What the view lends every run it starts; it outlives them all.
struct RunContext {
    FileDialogs& dialogs;
    ToolRunner& tool;
    const RunTimings timings;
    const QString& outputName; // as typed at the moment a run reads it
    QThreadPool& fileReading;  // picked files are read there, one at a time, in start order
};

// One piece of work the person started, from its start action to its last write. Each kind is
// a class of its own that holds its data as members; the run owns its working folder, and as
// children its tool process and its timers. What it reports reaches the view through its
// signals, from calls queued behind everything it posted before; deleting it (a reset, or its
// end) ends its tool, removes its folder and drops all it would still have reported.
class Run : public QObject {
    Q_OBJECT

public:
    Run(quint64 serial, const RunContext& context, QObject* parent);

    const quint64 serial; // a run started later has a larger one

    virtual void start() = 0;

Q_SIGNALS:
    void stepReached(ProcessingStep step, double progress);
    void logged(const QString& time, const QString& message);
    // At once, not queued, as the status always was.
    void reported(const RunReport& report);
    void chainRead(const PemText& text, const QList<TextRange>& blocks, const QString& host,
                   const QString& chainWarning);
    void chainRowSaved(int row);
    void chainSavedAsPem(const QString& file);
    // The run has nothing more to do; the view takes its busy state back and deletes it.
    void ended();

protected:
    // A log line and a step are posted, landing once the caller is back in the event loop; a
    // report and the end act at once. So a failure's status and the end of the busy state are
    // seen before its log line and step, as they always were.
    void log(const QString& message);
    void step(ProcessingStep step, double progress);
    void report(const RunReport& report);
    // Log line (when given), failed step, the failure with its reason, end of the run.
    void fail(const QString& logMessage, RunReport::Outcome outcome, const QString& reason);
    void finish();
    // Ends the run once its result has been seen for a while.
    void finishAfterResult();

    // Asks, between steps, where the file goes. Once answered, answered() runs; a cancel ends
    // the run; a destination that exists as a file the person may not write is refused as
    // `refused`. Otherwise `save` gets the destination with the request's extension.
    void askWhereToSave(const SaveDialogRequest& request, RunReport::Outcome refused,
                        std::function<void(const QString& destination)> save);
    virtual void answered() {}

    // Writes a PEM file where the person chose, saying its size; a file that cannot be written
    // fails the run, and false is returned.
    bool savePemFile(const QString& destination, const QByteArray& pem);

    // Reads a picked file off the GUI thread, a file at a time in start order (a big one would
    // freeze the window); `then` goes on from a queued call, once the run is back on it.
    void readPemFile(const QString& path, std::function<void(const PemSource&)> then);

    const RunContext& context;
    WorkingFolder folder;
};
