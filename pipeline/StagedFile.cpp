#include "pipeline/StagedFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtGlobal>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>

namespace {

// Far beyond any DER certificate: a larger file is not replaced in place, where its old bytes
// would have to be held to put them back.
constexpr qint64 largestKeptInMemory = 16 << 20;

// The file a destination names: a link is written through, as the tool would have done.
QString resolvedTarget(const QString& destination) {
    const QFileInfo info(destination);
    if (!info.isSymLink())
        return destination;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// A new, empty file at a free name starting with `stem`: its path, or the errno of the failure.
std::variant<QString, int> createBeside(const QString& stem) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString path = stem + QString::number(QRandomGenerator::system()->generate64(), 36);
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

} // namespace

StagedFile::StagedFile(const QString& destination)
    : target_(resolvedTarget(destination)) {
    const QByteArray target = QFile::encodeName(target_);
    struct stat existing {};
    const bool exists = ::stat(target.constData(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (exists && ::access(target.constData(), W_OK) != 0) {
        refused_ = true;
        error_ = errno;
        path_ = target_;
        return;
    }
    // Made here, new, so that nothing planted under the name is written through.
    const QFileInfo info(target_);
    const auto staged = createBeside(info.path() + QStringLiteral("/.") + info.fileName() + u'.');
    if (const QString* path = std::get_if<QString>(&staged)) {
        path_ = *path;
        return;
    }
    error_ = std::get<int>(staged);
    if (exists && error_ == EACCES && existing.st_size <= largestKeptInMemory) {
        QFile old(target_);
        if (old.open(QIODevice::ReadOnly)) {
            previous_ = old.readAll();
            inPlace_ = old.error() == QFileDevice::NoError;
        }
    }
    if (inPlace_) {
        error_ = 0;
        path_ = target_;
        return;
    }
    // The tool is still given a name, and fails to write there as it would have at the
    // destination.
    path_ = info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".new");
}

StagedFile::~StagedFile() {
    if (committed_ || refused_)
        return;
    if (!inPlace_) {
        ::unlink(QFile::encodeName(path_).constData());
        return;
    }
    QFile old(target_);
    if (old.open(QIODevice::WriteOnly | QIODevice::Truncate))
        old.write(previous_);
}

qint64 StagedFile::size() const {
    const QFileInfo staged(path_);
    return staged.isFile() ? staged.size() : 0;
}

bool StagedFile::commit() {
    if (inPlace_)
        return committed_ = true;
    const QByteArray staged = QFile::encodeName(path_);
    if (struct stat replaced{}; ::stat(QFile::encodeName(target_).constData(), &replaced) == 0) {
        // Owner and group as the replaced file's where the person may set them (the group, when
        // they belong to it); otherwise the new file stays theirs.
        const bool owned = ::chown(staged.constData(), replaced.st_uid, replaced.st_gid) == 0 ||
                           ::chown(staged.constData(), uid_t(-1), replaced.st_gid) == 0;
        Q_UNUSED(owned);
        ::chmod(staged.constData(), replaced.st_mode & 07777);
    }
    if (std::rename(staged.constData(), QFile::encodeName(target_).constData()) != 0) {
        error_ = errno;
        return false;
    }
    committed_ = true;
    return true;
}
