#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// What a certificate says of itself, for telling the person what was saved.
struct CertificateSummary {
    QString subject; // its common name, or the name that stands in for one
    QString issuer;
    QDateTime expiry;
    QString sha256Fingerprint; // upper-case hex pairs joined by colons, as browsers show it
};

// Nothing when the bytes are not one DER certificate.
std::optional<CertificateSummary> summarizeDerCertificate(const QByteArray& der);
