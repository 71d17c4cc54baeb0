#include "core/Run.h"

#include "core/FailureReasons.h"
#include "core/FileDialogs.h"
#include "core/Posted.h"
#include "pipeline/PemSource.h"
#include "pipeline/SaveDestination.h"
#include "pipeline/ShownTime.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrentRun>

Run::Run(quint64 serial, const RunContext& context, QObject* parent)
    : QObject(parent)
    , serial(serial)
    , context(context) {}

void Run::log(const QString& message) {
    // The line carries the time of the request, not of the append.
    post(this,
         [this, time = logStamp(QTime::currentTime()), message] { Q_EMIT logged(time, message); });
}

void Run::step(ProcessingStep step, double progress) {
    post(this, [this, step, progress] { Q_EMIT stepReached(step, progress); });
}

void Run::report(const RunReport& report) {
    Q_EMIT reported(report);
}

void Run::fail(const QString& logMessage, RunReport::Outcome outcome, const QString& reason) {
    if (!logMessage.isEmpty())
        log(logMessage);
    step(ProcessingStep::failed, Progress::ended);
    report(RunReport(outcome, reason));
    finish();
}

void Run::finish() {
    Q_EMIT ended();
}

void Run::finishAfterResult() {
    auto* busyEnd = new QTimer(this);
    busyEnd->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the busy state lasts the full time.
    busyEnd->setTimerType(Qt::PreciseTimer);
    connect(busyEnd, &QTimer::timeout, this, &Run::finish);
    busyEnd->start(context.timings.busyEnd);
}

void Run::askWhereToSave(const SaveDialogRequest& request, RunReport::Outcome refused,
                         std::function<void(const QString&)> save) {
    // Posted to the view, which outlives the dialog: a reset or a close while it is open deletes
    // the run, and the answer then finds nothing to continue.
    post(parent(), [run = QPointer<Run>(this), request, refused, save = std::move(save)] {
        if (!run)
            return;
        const std::optional<QUrl> chosen = run->context.dialogs.chooseFileToSave(request);
        if (!run)
            return;
        run->answered();
        if (!chosen || chosen->isEmpty()) {
            run->log(QCoreApplication::translate(
                "Run", "⚠️ Kullanıcı dosya kaydetme işlemini iptal etti"));
            run->report(RunReport(RunReport::Outcome::saveCancelled));
            run->step(ProcessingStep::none, Progress::idle);
            run->finish();
            return;
        }
        const QString destination = withExtension(chosen->toLocalFile(), request.allowedType);
        run->log(QCoreApplication::translate("Run", "💾 Çıktı %1 dosya yolu: %2")
                     .arg(request.allowedType.toUpper(), destination));
        if (const int error = replacingRefused(destination); error != 0) {
            run->fail(QCoreApplication::translate("Run", "❌ Dosyayı değiştirme izni yok: ") +
                          destination,
                      refused, FailureReasons::notWritable(destination, error));
            return;
        }
        save(destination);
    });
}

void Run::readPemFile(const QString& path, std::function<void(const PemSource&)> then) {
    // The watcher goes with the run; the run goes on outside the watcher's signal.
    auto* reading = new QFutureWatcher<PemSource>(this);
    connect(
        reading, &QFutureWatcherBase::finished, this,
        [reading, then = std::move(then)] { then(reading->result()); }, Qt::QueuedConnection);
    reading->setFuture(
        QtConcurrent::run(&context.fileReading, [path] { return PemSource::read(path); }));
}

bool Run::savePemFile(const QString& destination, const QByteArray& pem) {
    if (const int error = saveFile(destination, pem); error != 0) {
        fail(QCoreApplication::translate("Run", "❌ PEM dosyası yazılamadı: ") + destination,
             RunReport::Outcome::saveFailed,
             FailureReasons::conversion(ToolResult(), context.tool.program(), destination, error,
                                        context.timings.conversion));
        return false;
    }
    log(QCoreApplication::translate("Run", "📊 Çıktı PEM dosya boyutu: ") +
        QString::number(QFileInfo(destination).size()) +
        QCoreApplication::translate("Run", " bytes"));
    return true;
}
