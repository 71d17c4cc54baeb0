#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// The whole byte sequence as UTF-8, or nothing when any part of it is not valid UTF-8.
std::optional<QString> decodeUtf8Strictly(QByteArrayView bytes);

// Text file content: a UTF-8, UTF-16 or UTF-32 byte-order mark chooses the encoding, otherwise
// strict UTF-8. Nothing when the bytes do not decode.
std::optional<QString> decodeTextFileBytes(QByteArrayView bytes);

// Reads and decodes a whole text file; nothing when it cannot be read or decoded.
std::optional<QString> readTextFile(const QString& path);
