#pragma once

#include <QByteArray>
#include <QString>

// The destination with its extension made `extension` ("der"): a certificate's own extension
// is replaced (cert.pem, cert.crt -> cert.der; a.b.pem -> a.b.der), any other is part of the
// name (example.com -> example.com.der), as is a leading dot (.pem -> .pem.der); cert.DER,
// cert.der and a bare .der stay as they are.
QString withExtension(const QString& path, const QString& extension);

// The name a save dialog proposes: the one given, as a name and not a path, with `.extension`
// added unless it ends with it already; a blank one, which would make a hidden file nobody
// finds, gives way to `fallback`.
QString proposedName(const QString& name, const QString& fallback, const QString& extension);

// Why an existing destination may not be replaced by the person (EACCES, EROFS…), before
// anything is written; 0 when it may, or when there is no file there.
int replacingRefused(const QString& destination);

// Why no new file may be made at `destination`, where there is none yet: its folder is not there
// (ENOENT), is not a folder (ENOTDIR) or takes no new file from the person (EACCES, EROFS); 0
// when it may.
int newFileRefused(const QString& destination);

// Puts `bytes` at `destination` with QSaveFile: a new file beside it replaces it in one rename,
// keeping a replaced file's permissions, and a link is written through. Where the folder takes
// no new file but the file there may be written, it is written in place, and its old bytes are
// put back should that fail. Returns 0, or an errno value saying why nothing was put there.
int saveFile(const QString& destination, const QByteArray& bytes);
