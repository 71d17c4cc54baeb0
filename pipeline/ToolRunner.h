#pragma once

#include "pipeline/ToolResult.h"

#include <QString>
#include <QStringList>

inline const QString openSslPath = QStringLiteral("/usr/bin/openssl");

// Runs the tool with null standard input and the inherited environment, blocking the calling
// thread until it ends. After `timeoutSeconds` the tool is asked to terminate and, if it still
// runs half a second later, killed. Never call it on the GUI thread.
ToolResult runOpenSSL(const QString& executablePath, const QStringList& arguments,
                      double timeoutSeconds);
