#include "pipeline/ToolProcess.h"

#include "pipeline/TextDecoding.h"

#include <csignal>
#include <sys/prctl.h>

namespace {

const QString certificateMarker = QStringLiteral("-----BEGIN CERTIFICATE-----");

} // namespace

ToolProcess::ToolProcess(const QString& executablePath, const QStringList& arguments,
                         std::chrono::milliseconds timeout, const QProcessEnvironment& environment,
                         QObject* parent)
    : QObject(parent) {
    process_.setProgram(executablePath);
    process_.setProcessEnvironment(environment);
    process_.setArguments(arguments);
    process_.setStandardInputFile(QProcess::nullDevice());
    // Should the app die without ending it, the tool goes too rather than hang on alone.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    for (QTimer* timer : {&terminateTimer_, &killTimer_}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    terminateTimer_.setInterval(timeout);
    killTimer_.setInterval(killGrace);
    connect(&terminateTimer_, &QTimer::timeout, this, [this] {
        endedByWatchdog_ = true;
        process_.terminate();
        killTimer_.start();
    });
    connect(&killTimer_, &QTimer::timeout, &process_, &QProcess::kill);
    connect(&process_, &QProcess::finished, this, &ToolProcess::finish);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish();
    });
}

ToolProcess::~ToolProcess() {
    if (process_.state() == QProcess::NotRunning)
        return;
    // Nothing of a tool ended this way is announced; it is killed outright and reaped here, so
    // that no zombie outlives its run. A kill takes at once unless the tool is stuck in the
    // kernel, which no wait here would end.
    process_.disconnect(this);
    process_.kill();
    process_.waitForFinished(int(killGrace.count()));
}

void ToolProcess::start() {
    process_.start(QIODevice::ReadOnly);
    terminateTimer_.start();
}

void ToolProcess::finish() {
    terminateTimer_.stop();
    killTimer_.stop();
    ToolResult result;
    if (process_.error() == QProcess::FailedToStart) {
        result.launchFailed = true;
        result.error = QStringLiteral("Process hatası: ") + process_.errorString();
    } else {
        result.endedByWatchdog = endedByWatchdog_;
        result.output = decodeUtf8Strictly(process_.readAllStandardOutput()).value_or(QString());
        result.error = decodeUtf8Strictly(process_.readAllStandardError()).value_or(QString());
        const bool exitedCleanly =
            process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        result.success = exitedCleanly || result.output.contains(certificateMarker);
        // After a crash, QProcess reports the signal that ended the tool as its exit code.
        if (process_.exitStatus() == QProcess::CrashExit)
            result.signal = process_.exitCode();
    }
    Q_EMIT finished(result);
}

void ToolRunner::run(QObject* owner, const ToolRequest& request,
                     std::function<void(const ToolResult&)> done) {
    auto* tool =
        new ToolProcess(program_, request.arguments, request.timeout, request.environment, owner);
    QObject::connect(tool, &ToolProcess::finished, owner,
                     [owner, tool, done = std::move(done)](const ToolResult& result) {
                         // Handled once the tool's signal has returned and the tool is gone, so
                         // that whatever follows (a question to the person) runs outside it.
                         QMetaObject::invokeMethod(
                             owner,
                             [tool, done, result] {
                                 delete tool;
                                 done(result);
                             },
                             Qt::QueuedConnection);
                     });
    tool->start();
}
