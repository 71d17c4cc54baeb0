#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringConverter>
#include <optional>

// The bytes in the given encoding, or nothing when any part of them does not decode.
std::optional<QString> decodeStrictly(QByteArrayView bytes, QStringConverter::Encoding encoding);

// The whole byte sequence as UTF-8, or nothing when any part of it is not valid UTF-8.
std::optional<QString> decodeUtf8Strictly(QByteArrayView bytes);

// Whether decodeUtf8Strictly would succeed, without building the text.
bool isStrictUtf8(QByteArrayView bytes);

struct ByteOrderMark {
    qsizetype length;
    QStringConverter::Encoding encoding;
};

// The UTF-8, UTF-16 or UTF-32 byte-order mark the bytes begin with, if any.
std::optional<ByteOrderMark> byteOrderMark(QByteArrayView bytes);

// Text file content: a byte-order mark chooses the encoding, otherwise strict UTF-8. Nothing
// when the bytes do not decode.
std::optional<QString> decodeTextFileBytes(QByteArrayView bytes);
