#include "pipeline/DerDestination.h"

QString withDerExtension(const QString& path) {
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const qsizetype dot = path.lastIndexOf(u'.');
    const bool hasExtension = dot >= nameStart;
    if (hasExtension && path.sliced(dot + 1).toLower() == QStringLiteral("der"))
        return path;
    return (hasExtension ? path.first(dot) : path) + QStringLiteral(".der");
}
