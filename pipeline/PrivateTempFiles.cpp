#include "pipeline/PrivateTempFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(const QString& what) {
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

QString ensurePrivateFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return systemError(folder);
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return systemError(folder);
    if (S_ISLNK(info.st_mode))
        return folder + QStringLiteral(" sembolik bir bağlantı; kullanılmadı");
    if (!S_ISDIR(info.st_mode))
        return folder + QStringLiteral(" bir klasör değil");
    if (info.st_uid != ::geteuid())
        return folder + QStringLiteral(" başka bir kullanıcıya ait; kullanılmadı");
    if ((info.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return systemError(folder);
    return QString();
}

} // namespace

QString privateTempFilePath(const QString& fileName) {
    // QDir::tempPath() is empty when TMPDIR names no folder; the folder is still made under
    // TMPDIR, so that the write fails there with a clear error instead of landing in /.
    QString base = QDir::tempPath();
    if (base.isEmpty())
        base = QDir::cleanPath(qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp")));
    const QString folder = base + QStringLiteral("/ruvelta-") + QString::number(::geteuid());
    return folder + u'/' + fileName;
}

QString writePrivateTempFile(const QString& path, const QString& text) {
    if (QString error = ensurePrivateFolder(QFileInfo(path).path()); !error.isEmpty())
        return error;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    file.write(text.toUtf8());
    if (!file.commit())
        return file.errorString();
    return QString();
}
