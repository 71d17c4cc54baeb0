#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

void writeTestFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        QFAIL(qPrintable(QStringLiteral("cannot write ") + path));
    file.write(content);
}

QString writeShellScript(const QString& folder, const QString& name, const QByteArray& body) {
    const QString path = folder + u'/' + name;
    writeTestFile(path, "#!/bin/sh\n" + body + '\n');
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QString writeHeldTool(const QString& folder, const QString& releaseFile, const QByteArray& then) {
    const QByteArray release = QFile::encodeName(releaseFile);
    QByteArray body = "echo $$ >> '" + release +
                      ".pids'\n"
                      "while [ ! -e '" +
                      release + "' ]; do sleep 0.02; done\n";
    if (!then.isEmpty())
        body += "exec " + then + " \"$@\"";
    return writeShellScript(folder, QStringLiteral("held-openssl"), body);
}

QByteArray readTestFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QMap<QString, QByteArray> folderSnapshot(const QString& folder) {
    QMap<QString, QByteArray> entries;
    const QDir root(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries.insert(root.relativeFilePath(path),
                       it.fileInfo().isDir() ? QByteArray("<folder>") : readTestFile(path));
    }
    return entries;
}
