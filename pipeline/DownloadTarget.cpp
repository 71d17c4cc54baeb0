#include "pipeline/DownloadTarget.h"

#include <QUrl>
#include <algorithm>

namespace {

const QString httpsPrefix = QStringLiteral("https://");

bool startsWithHttpScheme(const QString& text) {
    return text.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) ||
           text.startsWith(httpsPrefix, Qt::CaseInsensitive);
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
    target.prefixAdded = !startsWithHttpScheme(target.trimmedText);
    target.urlText = target.prefixAdded ? httpsPrefix + target.trimmedText : target.trimmedText;

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
    const int defaultPort = url.scheme().toLower() == QStringLiteral("https") ? 443 : 80;
    const int port = url.port(defaultPort);
    const bool portIsNumber =
        !target.portText.isEmpty() && std::all_of(target.portText.cbegin(), target.portText.cend(),
                                                  [](QChar c) { return c >= u'0' && c <= u'9'; });
    const qint64 typedPort = target.portText.size() > 5 ? -1 : target.portText.toLongLong();
    if (target.trimmedText.isEmpty())
        target.problem = DownloadTarget::Problem::empty;
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
    return target;
}

QString connectAddress(const QString& host, int port) {
    const QString bracketed = host.contains(u':') ? u'[' + host + u']' : host;
    return bracketed + u':' + QString::number(port);
}
