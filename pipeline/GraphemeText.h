#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The length in UTF-16 units of the user-perceived character that starts at `position`
// (0 at the end of the text).
qsizetype graphemeLengthAt(QStringView text, qsizetype position);

// The same over UTF-8 bytes, in bytes; the bytes must be valid UTF-8.
qsizetype graphemeLengthAtUtf8(QByteArrayView utf8, qsizetype position);

// The first `limit` user-perceived characters of `text`, followed by "..." when it had more.
QString graphemeExcerpt(QStringView text, qsizetype limit);
