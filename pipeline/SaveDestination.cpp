#include "pipeline/SaveDestination.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <optional>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// Far beyond any certificate: a larger file is not replaced in place, where its old bytes would
// have to be held to put them back.
constexpr qint64 largestKeptInMemory = 16 << 20;

// The file a destination names: a link is written through.
QFileInfo resolved(const QString& destination) {
    const QFileInfo info(destination);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info : QFileInfo(canonical);
}

bool mayWrite(const QString& path) {
#ifdef Q_OS_UNIX
    // As the process's own rights allow, root's included, which Qt's permission bits do not say.
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
#else
    return QFileInfo(path).isWritable();
#endif
}

// Why a file could not be put at `target`, read off the place itself: Qt reports a failed save
// in words, not as an errno value.
int whyNotSaved(const QFileInfo& target) {
    if (target.isDir())
        return EISDIR;
    QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        while (!folder.exists() && !folder.isRoot())
            folder.setFile(folder.absolutePath());
        return folder.isDir() ? ENOENT : ENOTDIR;
    }
    if (QFile::encodeName(target.fileName()).size() > NAME_MAX)
        return ENAMETOOLONG;
    const QStorageInfo disk(folder.filePath());
    if (disk.isValid() && disk.isReadOnly())
        return EROFS;
    if (!mayWrite(folder.filePath()) && !(target.isFile() && mayWrite(target.filePath())))
        return EACCES;
    if (disk.isValid() && disk.bytesAvailable() == 0)
        return ENOSPC;
    return EIO;
}

// The extensions a certificate file goes by.
constexpr std::array<QStringView, 4> certificateExtensions{u"der", u"pem", u"crt", u"cer"};

} // namespace

QString withExtension(const QString& path, const QString& extension) {
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const QStringView name = QStringView(path).sliced(nameStart);
    // A bare ".der" already names a DER file.
    if (name.startsWith(u'.') && name.sliced(1).compare(extension, Qt::CaseInsensitive) == 0)
        return path;
    // A leading dot marks a hidden file, not an extension. Only a certificate's own extension
    // is replaced: what else follows a dot is part of the name ("example.com").
    const qsizetype dot = name.lastIndexOf(u'.');
    const QStringView after = dot > 0 ? name.sliced(dot + 1) : QStringView();
    if (dot > 0 && after.compare(extension, Qt::CaseInsensitive) == 0)
        return path;
    const bool replaced =
        dot > 0 &&
        (after.isEmpty() ||
         std::any_of(certificateExtensions.begin(), certificateExtensions.end(),
                     [&](QStringView e) { return after.compare(e, Qt::CaseInsensitive) == 0; }));
    return (replaced ? path.first(nameStart + dot) : path) + u'.' + extension;
}

QString proposedName(const QString& name, const QString& fallback, const QString& extension) {
    QString proposed = name.trimmed().replace(u'/', u'-');
    if (proposed.isEmpty())
        proposed = fallback;
    // Typed as "site.pem", proposed as the dialog would save it: "site.der".
    return withExtension(proposed, extension);
}

int replacingRefused(const QString& destination) {
    const QFileInfo target = resolved(destination);
    if (!target.isFile() || mayWrite(target.filePath()))
        return 0;
    return errno;
}

int newFileRefused(const QString& destination) {
    const QFileInfo folder(QFileInfo(destination).absolutePath());
    if (!folder.exists())
        return ENOENT;
    if (!folder.isDir())
        return ENOTDIR;
    return mayWrite(folder.absoluteFilePath()) ? 0 : errno;
}

int saveFile(const QString& destination, const QByteArray& bytes) {
    const QFileInfo target = resolved(destination);
    QSaveFile file(destination);
    std::optional<QByteArray> previous;
    if (target.isFile() && !mayWrite(target.absolutePath()) &&
        target.size() <= largestKeptInMemory) {
        QFile old(target.filePath());
        if (old.open(QIODevice::ReadOnly)) {
            previous = old.readAll();
            file.setDirectWriteFallback(old.error() == QFileDevice::NoError);
        }
    }
    // Flushed first: written in place, commit would miss a failure to flush.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.commit())
        return 0;
    if (file.directWriteFallback()) {
        QFile old(target.filePath());
        if (old.open(QIODevice::WriteOnly | QIODevice::Truncate))
            old.write(*previous);
    }
    return whyNotSaved(target);
}
