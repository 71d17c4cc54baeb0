#pragma once

#include "pipeline/ToolResult.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <functional>

inline const QString openSslPath = QStringLiteral("/usr/bin/openssl");

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

// Starts the tool under `owner`, which then owns its process and watchdog: `done` gets the result
// on the owner's thread from a queued call, once the tool has been released, unless the owner is
// deleted first, which ends the tool.
void runOpenSSL(QObject* owner, const QString& executablePath, const QStringList& arguments,
                std::chrono::milliseconds timeout, std::function<void(const ToolResult&)> done,
                const QProcessEnvironment& environment =
                    QProcessEnvironment(QProcessEnvironment::InheritFromParent));
