#include "pipeline/ToolRunner.h"

#include "pipeline/TextDecoding.h"

#include <QDeadlineTimer>
#include <QProcess>

namespace {

const QString certificateMarker = QStringLiteral("-----BEGIN CERTIFICATE-----");
constexpr int killGraceMs = 500;

constexpr int abandonPollMs = 50;

// Waits until the child has ended, the deadline passes or the run is abandoned. QProcess drains
// both pipes into its own buffers while it waits, so a chatty child never stalls on a full pipe.
bool waitUntilEnded(QProcess& process, QDeadlineTimer deadline, const std::atomic<bool>* abandon) {
    while (process.state() != QProcess::NotRunning) {
        if (deadline.hasExpired() || (abandon && abandon->load()))
            return false;
        process.waitForFinished(int(qMin<qint64>(deadline.remainingTime(), abandonPollMs)));
    }
    return true;
}

// QProcess only signals a child it has not reaped yet, so an ended tool is never signalled.
// Returns whether the watchdog had to end it.
bool endWithinWatchdog(QProcess& process, QDeadlineTimer firstStage,
                       const std::atomic<bool>* abandon) {
    if (waitUntilEnded(process, firstStage, abandon))
        return false;
    process.terminate();
    if (!waitUntilEnded(process, QDeadlineTimer(killGraceMs), nullptr)) {
        process.kill();
        process.waitForFinished(-1);
    }
    return firstStage.hasExpired();
}

} // namespace

ToolResult runOpenSSL(const QString& executablePath, const QStringList& arguments,
                      double timeoutSeconds, const std::atomic<bool>* abandon) {
    QProcess process;
    process.setProgram(executablePath);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QIODevice::ReadOnly);
    ToolResult result;
    if (!process.waitForStarted(-1)) {
        result.error = QStringLiteral("Process hatası: ") + process.errorString();
        return result;
    }
    result.endedByWatchdog =
        endWithinWatchdog(process, QDeadlineTimer(qint64(timeoutSeconds * 1000.0)), abandon);
    result.output = decodeUtf8Strictly(process.readAllStandardOutput()).value_or(QString());
    result.error = decodeUtf8Strictly(process.readAllStandardError()).value_or(QString());
    const bool exitedCleanly =
        process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    result.success = exitedCleanly || result.output.contains(certificateMarker);
    // After a crash, QProcess reports the signal that ended the tool as its exit code.
    if (process.exitStatus() == QProcess::CrashExit)
        result.signal = process.exitCode();
    return result;
}
