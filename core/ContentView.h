#pragma once

#include "core/ProcessingStep.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QUrl>

// The one owner of the converter's state and of every operation of the converter and the
// certificate pipeline. Lives on the GUI thread and is written there only; widgets observe it
// through the change signals and call its actions.
class ContentView : public QObject {
    Q_OBJECT

public:
    explicit ContentView(QObject* parent = nullptr);
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

    void resetAll();
    void clearDebugLog();
    void copyDebugLog();

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
    void setStatusMessage(const QString& message);
    void setProcessing(bool processing);
    void setSelectedPemFile(const QUrl& file);
    void setDebugOutput(const QString& text);
    void setCurrentStep(ProcessingStep step);
    void setProgress(double progress);

    // Runs `task` on the GUI thread after everything posted before it.
    template <typename Task> void post(Task&& task)
    {
        QMetaObject::invokeMethod(this, std::forward<Task>(task), Qt::QueuedConnection);
    }

    QString urlString_;
    QString outputName_;
    QString statusMessage_;
    QUrl selectedPemFile_;
    bool isProcessing_ = false;
    QString debugOutput_;
    ProcessingStep currentStep_ = ProcessingStep::none;
    double progress_ = 0.0;

    // Tool runs block a worker each, so the pool is not limited to the number of cores.
    QThreadPool workers_;
};
