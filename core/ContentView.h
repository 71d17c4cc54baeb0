#pragma once

#include "core/CertificateChain.h"
#include "core/ProcessingStep.h"
#include "core/Run.h"
#include "core/RunReport.h"
#include "pipeline/ToolProcess.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QThreadPool>
#include <QUrl>
#include <memory>

class FileDialogs;

// The one owner of the converter's state: widgets observe it through the change signals and call
// its actions. Each action that outlives its call starts a run of its kind, whose reports it
// applies to the state. Lives on the GUI thread and is written there only.
class ContentView : public QObject {
    Q_OBJECT

public:
    // `toolPath` is the openssl executable, taken as it is; without one, the tool is located
    // and its version checked. Only tests point it elsewhere, put a stand-in in its place, or
    // shorten the timings.
    explicit ContentView(FileDialogs& dialogs, const QString& toolPath = QString(),
                         RunTimings timings = RunTimings(), QObject* parent = nullptr);
    ContentView(FileDialogs& dialogs, std::unique_ptr<ToolRunner> tool, RunTimings timings,
                QObject* parent = nullptr);
    ~ContentView() override;

    const QString& urlString() const { return urlString_; }
    const QString& outputName() const { return outputName_; }
    // What the last run came to; statusMessageChanged comes at every end of a run, also one that
    // ends as the run before it did.
    const RunReport& report() const { return report_; }
    // The status text composed from the report; empty while there is none.
    QString statusMessage() const;
    StatusKind statusKind() const { return report_.kind(); }
    // The file the status says was saved; empty with any other status.
    const QString& savedFile() const { return report_.savedFile; }
    const QUrl& selectedPemFile() const { return selectedPemFile_; } // empty: no file
    bool isProcessing() const { return isProcessing_; }
    // A run is at work and has not said how it ended: a stop would end it. A picked file's
    // conversion is one too, though it never makes the window busy.
    bool canStop() const { return !unreported_.isEmpty(); }
    const QString& debugOutput() const { return debugOutput_; }
    ProcessingStep currentStep() const { return currentStep_; }
    double progress() const { return progress_; }
    // The certificates of the source: those of a file as soon as it is picked, every one a
    // download or a fetch brought. Emptied as a new conversion starts.
    CertificateChain& chain() { return chain_; }

    // The two fields the window edits directly. An address typed drops a picked file, as a pick
    // empties the address: the source is the one chosen last. Either takes the last result away.
    void setUrlString(const QString& text);
    void setOutputName(const QString& name);

    // The window's actions.
    void startConversion();
    // Fetches the typed address's chain and lists it, saving nothing; busy as a download is.
    void fetchChain();
    void resetAll();
    // Ends the run in flight as a reset would, keeping what was typed and picked; says so in the
    // status and the log. A run that has reported its result is not stopped: it only waits out
    // its busy time, and what it reported stands.
    void stopRun();
    void selectPemFile();
    // What choosing a file in the open dialog does; also the action of a file dropped on the
    // window. An empty URL drops the pick.
    void pickPemFile(const QUrl& file);
    void clearSelectedFile();
    void clearDebugLog();
    void copyDebugLog();
    // What can be done with the chain's certificates once a conversion has listed them; nothing
    // while a run is busy.
    void saveChainCertificate(int row);
    void saveChainCertificateAsPem(int row);
    void saveChainAsPem();
    void copyCertificateDetails(int row);
    void copyCertificatePem(int row);

    // Logs its verdict; true when the file holds both certificate markers.
    bool validatePemFile(const QUrl& fileUrl);

    // Both only post their write to the GUI thread's event queue; posted writes land in call
    // order, after the caller returns to the event loop.
    void setStep(ProcessingStep step, double progress);
    void appendDebugLog(const QString& message);

    // "1.0" when the application carries no version.
    static QString appVersion();

Q_SIGNALS:
    void urlStringChanged();
    void outputNameChanged();
    void statusMessageChanged();
    void selectedPemFileChanged();
    void isProcessingChanged();
    void canStopChanged();
    // A change of the log is either an appended line or a replacement of the whole text;
    // debugOutputChanged follows both, so a view can add a line without taking it all again.
    void debugLineAppended(const QString& line);
    void debugOutputReplaced();
    void debugOutputChanged();
    void currentStepChanged();
    void progressChanged();
    // Another source was chosen while a chain was listed: the list went with its result.
    void chainForgotten();

private:
    // Starts `run`, whose reports land in the state until it ends or is deleted. A run that
    // reports no result cannot be stopped.
    enum class Stoppable : bool { no, yes };
    void launch(Run* run, Stoppable stoppable = Stoppable::yes);
    void settle(const Run* run);
    // Begins a download of the typed address: busy, with a fresh status and log.
    void download(Run* run);
    // Not while busy, and only a row that is listed.
    bool canSaveRow(int row) const;
    // The busy state is the newest download's: an older run's end leaves it alone. The run goes
    // once what it posted before has landed.
    void finishRun(Run* run);
    // Deletes every run in flight: their tools are ended and nothing they posted lands.
    void abandonRuns();
    void appendLine(const QString& time, const QString& message);

    void setReport(const RunReport& report);
    // Another source was chosen: the last result, its status and chain, were the old one's.
    void forgetResult();
    void setProcessing(bool processing);
    void setSelectedPemFile(const QUrl& file);
    void setDebugOutput(const QString& text);
    void setCurrentStep(ProcessingStep step);
    void setProgress(double progress);

    // Writes a field and announces the change; writing the value it holds announces nothing.
    template <typename T> void assign(T& field, const T& value, void (ContentView::*changed)()) {
        if (field == value)
            return;
        field = value;
        Q_EMIT(this->*changed)();
    }

    QString urlString_;
    QString outputName_;
    RunReport report_;
    QUrl selectedPemFile_;
    bool isProcessing_ = false;
    QString debugOutput_;
    ProcessingStep currentStep_ = ProcessingStep::none;
    double progress_ = 0.0;

    CertificateChain chain_;
    // Picked files are read one at a time, so that runs reach their save dialogs in the order
    // they started.
    QThreadPool fileReading_;
    const std::unique_ptr<ToolRunner> tool_;
    const RunContext runContext_;

    quint64 runsStarted_ = 0;
    quint64 busyRun_ = 0;   // the serial of the download that made the window busy
    QPointer<Run> listing_; // the picked file's, while it is read
    QSet<const Run*> unreported_;
};
