#include "core/CertificateDetails.h"

#include <QCoreApplication>

QString fieldLabel(CertificateField field) {
    switch (field) {
    case CertificateField::subject:
        return QCoreApplication::translate("CertificateDetails", "Konu");
    case CertificateField::issuer:
        return QCoreApplication::translate("CertificateDetails", "Veren");
    case CertificateField::alternativeNames:
        return QCoreApplication::translate("CertificateDetails", "Alternatif adlar");
    case CertificateField::serialNumber:
        return QCoreApplication::translate("CertificateDetails", "Seri numarası");
    case CertificateField::key:
        return QCoreApplication::translate("CertificateDetails", "Anahtar");
    case CertificateField::signatureAlgorithm:
        return QCoreApplication::translate("CertificateDetails", "İmza algoritması");
    case CertificateField::certificateAuthority:
        return QCoreApplication::translate("CertificateDetails", "Sertifika yetkilisi (CA)");
    case CertificateField::effective:
        return QCoreApplication::translate("CertificateDetails", "Geçerlilik başlangıcı");
    case CertificateField::expiry:
        return QCoreApplication::translate("CertificateDetails", "Geçerlilik sonu");
    case CertificateField::sha256Fingerprint:
        return QCoreApplication::translate("CertificateDetails", "SHA-256 parmak izi");
    case CertificateField::sha1Fingerprint:
        return QCoreApplication::translate("CertificateDetails", "SHA-1 parmak izi");
    case CertificateField::keyPin:
        return QCoreApplication::translate("CertificateDetails",
                                           "Açık anahtar pini (SHA-256, base64)");
    case CertificateField::caIssuers:
        return QCoreApplication::translate("CertificateDetails",
                                           "Verenin sertifikası (CA Issuers)");
    case CertificateField::ocsp:
        return QCoreApplication::translate("CertificateDetails", "İptal durumu (OCSP)");
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
