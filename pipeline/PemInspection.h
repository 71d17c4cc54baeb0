#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringView>

inline constexpr QLatin1StringView beginCertificateMarker("-----BEGIN CERTIFICATE-----");
inline constexpr QLatin1StringView endCertificateMarker("-----END CERTIFICATE-----");

// Where a block stands in its UTF-8 text, in bytes.
struct TextRange {
    qsizetype start = 0;
    qsizetype length = 0;
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

// The certificate blocks of a UTF-8 PEM text, in order, as OpenSSL's PEM reader, and so the
// tool, reads them: a block begins on a BEGIN CERTIFICATE line of its own (so neither
// "-----BEGIN CERTIFICATE-----END CERTIFICATE-----" nor a marker inside a line begins one) and
// runs through the next line that starts as an END line, that line's break included. A BEGIN
// line without an END line after it is dropped.
QList<TextRange> certificateBlockRanges(QByteArrayView utf8);
QList<QString> extractCertificateBlocks(QStringView text);

// Why a block holds no certificate; the first three as OpenSSL's PEM reader, and so the tool,
// refuses the block.
enum class BlockFault {
    none,
    endLine,      // the END marker does not stand on a line of its own
    base64,       // the text between the markers is not Base64
    headers,      // header lines (encryption and the like) stand before the Base64
    empty,        // nothing between the markers
    notDecodable, // the bytes are not one DER certificate
};

struct BlockBytes {
    QByteArray der; // empty unless fault is none
    BlockFault fault = BlockFault::none;
};

// The bytes a block holds, read with OpenSSL's PEM reader, as the tool reads the block. Whether
// they are a certificate is for the certificate reader to say.
BlockBytes blockBytes(QByteArrayView block);
