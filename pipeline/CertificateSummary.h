#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QSsl>
#include <QString>
#include <QStringList>
#include <optional>

// What a certificate says of itself, for telling the person what was saved and what to mind.
struct CertificateSummary {
    QString subject; // its common name, or the name that stands in for one
    QString issuer;
    QDateTime effective;
    QDateTime expiry;
    QString sha256Fingerprint; // upper-case hex pairs joined by colons, as browsers show it
    QStringList dnsNames;      // the names it was issued for
    QList<QHostAddress> ipAddresses;
    QString sha1Fingerprint;
    QString serialNumber; // hex pairs joined by colons
    QString keyType;      // "RSA", "EC", "DSA", "DH"; empty when Qt cannot tell
    int keyBits = 0;
};

// Nothing when the bytes are not one certificate in the given form.
std::optional<CertificateSummary> summarizeCertificate(const QByteArray& data,
                                                       QSsl::EncodingFormat format);
// The certificate a block holds: its Base64 between the markers, blanks and line breaks aside,
// as the tool reads it. Nothing when that does not decode to a certificate.
std::optional<CertificateSummary> summarizeCertificateBlock(QStringView block);
