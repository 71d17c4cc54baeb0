#include "pipeline/WorkingFolder.h"

#include <QDir>
#include <QSaveFile>

QString WorkingFolder::filePath(const QString& name) {
    if (!folder_) {
        // QDir::tempPath() is empty when TMPDIR names no folder; the folder is still made under
        // TMPDIR, so that it fails there with a clear error instead of landing in the current
        // folder.
        QString base = QDir::tempPath();
        if (base.isEmpty())
            base = QDir::cleanPath(qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp")));
        folder_ = std::make_unique<QTemporaryDir>(base + QStringLiteral("/ruvelta-XXXXXX"));
        if (!folder_->isValid())
            error_ = base + QStringLiteral(": ") + folder_->errorString();
    }
    return folder_->isValid() ? folder_->filePath(name) : QString();
}

QString writeWorkingFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    file.write(bytes);
    if (!file.commit())
        return file.errorString();
    return QString();
}
