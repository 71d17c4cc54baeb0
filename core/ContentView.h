#pragma once

#include "core/ProcessingStep.h"
#include "core/Run.h"
#include "pipeline/CertificateSummary.h"
#include "pipeline/MainQueue.h"
#include "pipeline/SerialGate.h"
#include "pipeline/ToolRunner.h"
#include "pipeline/WorkerPool.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

class FileDialogs;
class StagedFile;

// What a status message reports: the window colours it by this.
enum class StatusKind { notice, success, failure };

// The one owner of the converter's state and of every operation of the converter and the
// certificate pipeline. Lives on the GUI thread and is written there only; widgets observe it
// through the change signals and call its actions.
class ContentView : public QObject {
    Q_OBJECT

public:
    // `toolPath` is the openssl executable; only tests point it elsewhere.
    explicit ContentView(FileDialogs& dialogs, QString toolPath = openSslPath,
                         QObject* parent = nullptr);
    ~ContentView() override;

    const QString& urlString() const { return urlString_; }
    const QString& outputName() const { return outputName_; }
    const QString& statusMessage() const { return statusMessage_; }
    StatusKind statusKind() const { return statusKind_; }
    // What the person needs next, under the status: why a run failed, or what was saved. Set and
    // cleared with the status. statusMessageChanged comes at every end of a run, also one that
    // ends as the run before it did.
    const QString& statusDetail() const { return statusDetail_; }
    const QUrl& selectedPemFile() const { return selectedPemFile_; } // empty: no file
    bool isProcessing() const { return isProcessing_; }
    const QString& debugOutput() const { return debugOutput_; }
    ProcessingStep currentStep() const { return currentStep_; }
    double progress() const { return progress_; }

    // The two fields the window edits directly.
    void setUrlString(const QString& text);
    void setOutputName(const QString& name);

    // The window's actions.
    void startConversion();
    void resetAll();
    void selectPemFile();
    // What choosing a file in the open dialog does; also the action of a file dropped on the
    // window. An empty URL drops the pick.
    void pickPemFile(const QUrl& file);
    void clearSelectedFile();
    void clearDebugLog();
    void copyDebugLog();

    // Logs its verdict; true when the file holds both certificate markers.
    bool validatePemFile(const QUrl& fileUrl);

    // Both only post their write to the GUI thread's queue, so they may be called from any
    // thread; posted writes land in call order, after the caller returns to the event loop.
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

private:
    // A certificate on its way to the tool, and what its success will tell.
    struct Conversion {
        qsizetype certificatesInSource = 1;
        QString chainWarning; // why the server's chain did not verify, for a download
        QString inputFile;
        QString destination;
        std::shared_ptr<StagedFile> output; // where the tool writes, beside the destination
    };

    // The two sources of a run; both end in convertPemFileToDer.
    void downloadCertificateChain(const RunHandle& run);
    void convertPemFileToDer(const RunHandle& run, const QUrl& fileUrl,
                             const QString& chainWarning = QString());

    void startChainDownload(const RunHandle& run, const QString& host, int port,
                            const QString& chainFile);
    void fetchChain(const RunHandle& run, const QString& host, int port, const QString& chainFile);
    void handleDownloadResult(const RunHandle& run, const ToolResult& result,
                              const QString& address, const QString& chainFile);
    void convertFirstCertificate(const RunHandle& run, const QString& block, Conversion conversion);
    void convertToDer(const RunHandle& run, const Conversion& conversion);
    void handleConversionResult(const RunHandle& run, const ToolResult& result,
                                const Conversion& conversion,
                                const std::optional<CertificateSummary>& saved);
    // Log line (when given), failed step, status message with its reason, end of the busy
    // state.
    void reportFailure(const RunHandle& run, const QString& logMessage, const QString& status,
                       const QString& reason);

    // What a run writes through the queue; nothing without a run is ever dropped.
    void setStep(const RunHandle& run, ProcessingStep step, double progress);
    void appendDebugLog(const RunHandle& run, const QString& message);
    bool validatePemFile(const RunHandle& run, const QUrl& fileUrl);

    RunHandle startRun();
    // Ends every run in flight: their tools are ended and nothing they post lands any more.
    void abandonRuns();
    // The busy state is the newest run's: an older run's end leaves it alone.
    void endBusyState(const RunHandle& run);

    void setStatusMessage(const QString& message, StatusKind kind,
                          const QString& detail = QString());
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

    // `task`, to be run only while its run has not been abandoned.
    template <typename Task> static auto boundTo(RunHandle run, Task task) {
        return [run = std::move(run), task = std::move(task)]() mutable {
            if (!run || !run->abandoned)
                task();
        };
    }
    // Runs `task` on the GUI thread after everything posted before it, unless its run has been
    // abandoned by then.
    template <typename Task> void post(const RunHandle& run, Task task) {
        queue_.post(boundTo(run, std::move(task)));
    }

    FileDialogs& dialogs_;
    const QString toolPath_;

    QString urlString_;
    QString outputName_;
    QString statusMessage_;
    StatusKind statusKind_ = StatusKind::notice;
    QString statusDetail_;
    QUrl selectedPemFile_;
    bool isProcessing_ = false;
    QString debugOutput_;
    ProcessingStep currentStep_ = ProcessingStep::none;
    double progress_ = 0.0;

    // "first_cert.pem" is held from the moment a run writes it until its conversion has read
    // it, so overlapping runs never convert each other's certificate.
    SerialGate firstCertificateGate_{this};

    quint64 runsStarted_ = 0;
    QList<std::weak_ptr<Run>> runsInFlight_;
    MainQueue queue_;
    // Tool runs block a worker each, so the pool is not limited to the number of cores.
    static constexpr int maxConcurrentToolRuns = 64;
    WorkerPool workers_{maxConcurrentToolRuns};
};
