#include "core/ContentView.h"

#include "core/LogClock.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

namespace {

const QString defaultOutputName = QStringLiteral("certificate");

} // namespace

ContentView::ContentView(FileDialogs& dialogs, QString toolPath, QObject* parent)
    : QObject(parent)
    , dialogs_(dialogs)
    , toolPath_(std::move(toolPath))
    , outputName_(defaultOutputName) {}

ContentView::~ContentView() {
    // Workers post their results here; let them end before it goes, without sitting out a
    // hanging tool's watchdog after the window has closed.
    abandonRuns();
    workers_.waitForDone();
}

RunHandle ContentView::startRun() {
    runsInFlight_.removeIf([](const std::weak_ptr<Run>& run) { return run.expired(); });
    auto run = std::make_shared<Run>(++runsStarted_);
    runsInFlight_.append(run);
    return run;
}

void ContentView::abandonRuns() {
    for (const std::weak_ptr<Run>& inFlight : std::as_const(runsInFlight_)) {
        if (const RunHandle run = inFlight.lock())
            run->abandoned = true;
    }
    runsInFlight_.clear();
    // Abandoned runs neither wait for "first_cert.pem" nor give it back.
    firstCertificateGate_.clear();
}

void ContentView::endBusyState(const RunHandle& run) {
    if (run->serial == runsStarted_)
        setProcessing(false);
}

void ContentView::setUrlString(const QString& text) {
    assign(urlString_, text, &ContentView::urlStringChanged);
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

void ContentView::setStep(const RunHandle& run, ProcessingStep step, double progress) {
    post(run, [this, step, progress] {
        setCurrentStep(step);
        setProgress(progress);
    });
}

void ContentView::appendDebugLog(const QString& message) {
    appendDebugLog(nullptr, message);
}

void ContentView::appendDebugLog(const RunHandle& run, const QString& message) {
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
    appendDebugLog(QStringLiteral("[Reset] Tüm veriler temizlendi"));
}

void ContentView::reportFailure(const RunHandle& run, const QString& logMessage,
                                const QString& status, const QString& reason) {
    if (!logMessage.isEmpty())
        appendDebugLog(run, logMessage);
    setStep(run, ProcessingStep::failed, 1.0);
    setStatusMessage(status, StatusKind::failure, reason);
    endBusyState(run);
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
