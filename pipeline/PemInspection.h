#pragma once

#include <QList>
#include <QString>
#include <QStringView>

inline const QString beginCertificateMarker = QStringLiteral("-----BEGIN CERTIFICATE-----");
inline const QString endCertificateMarker = QStringLiteral("-----END CERTIFICATE-----");

// The certificate blocks of a PEM text, in order: each runs from a BEGIN marker through the next
// END marker and the one character after it (a CR LF pair counts as one). A BEGIN marker without
// a following END marker is dropped.
QList<QString> extractCertificateBlocks(QStringView text);
