#include "core/ContentView.h"

#include "core/ChainCertificateRun.h"
#include "core/ChainFetchRun.h"
#include "core/ChainPemRun.h"
#include "core/DownloadRun.h"
#include "core/FileDialogs.h"
#include "core/PemFileRun.h"
#include "core/PemListingRun.h"
#include "core/PemValidation.h"
#include "core/Posted.h"
#include "core/ReportText.h"
#include "pipeline/ShownTime.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

ContentView::ContentView(FileDialogs& dialogs, const QString& toolPath, RunTimings timings,
                         QObject* parent)
    : ContentView(dialogs,
                  toolPath.isEmpty() ? std::make_unique<ToolRunner>(locateOpenSsl(), true)
                                     : std::make_unique<ToolRunner>(toolPath),
                  timings, parent) {}

ContentView::ContentView(FileDialogs& dialogs, std::unique_ptr<ToolRunner> tool, RunTimings timings,
                         QObject* parent)
    : QObject(parent)
    , outputName_(defaultOutputName)
    , tool_(std::move(tool))
    , runContext_{dialogs, *tool_, timings, outputName_, fileReading_} {
    fileReading_.setMaxThreadCount(1);
    chain_.setClock(timings.now);
}

ContentView::~ContentView() {
    // Before the fields go: a run's tool is ended and its folder removed as it goes.
    abandonRuns();
}

void ContentView::launch(Run* run, Stoppable stoppable) {
    if (stoppable == Stoppable::yes) {
        unreported_.insert(run);
        Q_EMIT canStopChanged();
    }
    connect(run, &Run::stepReached, this, [this](ProcessingStep step, double progress) {
        setCurrentStep(step);
        setProgress(progress);
    });
    connect(run, &Run::logged, this, &ContentView::appendLine);
    connect(run, &Run::reported, this, [this, run](const RunReport& report) {
        settle(run);
        setReport(report);
    });
    connect(run, &Run::chainRead, &chain_, &CertificateChain::show);
    connect(run, &Run::chainRowSaved, this, [this](int row) {
        if (row < chain_.size())
            chain_.markSaved(row);
    });
    connect(run, &Run::chainSavedAsPem, &chain_, &CertificateChain::markSavedAsPem);
    connect(run, &Run::ended, this, [this, run] { finishRun(run); });
    run->start();
}

void ContentView::startConversion() {
    // The list belongs to the source converted last; a new one replaces it once it is read.
    chain_.clear();
    delete listing_;
    if (!selectedPemFile_.isEmpty()) {
        launch(new PemFileRun(++runsStarted_, runContext_, selectedPemFile_.toLocalFile(), this));
    } else if (!urlString_.isEmpty()) {
        // Not trimmed here: blanks only still start the download, which reports them.
        download(new DownloadRun(++runsStarted_, runContext_, urlString_, this));
    }
}

void ContentView::fetchChain() {
    if (isProcessing_ || urlString_.isEmpty())
        return;
    chain_.clear();
    download(new ChainFetchRun(++runsStarted_, runContext_, urlString_, this));
}

void ContentView::download(Run* run) {
    busyRun_ = run->serial;
    setProcessing(true);
    setReport(RunReport());
    setDebugOutput(QString());
    launch(run);
}

bool ContentView::canSaveRow(int row) const {
    return !isProcessing_ && row >= 0 && row < chain_.size();
}

// Not busy, as a picked file's conversion is not: the window stays as it is around the list.
void ContentView::saveChainCertificate(int row) {
    if (canSaveRow(row))
        launch(new ChainCertificateRun(++runsStarted_, runContext_, row, chain_,
                                       ChainCertificateRun::Format::der, this));
}

void ContentView::saveChainCertificateAsPem(int row) {
    if (canSaveRow(row))
        launch(new ChainCertificateRun(++runsStarted_, runContext_, row, chain_,
                                       ChainCertificateRun::Format::pem, this));
}

void ContentView::saveChainAsPem() {
    if (isProcessing_ || chain_.size() == 0)
        return;
    launch(new ChainPemRun(++runsStarted_, runContext_, chain_, this));
}

void ContentView::copyCertificateDetails(int row) {
    if (row >= 0 && row < chain_.size())
        QGuiApplication::clipboard()->setText(chain_.details(row));
}

void ContentView::copyCertificatePem(int row) {
    if (row >= 0 && row < chain_.size())
        QGuiApplication::clipboard()->setText(chain_.block(row));
}

