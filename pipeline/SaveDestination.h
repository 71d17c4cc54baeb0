#pragma once

#include <QString>

// The destination with its extension made `extension` ("der"): cert.pem -> cert.der,
// cert -> cert.der, a.b.pem -> a.b.der, .pem -> .pem.der (a leading dot starts no extension);
// cert.DER, cert.der and a bare .der stay as they are.
QString withExtension(const QString& path, const QString& extension);
