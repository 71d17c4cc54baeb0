#pragma once

#include "core/ProcessingStep.h"
#include "pipeline/SerialGate.h"
#include "pipeline/ToolRunner.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QUrl>
#include <atomic>

class FileDialogs;

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

    // The two sources of a run; both end in convertPemFileToDer.
    void downloadCertificateChain();
    void convertPemFileToDer(const QUrl& fileUrl);

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
    void startChainDownload(const QString& host, int port, const QString& chainFile);
    void fetchChain(const QString& host, int port, const QString& chainFile);
    void handleDownloadResult(const ToolResult& result, const QString& chainFile);
    void convertFirstCertificate(const QString& block);
    void convertToDer(const QString& inputFile, const QString& destination);
    void handleConversionResult(const ToolResult& result, const QString& destination);
    // Log line (when given), failed step, status message, end of the busy state.
    void reportFailure(const QString& logMessage, const QString& status);

    void setStatusMessage(const QString& message);
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

    // Runs `task` on the GUI thread after everything posted before it.
    template <typename Task> void post(Task&& task) {
        QMetaObject::invokeMethod(this, std::forward<Task>(task), Qt::QueuedConnection);
    }

    FileDialogs& dialogs_;
    const QString toolPath_;

    QString urlString_;
    QString outputName_;
    QString statusMessage_;
    QUrl selectedPemFile_;
    bool isProcessing_ = false;
    QString debugOutput_;
    ProcessingStep currentStep_ = ProcessingStep::none;
    double progress_ = 0.0;

    // "first_cert.pem" is held from the moment a run writes it until its conversion has read
    // it, so overlapping runs never convert each other's certificate.
    SerialGate firstCertificateGate_{this};

    // Tool runs block a worker each, so the pool is not limited to the number of cores.
    QThreadPool workers_;
    // Set when the converter goes: tools still running are ended instead of awaited.
    std::atomic<bool> closing_ = false;
};
