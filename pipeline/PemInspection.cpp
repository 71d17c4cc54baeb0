#include "pipeline/PemInspection.h"

#include <memory>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <string_view>

namespace {

// OpenSSL's PEM reader takes a line at most this many bytes at a time; what is left of a longer
// line reads as a line of its own.
constexpr qsizetype readerLineLimit = 254;

// What a PEM text is searched for starts with '-', which Base64 never holds: the standard
// library's search, led by memchr, skips the Base64 in long strides.
qsizetype find(QByteArrayView text, std::string_view what, qsizetype from) {
    const size_t found =
        std::string_view(text.data(), size_t(text.size())).find(what, size_t(from));
    return found == std::string_view::npos ? -1 : qsizetype(found);
}

// Where the reader's line that starts at `at` ends: after its line break, or as far as it reads
// at a time.
qsizetype readerLineEnd(QByteArrayView text, qsizetype at) {
    const qsizetype newline = text.indexOf('\n', at);
    return std::min(at + readerLineLimit, newline < 0 ? text.size() : newline + 1);
}

bool startsReaderLine(QByteArrayView text, qsizetype at) {
    const qsizetype lineStart = text.first(at).lastIndexOf('\n') + 1;
    return (at - lineStart) % readerLineLimit == 0;
}

// Whether the reader keeps anything of its line at `at` from `from` on. It strips from a line's
// end every byte up to the blank and, comparing signed chars, every byte above 0x7F.
bool keepsFrom(QByteArrayView text, qsizetype at, qsizetype from) {
    const qsizetype lineEnd = readerLineEnd(text, at);
    for (qsizetype i = from; i < lineEnd; ++i) {
        const auto c = uchar(text[i]);
        if (c > ' ' && c < 0x80)
            return true;
    }
    return false;
}

// Whether the reader's line at `at` is a BEGIN CERTIFICATE line: the marker followed by nothing
// it keeps.
bool isBeginLine(QByteArrayView text, qsizetype at) {
    return startsReaderLine(text, at) && !keepsFrom(text, at, at + beginCertificateMarker.size());
}

// Where the block that begins at `begin` ends: after the first of the reader's lines that starts
// as an END line once stripped, whatever that line says next (the reader stops there, and
// refuses the block unless it is the END CERTIFICATE line). -1 when there is none.
qsizetype blockEnd(QByteArrayView text, qsizetype begin) {
    constexpr std::string_view endLineStart("-----END ");
    for (qsizetype at = readerLineEnd(text, begin);; ++at) {
        at = find(text, endLineStart, at);
        if (at < 0)
            return -1;
        if (startsReaderLine(text, at) && keepsFrom(text, at, at + qsizetype(endLineStart.size())))
            return readerLineEnd(text, at);
    }
}

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};

} // namespace

QList<TextRange> certificateBlockRanges(QByteArrayView utf8) {
    QList<TextRange> blocks;
    qsizetype searchFrom = 0;
    while (true) {
        const qsizetype begin = find(
            utf8, std::string_view(beginCertificateMarker.data(), beginCertificateMarker.size()),
            searchFrom);
        if (begin < 0)
            break;
        if (!isBeginLine(utf8, begin)) {
            searchFrom = begin + 1;
            continue;
        }
        const qsizetype end = blockEnd(utf8, begin);
        if (end < 0)
            break;
        blocks.append({begin, end - begin});
        searchFrom = end;
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
