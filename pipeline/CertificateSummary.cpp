#include "pipeline/CertificateSummary.h"

#include "pipeline/PemInspection.h"

#include <QCryptographicHash>
#include <QSslCertificate>
#include <QSslKey>

namespace {

QString fingerprint(const QSslCertificate& certificate, QCryptographicHash::Algorithm algorithm) {
    return QString::fromLatin1(certificate.digest(algorithm).toHex(':').toUpper());
}

QString keyTypeName(const QSslKey& key) {
    if (key.isNull())
        return QString();
    switch (key.algorithm()) {
    case QSsl::Rsa:
        return QStringLiteral("RSA");
    case QSsl::Ec:
        return QStringLiteral("EC");
    case QSsl::Dsa:
        return QStringLiteral("DSA");
    case QSsl::Dh:
        return QStringLiteral("DH");
    case QSsl::Opaque:
        break;
    }
    return QString();
}

} // namespace

std::optional<CertificateSummary> summarizeCertificate(const QByteArray& data,
                                                       QSsl::EncodingFormat format) {
    const QSslCertificate certificate(data, format);
    if (certificate.isNull())
        return std::nullopt;
    const auto names = certificate.subjectAlternativeNames();
    QList<QHostAddress> addresses;
    for (const QString& address : names.values(QSsl::AlternativeNameEntryType::IpAddressEntry))
        addresses << QHostAddress(address);
    const QSslKey key = certificate.publicKey();
    return CertificateSummary{certificate.subjectDisplayName(),
                              certificate.issuerDisplayName(),
                              certificate.effectiveDate(),
                              certificate.expiryDate(),
                              fingerprint(certificate, QCryptographicHash::Sha256),
                              names.values(QSsl::AlternativeNameEntryType::DnsEntry),
                              addresses,
                              fingerprint(certificate, QCryptographicHash::Sha1),
                              QString::fromLatin1(certificate.serialNumber()).toUpper(),
                              keyTypeName(key),
                              key.isNull() ? 0 : key.length()};
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
