#pragma once

#include <QByteArray>
#include <QString>

// Writes `content` to `path`, creating the folder; fails the calling test when it cannot.
void writeTestFile(const QString& path, const QByteArray& content);

// Writes an executable /bin/sh script with the given body and returns its path.
QString writeShellScript(const QString& folder, const QString& name, const QByteArray& body);

QByteArray readTestFile(const QString& path);
