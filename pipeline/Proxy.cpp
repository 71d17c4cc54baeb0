#include "pipeline/Proxy.h"

#include "pipeline/DownloadTarget.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <utility>

namespace {

// curl's default, which people who set these variables know.
constexpr int defaultProxyPort = 1080;

QString firstSet(const QProcessEnvironment& environment, std::initializer_list<const char*> names,
                 QString* which) {
    for (const char* name : names) {
        const QString value = environment.value(QLatin1String(name)).trimmed();
        if (!value.isEmpty()) {
            *which = QLatin1String(name);
            return value;
        }
    }
    return QString();
}

bool isLoopback(const QString& host) {
    const QString name = host.toLower();
    return name == QLatin1String("localhost") || name.endsWith(QLatin1String(".localhost")) ||
           QHostAddress(host).isLoopback();
}

// An entry's port, taken off it: after the last colon outside an IPv6 literal's brackets; a
// bare IPv6 address has none.
int takePort(QString& entry) {
    const qsizetype colon = entry.lastIndexOf(u':');
    if (colon < 0 || colon < entry.lastIndexOf(u']') ||
        (!entry.startsWith(u'[') && entry.count(u':') > 1))
        return 0;
    bool numeric = false;
    const int port = entry.sliced(colon + 1).toInt(&numeric);
    if (!numeric)
        return 0;
    entry.truncate(colon);
    return port;
}

bool exempted(const QString& host, int port, const QString& noProxy) {
    const QString name = host.toLower();
    const QHostAddress address(host);
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    for (QString entry : noProxy.toLower().split(separators, Qt::SkipEmptyParts)) {
        if (entry == QLatin1String("*"))
            return true;
        const int entryPort = takePort(entry);
        if (entryPort != 0 && entryPort != port)
            continue;
        if (entry.startsWith(u'[') && entry.endsWith(u']'))
            entry = entry.sliced(1, entry.size() - 2);
        if (entry.contains(u'/')) {
            const QPair<QHostAddress, int> range = QHostAddress::parseSubnet(entry);
            if (!address.isNull() && !range.first.isNull() && address.isInSubnet(range))
                return true;
            continue;
        }
        if (!address.isNull() && address.isEqual(QHostAddress(entry)))
            return true;
        if (entry.startsWith(QLatin1String("*.")))
            entry.remove(0, 1);
        if (entry.startsWith(u'.'))
            entry.remove(0, 1);
        if (name == entry || name.endsWith(u'.' + entry))
            return true;
    }
    return false;
}

// Each kind by the scheme that names it, both ways.
constexpr std::pair<Proxy::Kind, const char*> schemes[] = {{Proxy::Kind::http, "http"},
                                                           {Proxy::Kind::socks5, "socks5"},
                                                           {Proxy::Kind::socks5h, "socks5h"}};

std::optional<Proxy::Kind> kindOf(const QString& scheme) {
    for (const auto& [kind, name] : schemes) {
        if (scheme == QLatin1String(name))
            return kind;
    }
    return std::nullopt;
}

} // namespace

QString Proxy::shown() const {
    const auto named = std::find_if(std::cbegin(schemes), std::cend(schemes),
                                    [this](const auto& entry) { return entry.first == kind; });
    return QLatin1String(named->second) + QStringLiteral("://") +
           (user.isEmpty() ? QString() : user + u'@') + connectAddress(host, port);
}

QNetworkProxy Proxy::networkProxy() const {
    QNetworkProxy proxy(kind == Kind::http ? QNetworkProxy::HttpProxy : QNetworkProxy::Socks5Proxy,
                        host, quint16(port), user, password);
    if (kind == Kind::socks5)
        proxy.setCapabilities(proxy.capabilities() & ~QNetworkProxy::HostNameLookupCapability);
    return proxy;
}

ProxyChoice proxyFor(const QString& host, int port, const QProcessEnvironment& environment) {
    QString variable;
    const QString value =
        firstSet(environment, {"https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}, &variable);
    QString unused;
    if (value.isEmpty() || isLoopback(host) ||
        exempted(host, port, firstSet(environment, {"no_proxy", "NO_PROXY"}, &unused)))
        return {};

    const QUrl url(value.contains(QLatin1String("://")) ? value : QStringLiteral("http://") + value,
                   QUrl::StrictMode);
    const QString proxyHost = url.host(QUrl::EncodeUnicode);
    const int proxyPort = url.port(defaultProxyPort);
    const std::optional<Proxy::Kind> kind = kindOf(url.scheme().toLower());
    if (!url.isValid() || !kind || proxyHost.isEmpty() || proxyPort < 1) {
        // Whatever stands before an "@" may be a password.
        const QString shownValue =
            url.isValid() ? url.toDisplayString(QUrl::RemoveUserInfo | QUrl::RemovePath)
                          : value.sliced(value.lastIndexOf(u'@') + 1);
        return {std::nullopt, variable + u'=' + shownValue};
    }
    return {Proxy{*kind, variable, proxyHost, proxyPort, url.userName(QUrl::FullyDecoded),
                  url.password(QUrl::FullyDecoded)},
            QString()};
}
