#include "pipeline/CertificateSummary.h"

#include <QCryptographicHash>
#include <QSslCertificate>

std::optional<CertificateSummary> summarizeDerCertificate(const QByteArray& der) {
    const QSslCertificate certificate(der, QSsl::Der);
    if (certificate.isNull())
        return std::nullopt;
    return CertificateSummary{
        certificate.subjectDisplayName(), certificate.issuerDisplayName(), certificate.expiryDate(),
        QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper())};
}
