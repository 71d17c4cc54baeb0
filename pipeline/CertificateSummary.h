#pragma once

#include "pipeline/PemInspection.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// Stands for a field the certificate holds but that could not be read.
QString undecodedField();

// The fields of a certificate that a summary shows, in the order the details list them.
enum class CertificateField {
    subject,
    issuer,
    alternativeNames,
    serialNumber,
    key,
    signatureAlgorithm,
    certificateAuthority,
    effective,
    expiry,
    sha256Fingerprint,
    sha1Fingerprint,
    keyPin,
    caIssuers,
    ocsp,
};
inline constexpr CertificateField certificateFields[] = {
    CertificateField::subject,
    CertificateField::issuer,
    CertificateField::alternativeNames,
    CertificateField::serialNumber,
    CertificateField::key,
    CertificateField::signatureAlgorithm,
    CertificateField::certificateAuthority,
    CertificateField::effective,
    CertificateField::expiry,
    CertificateField::sha256Fingerprint,
    CertificateField::sha1Fingerprint,
    CertificateField::keyPin,
    CertificateField::caIssuers,
    CertificateField::ocsp,
};

// What a certificate says of itself, read once and each field on its own, for telling the person
// what was saved and what to mind. Every text is one line and never empty: a field that is not
// there reads "yok", one that does not decode reads undecodedField().
struct CertificateSummary {
    QString subject;     // every attribute, the common name first: "CN=…, O=…, C=TR"
    QString subjectName; // its common name, else organisation or unit; empty when it has none
    QString issuer;
    QDateTime effective; // invalid when the time does not decode
    QDateTime expiry;
    QStringList dnsNames; // the names it was issued for
    QList<QHostAddress> ipAddresses;
    QString alternativeNames; // every alternative name, as shown
    QString serialNumber;     // hex pairs joined by colons
    QString key;              // "EC P-256", "RSA 2048 bit", "Ed25519"
    QString signatureAlgorithm;
    QString certificateAuthority; // whether it may issue certificates
    QString sha256Fingerprint;    // upper-case hex pairs joined by colons, as browsers show it
    QString sha1Fingerprint;
    QString keyPin;    // SHA-256 of its public key info in base64, as pinning settings take it
    QString caIssuers; // where its issuer's certificate is published
    QString ocsp;      // where its revocation status is answered
    // The fields with a part that did not decode, in the order above.
    QList<CertificateField> undecoded;
};

// The two names of a certificate, as its summary gives them; both empty when they cannot be read.
struct CertificateNames {
    QString subject;
    QString issuer;
};

// Nothing when the bytes do not begin with one DER certificate.
std::optional<CertificateSummary> readCertificate(QByteArrayView der);
// Only the names, the same as readCertificate gives, read without the public key: fast enough to
// search tens of thousands. Both empty when readCertificate would give nothing.
CertificateNames readCertificateNames(QByteArrayView der);

// The certificate a PEM block holds, or why it holds none.
struct CertificateBlock {
    std::optional<CertificateSummary> certificate;
    BlockFault fault = BlockFault::none;
};
CertificateBlock readCertificateBlock(QByteArrayView block);

// Items joined by ", ", each with its commas escaped so that none poses as two; "yok" for none.
QString shownList(QStringList items);
// The field's value as shown, a line.
QString fieldText(const CertificateSummary& certificate, CertificateField field);
