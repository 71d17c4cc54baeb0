#include "pipeline/ToolProcess.h"

#include "pipeline/TextDecoding.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <csignal>
#ifdef Q_OS_LINUX
#include <QCoreApplication>
#include <sys/prctl.h>
#endif

namespace {

const QString certificateMarker = QStringLiteral("-----BEGIN CERTIFICATE-----");
// `openssl version` answers at once; anything slower is not the tool.
constexpr std::chrono::seconds versionTimeout{5};

} // namespace

QString locateOpenSsl(const QString& fixedPath) {
    if (QFileInfo(fixedPath).isExecutable())
        return fixedPath;
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    return onPath.isEmpty() ? fixedPath : onPath;
}

std::optional<QVersionNumber> openSslVersion(QStringView output) {
    const QStringView prefix = u"OpenSSL ";
    if (!output.startsWith(prefix))
        return std::nullopt;
    qsizetype end = prefix.size();
    while (end < output.size() && (output[end].isDigit() || output[end] == u'.'))
        ++end;
    QVersionNumber version =
        QVersionNumber::fromString(output.sliced(prefix.size(), end - prefix.size()));
    if (version.isNull())
        return std::nullopt;
    return version;
}

ToolProcess::ToolProcess(const QString& executablePath, const QStringList& arguments,
                         std::chrono::milliseconds timeout, const QProcessEnvironment& environment,
                         QObject* parent)
    : QObject(parent) {
    process_.setProgram(executablePath);
    process_.setProcessEnvironment(environment);
    process_.setArguments(arguments);
    process_.setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_LINUX
    // Should the app die without ending it, the tool goes too rather than hang on alone.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
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
        result.error =
            QCoreApplication::translate("ToolProcess", "Process hatası: ") + process_.errorString();
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
    if (!checkVersion_ || version_) {
        start(owner, request, std::move(done));
        return;
    }
    // Read before the first request; one that cannot start is left to the request itself, which
    // says why, and is read again at the next.
    start(owner, {{QStringLiteral("version")}, versionTimeout},
          [this, owner, request, done = std::move(done)](const ToolResult& answer) {
              if (!answer.launchFailed)
                  version_ = answer.output.section(u'\n', 0, 0).trimmed();
              start(owner, request, done);
          });
}

void ToolRunner::start(QObject* owner, const ToolRequest& request,
                       std::function<void(const ToolResult&)> done) {
    if (version_) {
        if (const std::optional<QVersionNumber> version = openSslVersion(*version_);
            !version || *version < oldestOpenSsl) {
            ToolResult refused;
            refused.launchFailed = true;
            refused.refusedVersion = version_->isEmpty() ? QStringLiteral("?") : *version_;
            refused.error = QCoreApplication::translate("ToolProcess", "Process hatası: ") +
                            refused.refusedVersion;
            QMetaObject::invokeMethod(
                owner, [done, refused] { done(refused); }, Qt::QueuedConnection);
            return;
        }
    }
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
