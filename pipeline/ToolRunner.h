#pragma once

#include "pipeline/ToolResult.h"

#include <QString>
#include <QStringList>
#include <atomic>

inline const QString openSslPath = QStringLiteral("/usr/bin/openssl");

// Runs the tool with null standard input and the inherited environment, blocking the calling
// thread until it ends. After `timeoutSeconds` the tool is asked to terminate and, if it still
// runs half a second later, killed; the same happens at once when `abandon` becomes true.
// Never call it on the GUI thread.
ToolResult runOpenSSL(const QString& executablePath, const QStringList& arguments,
                      double timeoutSeconds, const std::atomic<bool>* abandon = nullptr);
