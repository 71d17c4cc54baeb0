#pragma once

#include "core/CertificateChain.h"
#include "core/ProcessingStep.h"
#include "core/Run.h"
#include "pipeline/CertificateSummary.h"
#include "pipeline/DownloadTarget.h"
#include "pipeline/HttpProxy.h"
#include "pipeline/PemSource.h"
#include "pipeline/PemText.h"
#include "pipeline/ToolProcess.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QUrl>
#include <memory>
#include <optional>

class FileDialogs;
class StagedFile;

// The output name at start-up and after a reset.
inline const QString defaultOutputName = QStringLiteral("certificate");

// What a status message reports: the window colours it by this.
enum class StatusKind { notice, success, failure };

// The one owner of the converter's state and of every operation of the converter and the
// certificate pipeline. Lives on the GUI thread and is written there only; widgets observe it
// through the change signals and call its actions.
class ContentView : public QObject {
    Q_OBJECT

public:
    // `toolPath` is the openssl executable; only tests point it elsewhere, or shorten the
    // timings.
    explicit ContentView(FileDialogs& dialogs, QString toolPath = openSslPath,
                         RunTimings timings = RunTimings(), QObject* parent = nullptr);
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
    // The certificates of the last source converted: every one a download brought, those of a
    // file that holds more than one. Emptied as a new conversion starts.
    CertificateChain& chain() { return chain_; }

    // The two fields the window edits directly. An address typed drops a picked file, as a pick
    // empties the address: the source is the one chosen last.
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

private:
    // A certificate on its way to the tool, and what its success will tell.
    struct Conversion {
        qsizetype certificatesInSource = 1;
        int chainRow = 0;               // which of them is converted
        QString chainWarning;           // why the server's chain did not verify, for a download
        QString host;                   // the host typed, for a download
        QString proposedName;           // what the save dialog proposes, without the extension
        CertificateSummary certificate; // read before anyone is asked where to save it
        // The source's certificates, listed once the person has chosen where the first goes.
        std::optional<std::pair<PemText, QList<TextRange>>> chainToList;
        QString inputFile;
        QString destination;
        std::shared_ptr<StagedFile> output; // where the tool writes, beside the destination
    };

    // The two sources of a run; both end in convertPemFileToDer. A download hands over the chain
    // it has in memory with the file it saved it to.
    void downloadCertificateChain(Run* run);
    void convertPemFileToDer(Run* run, const QUrl& fileUrl, std::optional<PemText> known,
                             Conversion conversion);

    void convertPemSource(Run* run, const QString& path, const PemSource& source,
                          Conversion conversion);
    void startChainDownload(Run* run, const DownloadTarget& target,
                            const std::optional<HttpProxy>& proxy, const QString& chainFile);
    void handleDownloadResult(Run* run, const ToolResult& result, const DownloadTarget& target,
                              const std::optional<HttpProxy>& proxy, const QString& chainFile);
    void convertCertificate(Run* run, const QString& block, Conversion conversion);
    // The save dialog was cancelled.
    void cancelSave(Run* run);
    void listChain(const Conversion& conversion);
    void convertToDer(Run* run, const Conversion& conversion);
    void handleConversionResult(Run* run, const ToolResult& result, const Conversion& conversion);
    // Log line (when given), failed step, status message with its reason, end of the run.
    void reportFailure(Run* run, const QString& logMessage, const QString& status,
                       const QString& reason);

    // What a run writes through the queue; it is dropped if the run goes first.
    void setStep(Run* run, ProcessingStep step, double progress);
    void appendDebugLog(Run* run, const QString& message);
    bool validatePem(Run* run, const std::optional<PemText>& text, const QString& path);

    Run* startRun();
    // The busy state is the newest run's: an older run's end leaves it alone. The run goes once
    // what it posted before has landed.
    void finishRun(Run* run);
    // Ends the run once its result has been seen for a while.
    void finishRunAfterResult(Run* run);
    // Deletes every run in flight: their tools are ended and nothing they posted lands.
    void abandonRuns();

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

    // Runs `task` on the GUI thread once it is back in its event loop, after everything posted
    // before it; never if the run is deleted first.
    template <typename Task> void post(Run* run, Task task) {
        QObject* context = run;
        if (!context)
            context = this;
        QMetaObject::invokeMethod(context, std::move(task), Qt::QueuedConnection);
    }

    FileDialogs& dialogs_;
    const QString toolPath_;
    const RunTimings timings_;

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

    CertificateChain chain_;
    // Picked files are read one at a time, so that runs reach their save dialogs in the order
    // they started.
    QThreadPool fileReading_;

    quint64 runsStarted_ = 0;
};
