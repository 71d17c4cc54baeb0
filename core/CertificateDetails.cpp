#include "core/CertificateDetails.h"

QString fieldLabel(CertificateField field) {
    switch (field) {
    case CertificateField::subject:
        return QStringLiteral("Konu");
    case CertificateField::issuer:
        return QStringLiteral("Veren");
    case CertificateField::alternativeNames:
        return QStringLiteral("Alternatif adlar");
    case CertificateField::serialNumber:
        return QStringLiteral("Seri numarası");
    case CertificateField::key:
        return QStringLiteral("Anahtar");
    case CertificateField::signatureAlgorithm:
        return QStringLiteral("İmza algoritması");
    case CertificateField::certificateAuthority:
        return QStringLiteral("Sertifika yetkilisi (CA)");
    case CertificateField::effective:
        return QStringLiteral("Geçerlilik başlangıcı");
    case CertificateField::expiry:
        return QStringLiteral("Geçerlilik sonu");
    case CertificateField::sha256Fingerprint:
        return QStringLiteral("SHA-256 parmak izi");
    case CertificateField::sha1Fingerprint:
        return QStringLiteral("SHA-1 parmak izi");
    case CertificateField::keyPin:
        return QStringLiteral("Açık anahtar pini (SHA-256, base64)");
    case CertificateField::caIssuers:
        return QStringLiteral("Verenin sertifikası (CA Issuers)");
    case CertificateField::ocsp:
        return QStringLiteral("İptal durumu (OCSP)");
    }
    return QString();
}

QString detailLine(const CertificateSummary& certificate, CertificateField field) {
    return fieldLabel(field) + QStringLiteral(": ") + fieldText(certificate, field);
}

QStringList certificateDetails(const CertificateSummary& certificate) {
    QStringList lines;
    for (const CertificateField field : certificateFields)
        lines << detailLine(certificate, field);
    return lines;
}
