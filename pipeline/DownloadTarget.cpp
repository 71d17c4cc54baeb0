#include "pipeline/DownloadTarget.h"

#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace {

const QString httpsPrefix = QStringLiteral("https://");

// A scheme Ruvelta fetches from: its default port, and the protocol its server speaks in plain
// text before TLS, if any.
struct Scheme {
    const char* name;
    int port;
    const char* startTls;
};

constexpr Scheme schemes[] = {
    {"https", 443, ""},
    {"http", 80, ""},
    {"smtp", 25, "smtp"},
    {"imap", 143, "imap"},
    {"pop3", 110, "pop3"},
    {"ftp", 21, "ftp"},
    {"ldap", 389, "ldap"},
    {"xmpp", 5222, "xmpp"},
    {"postgres", 5432, "postgres"},
    {"postgresql", 5432, "postgres"},
    {"mysql", 3306, "mysql"},
    {"smtps", 465, ""},
    {"imaps", 993, ""},
    {"pop3s", 995, ""},
    {"ftps", 990, ""},
    {"ldaps", 636, ""},
};
// Mail submission: SMTP that upgrades, on a port of its own.
constexpr int submissionPort = 587;

const Scheme* findScheme(const QString& name) {
    const auto found = std::find_if(std::cbegin(schemes), std::cend(schemes),
                                    [&](const Scheme& s) { return name == QLatin1String(s.name); });
    return found == std::cend(schemes) ? nullptr : found;
}

// The scheme the text starts with ("smtp" of "smtp://…"), in lower case; empty when none.
QString typedScheme(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*)://"));
    return scheme.match(text).captured(1).toLower();
}

// A host the tool can be given safely: no blank that would split it, nothing that reads as
// one of its options.
bool isUsableHost(const QString& host) {
    if (host.isEmpty() || host.startsWith(u'-'))
        return false;
    for (QChar c : host) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace

DownloadTarget deriveDownloadTarget(const QString& typedText) {
    DownloadTarget target;
    target.trimmedText = typedText.trimmed();
    target.scheme = typedScheme(target.trimmedText);
    const Scheme* scheme = findScheme(target.scheme);
    // Only http and https were meant for the prefix rule; any other scheme is kept, to be
    // fetched from or refused by name.
    target.prefixAdded = target.scheme.isEmpty();
    target.urlText = target.prefixAdded ? httpsPrefix + target.trimmedText : target.trimmedText;
    if (target.prefixAdded) {
        target.scheme = QStringLiteral("https");
        scheme = findScheme(target.scheme);
    }

    // Only the scheme, host and port are used. Pasted addresses often carry blanks, "|" or "{" in
    // their path or query, which a strict parser refuses; the authority alone is parsed, strictly.
    const qsizetype authorityStart = target.urlText.indexOf(QStringLiteral("://")) + 3;
    qsizetype authorityEnd = authorityStart;
    while (authorityEnd < target.urlText.size() &&
           !QStringView(u"/?#").contains(target.urlText[authorityEnd]))
        ++authorityEnd;
    const QString authority = target.urlText.sliced(authorityStart, authorityEnd - authorityStart);
    // The port follows the last colon that is not inside an IPv6 literal's brackets.
    const qsizetype colon = authority.lastIndexOf(u':');
    if (colon > authority.lastIndexOf(u']'))
        target.portText = authority.sliced(colon + 1);
    const QUrl url(target.urlText.first(authorityEnd), QUrl::StrictMode);
    // The tool takes host names in their ASCII (punycode) form.
    const QString host = url.host(QUrl::EncodeUnicode);
    const int port = url.port(scheme ? scheme->port : 0);
    const bool portIsNumber =
        !target.portText.isEmpty() && std::all_of(target.portText.cbegin(), target.portText.cend(),
                                                  [](QChar c) { return c >= u'0' && c <= u'9'; });
    const qint64 typedPort = target.portText.size() > 5 ? -1 : target.portText.toLongLong();
    if (target.trimmedText.isEmpty())
        target.problem = DownloadTarget::Problem::empty;
    else if (!scheme)
        target.problem = DownloadTarget::Problem::unknownScheme;
    else if (portIsNumber && (typedPort < 1 || typedPort > 65535))
        target.problem = DownloadTarget::Problem::badPort;
    else if (url.isValid() && host.isEmpty())
        target.problem = DownloadTarget::Problem::noHost;
    else if (!url.isValid() || !isUsableHost(host) || port < 1 || port > 65535)
        target.problem = DownloadTarget::Problem::notAnAddress;
    if (target.problem != DownloadTarget::Problem::none)
        return target;
    target.host = host;
    target.port = port;
    target.startTls = QLatin1String(scheme->startTls);
    return target;
}

QString connectAddress(const QString& host, int port) {
    const QString bracketed = host.contains(u':') ? u'[' + host + u']' : host;
    return bracketed + u':' + QString::number(port);
}

QStringList supportedSchemes() {
    QStringList names;
    for (const Scheme& scheme : schemes)
        names << QLatin1String(scheme.name) + QStringLiteral("://");
    return names;
}

QString startTlsAddress(const QString& host, int port) {
    const int schemePort = port == submissionPort ? findScheme(QStringLiteral("smtp"))->port : port;
    const auto plainFirst =
        std::find_if(std::cbegin(schemes), std::cend(schemes),
                     [&](const Scheme& s) { return s.port == schemePort && *s.startTls; });
    if (plainFirst == std::cend(schemes))
        return QString();
    return QLatin1String(plainFirst->name) + QStringLiteral("://") + connectAddress(host, port);
}
