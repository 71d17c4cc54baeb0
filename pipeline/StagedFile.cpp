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

namespace {

// The file a destination names: a link is written through, as the tool would have done.
QString resolvedTarget(const QString& destination) {
    const QFileInfo info(destination);
    if (!info.isSymLink())
        return destination;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

} // namespace

StagedFile::StagedFile(const QString& destination)
    : target_(resolvedTarget(destination)) {
    const QFileInfo target(target_);
    const QString stem = target.path() + QStringLiteral("/.") + target.fileName() + u'.';
    // Made here, new, so that nothing planted under the name is written through. Where it cannot
    // be made, the tool is still given the name and fails to write there as it would have at the
    // destination.
    for (int attempt = 0; attempt < 8; ++attempt) {
        path_ = stem + QString::number(QRandomGenerator::system()->generate64(), 36);
        const int fd = ::open(QFile::encodeName(path_).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return;
        }
        if (errno != EEXIST) {
            error_ = errno;
            return;
        }
    }
}

StagedFile::~StagedFile() {
    if (!committed_)
        ::unlink(QFile::encodeName(path_).constData());
}

qint64 StagedFile::size() const {
    const QFileInfo staged(path_);
    return staged.isFile() ? staged.size() : 0;
}

bool StagedFile::commit() {
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
