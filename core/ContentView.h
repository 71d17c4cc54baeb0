#pragma once

#include "core/CertificateChain.h"
#include "core/ProcessingStep.h"
#include "core/Run.h"
#include "core/RunReport.h"
#include "pipeline/ToolProcess.h"

#include <QObject>
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
    const QString& debugOutput() const { return debugOutput_; }
    ProcessingStep currentStep() const { return currentStep_; }
    double progress() const { return progress_; }
    // The certificates of the last source converted: every one a download brought, those of a
    // file that holds more than one. Emptied as a new conversion starts.
    CertificateChain& chain() { return chain_; }

    // The two fields the window edits directly. An address typed drops a picked file, as a pick
    // empties the address: the source is the one chosen last. Either takes the last result away.
    void setUrlString(const QString& text);
    void setOutputName(const QString& name);

    // The window's actions.
    void startConversion();
    void resetAll();
    // Ends the run in flight as a reset would, keeping what was typed and picked; says so in the
    // status and the log.
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
    void saveChainAsPem();
    void copyCertificateDetails(int row);

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
    // Starts `run`, whose reports land in the state until it ends or is deleted.
    void launch(Run* run);
    // The busy state is the newest run's: an older run's end leaves it alone. The run goes once
    // what it posted before has landed.
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
};
