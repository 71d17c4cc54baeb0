#include "pipeline/DerDestination.h"

QString withDerExtension(const QString& path) {
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const QStringView name = QStringView(path).sliced(nameStart);
    // A bare ".der" already names a DER file.
    if (name.compare(u".der", Qt::CaseInsensitive) == 0)
        return path;
    // A leading dot marks a hidden file, not an extension.
    const qsizetype dot = name.lastIndexOf(u'.');
    const bool hasExtension = dot > 0;
    if (hasExtension && name.sliced(dot + 1).compare(u"der", Qt::CaseInsensitive) == 0)
        return path;
    return (hasExtension ? path.first(nameStart + dot) : path) + QStringLiteral(".der");
}
