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
void endWithinWatchdog(QProcess& process, QDeadlineTimer firstStage,
                       const std::atomic<bool>* abandon) {
    if (waitUntilEnded(process, firstStage, abandon))
        return;
    process.terminate();
    if (waitUntilEnded(process, QDeadlineTimer(killGraceMs), nullptr))
        return;
    process.kill();
    process.waitForFinished(-1);
}

} // namespace

ToolResult runOpenSSL(const QString& executablePath, const QStringList& arguments,
                      double timeoutSeconds, const std::atomic<bool>* abandon) {
    QProcess process;
    process.setProgram(executablePath);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(-1)) {
        return ToolResult{false, QString(),
                          QStringLiteral("Process hatası: ") + process.errorString()};
    }
    endWithinWatchdog(process, QDeadlineTimer(qint64(timeoutSeconds * 1000.0)), abandon);

    ToolResult result;
    result.output = decodeUtf8Strictly(process.readAllStandardOutput()).value_or(QString());
    result.error = decodeUtf8Strictly(process.readAllStandardError()).value_or(QString());
    const bool exitedCleanly =
        process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    result.success = exitedCleanly || result.output.contains(certificateMarker);
    return result;
}