void ContentView::selectPemFile() {
    const std::optional<QUrl> chosen = runContext_.dialogs.chooseFileToOpen(
        {QCoreApplication::translate("ContentView", "PEM Dosyası Seçin"),
         QCoreApplication::translate("ContentView", "SSL sertifikası içeren PEM dosyasını seçin")});
    if (chosen)
        pickPemFile(*chosen);
}

void ContentView::pickPemFile(const QUrl& file) {
    const bool another = file != selectedPemFile_;
    setSelectedPemFile(file);
    if (selectedPemFile_.isEmpty())
        return;
    setUrlString(QString());
    // Listed at once, so that it can be read before anything is saved.
    if (another) {
        delete listing_;
        listing_ = new PemListingRun(++runsStarted_, runContext_, file.toLocalFile(), this);
        launch(listing_, Stoppable::no);
    }
}

void ContentView::clearSelectedFile() {
    setSelectedPemFile(QUrl());
}

bool ContentView::validatePemFile(const QUrl& fileUrl) {
    const QString path = fileUrl.toLocalFile();
    const PemVerdict verdict = checkPem(PemText::read(path), path);
    appendDebugLog(verdict.message);
    return verdict.valid;
}

void ContentView::abandonRuns() {
    qDeleteAll(findChildren<Run*>(QString(), Qt::FindDirectChildrenOnly));
    if (!unreported_.isEmpty()) {
        unreported_.clear();
        Q_EMIT canStopChanged();
    }
}

void ContentView::settle(const Run* run) {
    if (unreported_.remove(run))
        Q_EMIT canStopChanged();
}

void ContentView::finishRun(Run* run) {
    settle(run);
    if (run->serial == busyRun_)
        setProcessing(false);
    // Through the same queue, so that everything it posted so far still lands (a deleteLater
    // may be carried out ahead of posted calls).
    post(this, [run = QPointer<Run>(run)] { delete run; });
}

void ContentView::setUrlString(const QString& text) {
    if (text != urlString_)
        forgetResult();
    assign(urlString_, text, &ContentView::urlStringChanged);
    // The source is the one chosen last: an address typed after a pick replaces the pick.
    if (!text.isEmpty())
        setSelectedPemFile(QUrl());
}

void ContentView::setOutputName(const QString& name) {
    assign(outputName_, name, &ContentView::outputNameChanged);
}

QString ContentView::statusMessage() const {
    return statusText(report_);
}

void ContentView::setReport(const RunReport& report) {
    // Announced even when unchanged: a run that ends as the one before it still ends.
    if (report_.outcome == RunReport::Outcome::none && report.outcome == RunReport::Outcome::none)
        return;
    report_ = report;
    Q_EMIT statusMessageChanged();
}

void ContentView::forgetResult() {
    const bool hadChain = chain_.size() > 0;
    chain_.clear();
    setReport(RunReport());
    if (hadChain)
        Q_EMIT chainForgotten();
}

void ContentView::setProcessing(bool processing) {
    assign(isProcessing_, processing, &ContentView::isProcessingChanged);
}

void ContentView::setSelectedPemFile(const QUrl& file) {
    if (!file.isEmpty() && file != selectedPemFile_)
        forgetResult();
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
    post(this, [this, step, progress] {
        setCurrentStep(step);
        setProgress(progress);
    });
}

void ContentView::appendDebugLog(const QString& message) {
    // The line carries the time of the request, not of the append.
    post(this,
         [this, time = logStamp(QTime::currentTime()), message] { appendLine(time, message); });
}

void ContentView::appendLine(const QString& time, const QString& message) {
    const QString line = u'[' + time + QStringLiteral("] ") + message + u'\n';
    debugOutput_ += line;
    Q_EMIT debugLineAppended(line);
    Q_EMIT debugOutputChanged();
}

void ContentView::resetAll() {
    abandonRuns();
    // Taken with everything else, not forgotten for another source.
    chain_.clear();
    setUrlString(QString());
    setOutputName(defaultOutputName);
    setReport(RunReport());
    setSelectedPemFile(QUrl());
    setProcessing(false);
    setDebugOutput(QString());
    setCurrentStep(ProcessingStep::none);
    setProgress(0.0);
    appendDebugLog(QCoreApplication::translate("ContentView", "[Reset] Tüm veriler temizlendi"));
}

void ContentView::stopRun() {
    if (!canStop())
        return;
    // Not busy first: what is shown as the run goes finds the window free.
    setProcessing(false);
    abandonRuns();
    setCurrentStep(ProcessingStep::none);
    setProgress(0.0);
    setReport(RunReport(RunReport::Outcome::stopped));
    appendDebugLog(QCoreApplication::translate("ContentView",
                                               "[Durdur] İşlem kullanıcı tarafından durduruldu"));
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
