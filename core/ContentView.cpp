#include "core/ContentView.h"

#include "core/LogClock.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

namespace {

const QString defaultOutputName = QStringLiteral("certificate");
constexpr int maxConcurrentToolRuns = 64;

} // namespace

ContentView::ContentView(FileDialogs& dialogs, QString toolPath, QObject* parent)
    : QObject(parent)
    , dialogs_(dialogs)
    , toolPath_(std::move(toolPath))
    , outputName_(defaultOutputName) {
    workers_.setMaxThreadCount(maxConcurrentToolRuns);
}

ContentView::~ContentView() {
    // Workers post their results to this object; let them end before it goes, without
    // sitting out a hanging tool's watchdog after the window has closed.
    closing_ = true;
    workers_.waitForDone();
}

void ContentView::setUrlString(const QString& text) {
    assign(urlString_, text, &ContentView::urlStringChanged);
}

void ContentView::setOutputName(const QString& name) {
    assign(outputName_, name, &ContentView::outputNameChanged);
}

void ContentView::setStatusMessage(const QString& message) {
    assign(statusMessage_, message, &ContentView::statusMessageChanged);
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
    post([this, step, progress] {
        setCurrentStep(step);
        setProgress(progress);
    });
}

void ContentView::appendDebugLog(const QString& message) {
    // The line carries the time of the request, not of the append.
    const QString time = mediumTimeOfDay(QTime::currentTime());
    post([this, time, message] {
        const QString line = logLine(time, message);
        debugOutput_ += line;
        Q_EMIT debugLineAppended(line);
        Q_EMIT debugOutputChanged();
    });
}

void ContentView::resetAll() {
    setUrlString(QString());
    setOutputName(defaultOutputName);
    setStatusMessage(QString());
    setSelectedPemFile(QUrl());
    setProcessing(false);
    setDebugOutput(QString());
    setCurrentStep(ProcessingStep::none);
    setProgress(0.0);
    appendDebugLog(QStringLiteral("[Reset] Tüm veriler temizlendi"));
}

void ContentView::reportFailure(const QString& logMessage, const QString& status) {
    if (!logMessage.isEmpty())
        appendDebugLog(logMessage);
    setStep(ProcessingStep::failed, 1.0);
    setStatusMessage(status);
    setProcessing(false);
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
