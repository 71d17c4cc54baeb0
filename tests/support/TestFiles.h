#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Writes `content` to `path`, creating the folder; fails the calling test when it cannot.
void writeTestFile(const QString& path, const QByteArray& content);

// Writes an executable /bin/sh script with the given body and returns its path.
QString writeShellScript(const QString& folder, const QString& name, const QByteArray& body);

// A stand-in for the tool that waits until `releaseFile` exists, so the work stays in flight
// meanwhile, then runs `then` (a shell command; nothing when empty) with the tool's arguments.
// Each run adds its process id to a line of `releaseFile` + ".pids".
QString writeHeldTool(const QString& folder, const QString& releaseFile,
                      const QByteArray& then = QByteArray());

QByteArray readTestFile(const QString& path);

// Everything under `folder`, hidden entries too, by path relative to it: a file with its bytes,
// a folder as "<folder>". Comparing two snapshots shows what was written, replaced or lost.
QMap<QString, QByteArray> folderSnapshot(const QString& folder);
