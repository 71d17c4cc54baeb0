#pragma once

#include "pipeline/ToolResult.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVersionNumber>
#include <chrono>
#include <functional>
#include <optional>

inline const QString openSslPath = QStringLiteral("/usr/bin/openssl");

// The tool the app runs: `fixedPath` where it is, else the openssl the PATH names; `fixedPath`
// again when neither is there, so that the failure to start names it.
QString locateOpenSsl(const QString& fixedPath = openSslPath);

// The version `openssl version` printed ("OpenSSL 3.0.17 1 Jul 2025"); nothing for another
// tool's answer (LibreSSL's too, whose error codes read otherwise).
std::optional<QVersionNumber> openSslVersion(QStringView output);
// The oldest version whose error codes and options the app reads.
inline const QVersionNumber oldestOpenSsl{3, 0};

// One run of the outside tool, on the thread the object lives on, never blocking it: null
// standard input, the given environment (the app's own by default), both outputs gathered as
// they come. `timeout` after
// the start the tool is asked to terminate and, if it still runs half a second later, killed.
// Deleting the object ends the tool at once; its result is then never announced.
class ToolProcess : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds killGrace{500};

    ToolProcess(const QString& executablePath, const QStringList& arguments,
                std::chrono::milliseconds timeout, const QProcessEnvironment& environment,
                QObject* parent);
    ~ToolProcess() override;

    void start();

Q_SIGNALS:
    // Once, when the tool has ended or could not be started.
    void finished(const ToolResult& result);

private:
    void finish();

    QProcess process_{this};
    QTimer terminateTimer_{this};
    QTimer killTimer_{this};
    bool endedByWatchdog_ = false;
};

// What a run asks of the tool.
struct ToolRequest {
    ToolRequest(QStringList arguments, std::chrono::milliseconds timeout,
                QString output = QString(),
                QProcessEnvironment environment =
                    QProcessEnvironment(QProcessEnvironment::InheritFromParent))
        : arguments(std::move(arguments))
        , timeout(timeout)
        , output(std::move(output))
        , environment(std::move(environment)) {}

    QStringList arguments;
    std::chrono::milliseconds timeout;
    QString output; // the file it is to write, if any; also among the arguments
    QProcessEnvironment environment;
};

// Starts the tool for the runs: the one place where they start processes, and so the seam where
// a stand-in may answer instead.
class ToolRunner {
public:
    // With `checkVersion`, the tool's version is read before its first run, and a tool older than
    // oldestOpenSsl, or no OpenSSL, is not run: each request then fails with refusedVersion.
    explicit ToolRunner(QString program = openSslPath, bool checkVersion = false)
        : program_(std::move(program))
        , checkVersion_(checkVersion) {}
    virtual ~ToolRunner() = default;

    const QString& program() const { return program_; }

    // Starts the tool under `owner`, which then owns its process and watchdog: `done` gets the
    // result on the owner's thread from a queued call, once the tool has been released, unless
    // the owner is deleted first, which ends the tool.
    virtual void run(QObject* owner, const ToolRequest& request,
                     std::function<void(const ToolResult&)> done);

private:
    void start(QObject* owner, const ToolRequest& request,
               std::function<void(const ToolResult&)> done);

    const QString program_;
    const bool checkVersion_;
    std::optional<QString> version_; // the version line, once read
};
