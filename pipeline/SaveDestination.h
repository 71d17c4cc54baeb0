#pragma once

#include <QString>

// The destination with its extension made `extension` ("der"): cert.pem -> cert.der,
// cert -> cert.der, a.b.pem -> a.b.der, .pem -> .pem.der (a leading dot starts no extension);
// cert.DER, cert.der and a bare .der stay as they are.
QString withExtension(const QString& path, const QString& extension);

// The name a save dialog proposes: the one given, as a name and not a path, with `.extension`
// added unless it ends with it already; a blank one, which would make a hidden file nobody
// finds, gives way to `fallback`.
QString proposedName(const QString& name, const QString& fallback, const QString& extension);
