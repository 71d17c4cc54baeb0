#include "pipeline/SaveDestination.h"

QString withExtension(const QString& path, const QString& extension) {
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const QStringView name = QStringView(path).sliced(nameStart);
    // A bare ".der" already names a DER file.
    if (name.startsWith(u'.') && name.sliced(1).compare(extension, Qt::CaseInsensitive) == 0)
        return path;
    // A leading dot marks a hidden file, not an extension.
    const qsizetype dot = name.lastIndexOf(u'.');
    const bool hasExtension = dot > 0;
    if (hasExtension && name.sliced(dot + 1).compare(extension, Qt::CaseInsensitive) == 0)
        return path;
    return (hasExtension ? path.first(nameStart + dot) : path) + u'.' + extension;
}

QString proposedName(const QString& name, const QString& fallback, const QString& extension) {
    QString proposed = name.trimmed().replace(u'/', u'-');
    if (proposed.isEmpty())
        proposed = fallback;
    const QString suffix = u'.' + extension;
    return proposed.endsWith(suffix, Qt::CaseInsensitive) ? proposed : proposed + suffix;
}
