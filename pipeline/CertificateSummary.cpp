#include "pipeline/CertificateSummary.h"

#include "pipeline/PemInspection.h"

#include <QCryptographicHash>
#include <QSslCertificate>

std::optional<CertificateSummary> summarizeCertificate(const QByteArray& data,
                                                       QSsl::EncodingFormat format) {
    const QSslCertificate certificate(data, format);
    if (certificate.isNull())
        return std::nullopt;
    const auto names = certificate.subjectAlternativeNames();
    QList<QHostAddress> addresses;
    for (const QString& address : names.values(QSsl::AlternativeNameEntryType::IpAddressEntry))
        addresses << QHostAddress(address);
    return CertificateSummary{
        certificate.subjectDisplayName(),
        certificate.issuerDisplayName(),
        certificate.effectiveDate(),
        certificate.expiryDate(),
        QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper()),
        names.values(QSsl::AlternativeNameEntryType::DnsEntry),
        addresses};
}

std::optional<CertificateSummary> summarizeCertificateBlock(QStringView block) {
    const qsizetype begin = block.indexOf(beginCertificateMarker);
    const qsizetype end = block.indexOf(endCertificateMarker);
    if (begin < 0 || end < begin)
        return std::nullopt;
    QByteArray base64;
    for (QChar c : block.sliced(begin + beginCertificateMarker.size(),
                                end - begin - beginCertificateMarker.size())) {
        if (c.isSpace())
            continue;
        if (c.unicode() > 0x7F)
            return std::nullopt;
        base64 += char(c.unicode());
    }
    const auto der =
        QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    return der ? summarizeCertificate(*der, QSsl::Der) : std::nullopt;
}
