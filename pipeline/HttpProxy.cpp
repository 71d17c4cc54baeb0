#include "pipeline/HttpProxy.h"

#include "pipeline/DownloadTarget.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QUrl>

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

bool exempted(const QString& host, const QString& noProxy) {
    const QString name = host.toLower();
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    for (QString entry : noProxy.toLower().split(separators, Qt::SkipEmptyParts)) {
        if (entry == QLatin1String("*"))
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

} // namespace

QString HttpProxy::address() const {
    return connectAddress(host, port);
}

QString HttpProxy::shown() const {
    return QStringLiteral("http://") + (user.isEmpty() ? QString() : user + u'@') + address();
}

ProxyChoice proxyFor(const QString& host, const QProcessEnvironment& environment) {
    QString variable;
    const QString value =
        firstSet(environment, {"https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}, &variable);
    QString unused;
    if (value.isEmpty() || isLoopback(host) ||
        exempted(host, firstSet(environment, {"no_proxy", "NO_PROXY"}, &unused)))
        return {};

    const QUrl url(value.contains(QLatin1String("://")) ? value : QStringLiteral("http://") + value,
                   QUrl::StrictMode);
    const QString proxyHost = url.host(QUrl::EncodeUnicode);
    const int port = url.port(defaultProxyPort);
    if (!url.isValid() || url.scheme().toLower() != QLatin1String("http") || proxyHost.isEmpty() ||
        proxyHost.startsWith(u'-') || port < 1) {
        // Whatever stands before an "@" may be a password.
        const QString shownValue =
            url.isValid() ? url.toDisplayString(QUrl::RemoveUserInfo | QUrl::RemovePath)
                          : value.sliced(value.lastIndexOf(u'@') + 1);
        return {std::nullopt, variable + u'=' + shownValue};
    }
    return {HttpProxy{variable, proxyHost, port, url.userName(QUrl::FullyDecoded),
                      url.password(QUrl::FullyDecoded)},
            QString()};
}
