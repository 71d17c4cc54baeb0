#include "core/ContentView.h"

#include "core/LogClock.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>

ContentView::ContentView(FileDialogs& dialogs, QString toolPath, RunTimings timings,
                         QObject* parent)
    : QObject(parent)
    , dialogs_(dialogs)
    , toolPath_(std::move(toolPath))
    , timings_(timings)
    , outputName_(defaultOutputName) {
    fileReading_.setMaxThreadCount(1);
}

ContentView::~ContentView() {
    // Before the fields go: a run's tool is ended and its folder removed as it goes.
    abandonRuns();
}

Run* ContentView::startRun() {
    return new Run(++runsStarted_, this);
}

void ContentView::abandonRuns() {
    qDeleteAll(findChildren<Run*>(QString(), Qt::FindDirectChildrenOnly));
}

void ContentView::finishRun(Run* run) {
    if (run->serial == runsStarted_)
        setProcessing(false);
    // Through the same queue, so that everything it posted so far still lands (a deleteLater
    // may be carried out ahead of posted calls).
    QMetaObject::invokeMethod(
        this, [run = QPointer<Run>(run)] { delete run; }, Qt::QueuedConnection);
}

void ContentView::setUrlString(const QString& text) {
    if (text != urlString_)
        chain_.clear(); // it was another source's
    assign(urlString_, text, &ContentView::urlStringChanged);
    // The source is the one chosen last: an address typed after a pick replaces the pick.
    if (!text.isEmpty())
        setSelectedPemFile(QUrl());
}

void ContentView::setOutputName(const QString& name) {
    assign(outputName_, name, &ContentView::outputNameChanged);
}

void ContentView::setStatusMessage(const QString& message, StatusKind kind, const QString& detail) {
    // Announced even when unchanged: a run that ends as the one before it still ends.
    if (statusMessage_.isEmpty() && message.isEmpty())
        return;
    statusMessage_ = message;
    statusKind_ = kind;
    statusDetail_ = detail;
    Q_EMIT statusMessageChanged();
}

void ContentView::setProcessing(bool processing) {
    assign(isProcessing_, processing, &ContentView::isProcessingChanged);
}

void ContentView::setSelectedPemFile(const QUrl& file) {
    if (!file.isEmpty() && file != selectedPemFile_)
        chain_.clear();
    assign(selectedPemFile_, file, &ContentView::selectedPemFileChanged);
}

void ContentView::setDebugOutput(const QString& text) {
    if (debugOutput_ == text)
        return;
    debugOutput_ = text;
    Q_EMIT debugOutputReplaced();
    Q_EMIT debugOutputChanged();
}

void ContentView::setCurrentStep(ProcessingStep step) {
    assign(currentStep_, step, &ContentView::currentStepChanged);
}

void ContentView::setProgress(double progress) {
    assign(progress_, progress, &ContentView::progressChanged);
}

void ContentView::setStep(ProcessingStep step, double progress) {
    setStep(nullptr, step, progress);
}

void ContentView::setStep(Run* run, ProcessingStep step, double progress) {
    post(run, [this, step, progress] {
        setCurrentStep(step);
        setProgress(progress);
    });
}

void ContentView::appendDebugLog(const QString& message) {
    appendDebugLog(nullptr, message);
}

void ContentView::appendDebugLog(Run* run, const QString& message) {
    // The line carries the time of the request, not of the append.
    const QString time = mediumTimeOfDay(QTime::currentTime());
    post(run, [this, time, message] {
        const QString line = logLine(time, message);
        debugOutput_ += line;
        Q_EMIT debugLineAppended(line);
        Q_EMIT debugOutputChanged();
    });
}

void ContentView::resetAll() {
    abandonRuns();
    setUrlString(QString());
    setOutputName(defaultOutputName);
    setStatusMessage(QString(), StatusKind::notice);
    setSelectedPemFile(QUrl());
    setProcessing(false);
    setDebugOutput(QString());
    setCurrentStep(ProcessingStep::none);
    setProgress(0.0);
    chain_.clear();
    appendDebugLog(QStringLiteral("[Reset] Tüm veriler temizlendi"));
}

void ContentView::reportFailure(Run* run, const QString& logMessage, const QString& status,
                                const QString& reason) {
    if (!logMessage.isEmpty())
        appendDebugLog(run, logMessage);
    setStep(run, ProcessingStep::failed, 1.0);
    setStatusMessage(status, StatusKind::failure, reason);
    finishRun(run);
}

void ContentView::clearDebugLog() {
    setDebugOutput(QString());
}

void ContentView::copyDebugLog() {
    // setText replaces every format the clipboard held.
    QGuiApplication::clipboard()->setText(debugOutput_);
}

QString ContentView::appVersion() {
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("1.0") : version;
}
