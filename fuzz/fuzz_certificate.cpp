// Any bytes as a DER certificate: reading never crashes and leaves nothing on libcrypto's error
// queue, every field the details show says something visible, on a line of its own, a field
// noted as undecoded shows it, and the names read alone are those of the whole read, or none where
// it reads nothing.
#include "FuzzCheck.h"
#include "pipeline/CertificateSummary.h"

#include <QRegularExpression>
#include <openssl/err.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<CertificateSummary> certificate =
        readCertificate(QByteArrayView(data, qsizetype(size)));
    FUZZ_CHECK(ERR_peek_error() == 0);
    const CertificateNames names = readCertificateNames(QByteArrayView(data, qsizetype(size)));
    FUZZ_CHECK(ERR_peek_error() == 0);
    // A certificate the whole read refuses has no names, read alone or not.
    if (!certificate) {
        FUZZ_CHECK(names.subject.isEmpty() && names.issuer.isEmpty());
        return 0;
    }
    FUZZ_CHECK(names.subject == certificate->subject && names.issuer == certificate->issuer);
    static const QRegularExpression hidden(QStringLiteral("[\\p{Cc}\\p{Cf}\\p{Zl}\\p{Zp}]"));
    static const QRegularExpression visible(QStringLiteral("[^\\s]"));
    for (const CertificateField field : certificateFields) {
        const QString text = fieldText(*certificate, field);
        FUZZ_CHECK(text.contains(visible));
        FUZZ_CHECK(!text.contains(hidden));
        // A field noted as undecoded says so where it is shown.
        FUZZ_CHECK(!certificate->undecoded.contains(field) || text.contains(undecodedField()));
    }
    FUZZ_CHECK(certificate->sha256Fingerprint.size() == 32 * 3 - 1);
    return 0;
}
