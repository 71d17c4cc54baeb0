#include "pipeline/HostNames.h"

#include <algorithm>

namespace {

QString normalised(QString name) {
    if (name.endsWith(u'.'))
        name.chop(1);
    return name.toLower();
}

bool nameCovers(const QString& pattern, const QString& host) {
    if (!pattern.startsWith(QStringLiteral("*.")))
        return pattern == host;
    // The wildcard stands for one whole label, never for the public suffix alone.
    const QStringView rest = QStringView(pattern).sliced(1);
    const qsizetype firstDot = host.indexOf(u'.');
    return rest.count(u'.') >= 2 && firstDot > 0 && QStringView(host).sliced(firstDot) == rest;
}

} // namespace

bool namesCoverHost(const QStringList& dnsNames, const QList<QHostAddress>& ipAddresses,
                    const QString& host) {
    const QHostAddress address(host);
    if (!address.isNull())
        return ipAddresses.contains(address);
    const QString wanted = normalised(host);
    return std::any_of(dnsNames.cbegin(), dnsNames.cend(), [&wanted](const QString& name) {
        return nameCovers(normalised(name), wanted);
    });
}
