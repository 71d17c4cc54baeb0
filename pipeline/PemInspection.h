#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringView>

inline constexpr QLatin1StringView beginCertificateMarker("-----BEGIN CERTIFICATE-----");
inline constexpr QLatin1StringView endCertificateMarker("-----END CERTIFICATE-----");

// Where a block stands in its text, in the text's own units.
struct TextRange {
    qsizetype start = 0;
    qsizetype length = 0;
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

// The certificate blocks of a PEM text, in order: each runs from a BEGIN marker through the next
// END marker and the one character after it (a CR LF pair counts as one). A BEGIN marker without
// a following END marker is dropped.
QList<TextRange> certificateBlockRanges(QStringView text);
// The same over UTF-8 bytes: the markers are ASCII, so the bytes can be searched as they are.
QList<TextRange> certificateBlockRanges(QByteArrayView utf8);

QList<QString> extractCertificateBlocks(QStringView text);
