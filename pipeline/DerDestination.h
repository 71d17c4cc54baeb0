#pragma once

#include <QString>

// The destination with its extension made "der": cert.pem -> cert.der, cert -> cert.der,
// a.b.pem -> a.b.der; cert.DER and cert.der stay as they are.
QString withDerExtension(const QString& path);
