#include "pipeline/PemInspection.h"

#include "pipeline/GraphemeText.h"

#include <memory>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>

namespace {

// OpenSSL's PEM reader takes a line at most this many bytes at a time; what is left of a longer
// line reads as a line of its own.
constexpr qsizetype readerLineLimit = 254;

qsizetype find(QByteArrayView bytes, QLatin1StringView marker, qsizetype from) {
    return bytes.indexOf(QByteArrayView(marker.data(), marker.size()), from);
}

// Whether the reader's line at `at` is a BEGIN CERTIFICATE line: the marker where one of its
// lines starts, followed by nothing it keeps. It strips from a line's end every byte up to the
// blank and, comparing signed chars, every byte above 0x7F.
bool isBeginLine(QByteArrayView text, qsizetype at) {
    const qsizetype lineStart = text.first(at).lastIndexOf('\n') + 1;
    if ((at - lineStart) % readerLineLimit != 0)
        return false;
    const qsizetype newline = text.indexOf('\n', at);
    const qsizetype lineEnd =
        std::min(at + readerLineLimit, newline < 0 ? text.size() : newline + 1);
    for (qsizetype i = at + beginCertificateMarker.size(); i < lineEnd; ++i) {
        const auto c = uchar(text[i]);
        if (c > ' ' && c < 0x80)
            return false;
    }
    return true;
}

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};

} // namespace

QList<TextRange> certificateBlockRanges(QByteArrayView utf8) {
    QList<TextRange> blocks;
    qsizetype searchFrom = 0;
    while (true) {
        const qsizetype begin = find(utf8, beginCertificateMarker, searchFrom);
        if (begin < 0)
            break;
        if (!isBeginLine(utf8, begin)) {
            searchFrom = begin + 1;
            continue;
        }
        const qsizetype end =
            find(utf8, endCertificateMarker, begin + beginCertificateMarker.size());
        if (end < 0)
            break;
        const qsizetype endOfMarker = end + endCertificateMarker.size();
        const qsizetype blockEnd = endOfMarker + graphemeLengthAtUtf8(utf8, endOfMarker);
        blocks.append({begin, blockEnd - begin});
        // The character after the END marker belongs to the block but is searched again.
        searchFrom = endOfMarker;
    }
    return blocks;
}

QList<QString> extractCertificateBlocks(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    QList<QString> blocks;
    for (const TextRange& range : certificateBlockRanges(utf8))
        blocks.append(QString::fromUtf8(utf8.sliced(range.start, range.length)));
    return blocks;
}

BlockBytes blockBytes(QByteArrayView block) {
    ERR_set_mark();
    const std::unique_ptr<BIO, BioFree> bio(BIO_new_mem_buf(block.data(), int(block.size())));
    char* name = nullptr;
    char* headers = nullptr;
    unsigned char* data = nullptr;
    long length = 0;
    const bool read = bio && PEM_read_bio(bio.get(), &name, &headers, &data, &length) == 1;
    const int reason = ERR_GET_REASON(ERR_peek_last_error());
    ERR_pop_to_mark();
    BlockBytes bytes;
    if (!read)
        bytes.fault = reason == PEM_R_BAD_BASE64_DECODE ? BlockFault::base64
                      : reason == PEM_R_BAD_END_LINE    ? BlockFault::endLine
                                                        : BlockFault::empty;
    else if (headers && *headers)
        bytes.fault = BlockFault::headers;
    else
        bytes.der = QByteArray(reinterpret_cast<const char*>(data), qsizetype(length));
    OPENSSL_free(name);
    OPENSSL_free(headers);
    OPENSSL_free(data);
    return bytes;
}
