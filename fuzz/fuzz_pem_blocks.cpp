// Any text as a PEM file: its blocks are found where OpenSSL's PEM reader finds them, each is
// read as that reader reads it, and nothing read ends the program.
#include "FuzzCheck.h"
#include "pipeline/CertificateSummary.h"
#include "pipeline/PemInspection.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <memory>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

namespace {

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
using Bio = std::unique_ptr<BIO, BioFree>;

Bio memoryBio(QByteArrayView bytes) {
    return Bio(BIO_new_mem_buf(bytes.data(), int(bytes.size())));
}

// What OpenSSL's PEM reader reads from a text, a block after another, as the name and bytes of
// each; nothing when any read fails before the end or holds another kind of block, where our
// reader, which starts again at every BEGIN CERTIFICATE line, may find more.
std::optional<QList<QByteArray>> readByOpenSsl(QByteArrayView text) {
    const Bio bio = memoryBio(text);
    QList<QByteArray> blocks;
    while (true) {
        char* name = nullptr;
        char* headers = nullptr;
        unsigned char* data = nullptr;
        long length = 0;
        const bool read = PEM_read_bio(bio.get(), &name, &headers, &data, &length) == 1;
        const bool ended = !read && ERR_GET_REASON(ERR_peek_last_error()) == PEM_R_NO_START_LINE;
        ERR_clear_error();
        const bool certificate =
            read && qstrcmp(name, "CERTIFICATE") == 0 && headers && *headers == '\0';
        if (certificate)
            blocks << QByteArray(reinterpret_cast<const char*>(data), qsizetype(length));
        OPENSSL_free(name);
        OPENSSL_free(headers);
        OPENSSL_free(data);
        if (ended)
            return blocks;
        if (!certificate)
            return std::nullopt;
    }
}

// The SHA-256 fingerprint OpenSSL gives the certificate PEM_read_bio_X509 reads from a block.
QString fingerprintByOpenSsl(QByteArrayView block) {
    const Bio bio = memoryBio(block);
    X509* certificate = PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr);
    ERR_clear_error();
    if (!certificate)
        return QString();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    X509_digest(certificate, EVP_sha256(), digest, &length);
    X509_free(certificate);
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(digest), length).toHex(':').toUpper());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A file is read as UTF-8 or converted to it; any other bytes are not text.
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray utf8 = text.toUtf8();
    const QList<TextRange> ranges = certificateBlockRanges(utf8);

    const QList<QString> extracted = extractCertificateBlocks(text);
    FUZZ_CHECK(extracted.size() == ranges.size());
    qsizetype previousEnd = 0;
    for (qsizetype i = 0; i < ranges.size(); ++i) {
        const TextRange range = ranges[i];
        FUZZ_CHECK(range.start >= previousEnd && range.length > 0);
        FUZZ_CHECK(range.start + range.length <= utf8.size());
        const QByteArrayView block = QByteArrayView(utf8).sliced(range.start, range.length);
        FUZZ_CHECK(QString::fromUtf8(block) == extracted[i]);
        FUZZ_CHECK(block.startsWith(
            QByteArrayView(beginCertificateMarker.data(), beginCertificateMarker.size())));
        // It ends where a line ends for the reader: at a line break, the text's end, or as far
        // as the reader takes of a long line at a time.
        const qsizetype end = range.start + range.length;
        const qsizetype lineStart = utf8.first(end).lastIndexOf('\n') + 1;
        FUZZ_CHECK(end == lineStart || end == utf8.size() || (end - lineStart) % 254 == 0);
        previousEnd = range.start + range.length;

        // Each block is a certificate exactly when OpenSSL reads one from it, and the same one.
        const BlockBytes bytes = blockBytes(block);
        const CertificateBlock read = readCertificateBlock(block);
        FUZZ_CHECK(ERR_peek_error() == 0);
        FUZZ_CHECK(read.certificate.has_value() == (read.fault == BlockFault::none));
        FUZZ_CHECK(bytes.fault == read.fault || read.fault == BlockFault::notDecodable);
        const QString fingerprint = fingerprintByOpenSsl(block);
        FUZZ_CHECK(read.certificate ? read.certificate->sha256Fingerprint == fingerprint
                                    : fingerprint.isEmpty());
    }

    // Where OpenSSL reads the text block after block without a failure, both find the same
    // blocks. Left out: a byte-order mark, which it strips at the start of each read, and control
    // bytes, which end the type name it reads from a BEGIN line.
    if (utf8.contains("\xEF\xBB\xBF") || std::any_of(utf8.cbegin(), utf8.cend(), [](char c) {
            return uchar(c) < ' ' && c != '\n' && c != '\r' && c != '\t';
        }))
        return 0;
    if (const std::optional<QList<QByteArray>> byOpenSsl = readByOpenSsl(utf8)) {
        FUZZ_CHECK(byOpenSsl->size() == ranges.size());
        for (qsizetype i = 0; i < ranges.size(); ++i)
            FUZZ_CHECK(
                blockBytes(QByteArrayView(utf8).sliced(ranges[i].start, ranges[i].length)).der ==
                byOpenSsl->at(i));
    }
    return 0;
}
