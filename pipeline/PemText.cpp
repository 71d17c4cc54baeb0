#include "pipeline/PemText.h"

#include "pipeline/TextDecoding.h"

#include <QFile>
#include <QFileInfo>

std::optional<PemText> PemText::read(const QString& path) {
    // A pipe or a device would block or never end: only regular files are text. The file is
    // read whole, so one far beyond any certificate bundle is refused rather than filling memory.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maximumFileSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;

    PemText pem;
    const std::optional<ByteOrderMark> mark = byteOrderMark(bytes);
    if (mark && mark->encoding != QStringConverter::Utf8) {
        std::optional<QString> decoded = decodeTextFileBytes(bytes);
        if (!decoded)
            return std::nullopt;
        pem.utf8_ = decoded->toUtf8();
        return pem;
    }
    if (mark)
        bytes.remove(0, mark->length); // in place: no second copy of a big file
    if (!isStrictUtf8(bytes))
        return std::nullopt;
    pem.utf8_ = std::move(bytes);
    return pem;
}

PemText PemText::fromUtf8(QByteArray utf8) {
    PemText pem;
    pem.utf8_ = std::move(utf8);
    return pem;
}

bool PemText::contains(QLatin1StringView marker) const {
    return QByteArrayView(utf8_).contains(QByteArrayView(marker.data(), marker.size()));
}

QList<TextRange> PemText::certificateBlocks() const {
    return certificateBlockRanges(utf8_);
}

QString PemText::text(TextRange range) const {
    return QString::fromUtf8(bytes(range));
}
