#pragma once

#include "pipeline/PemInspection.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The text of a PEM file as UTF-8, the bytes the tool is given. A UTF-8 file is checked but kept
// as its bytes, so a large bundle is searched without converting it; other encodings are
// converted once.
class PemText {
public:
    // Far beyond any certificate bundle (a 32 MB one holds about 16,000 certificates).
    static constexpr qint64 maximumFileSize = 256 * 1024 * 1024;

    // Nothing when the path is not a regular file, is larger than maximumFileSize, cannot be
    // read, or its bytes do not decode:
    // a UTF-8, UTF-16 or UTF-32 byte-order mark chooses the encoding, otherwise it must be UTF-8.
    static std::optional<PemText> read(const QString& path);
    // Text already known to be UTF-8.
    static PemText fromUtf8(QByteArray utf8);

    bool isEmpty() const { return utf8_.isEmpty(); }
    bool contains(QLatin1StringView marker) const;
    QList<TextRange> certificateBlocks() const;
    QString text(TextRange range) const;
    QByteArrayView bytes(TextRange range) const {
        return QByteArrayView(utf8_).sliced(range.start, range.length);
    }

private:
    QByteArray utf8_;
};
