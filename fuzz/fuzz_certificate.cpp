// Any bytes as a DER certificate: reading never crashes, and every field the details show says
// something, on a line of its own.
#include "FuzzCheck.h"
#include "pipeline/CertificateSummary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<CertificateSummary> certificate =
        readCertificate(QByteArrayView(data, qsizetype(size)));
    if (!certificate)
        return 0;
    for (const QString& line : certificateDetails(*certificate)) {
        const qsizetype colon = line.indexOf(QStringLiteral(": "));
        FUZZ_CHECK(colon > 0 && !line.sliced(colon + 2).trimmed().isEmpty());
        FUZZ_CHECK(!line.contains(u'\n') && !line.contains(u'\r'));
    }
    FUZZ_CHECK(certificate->sha256Fingerprint.size() == 32 * 3 - 1);
    return 0;
}
