// What a typed address becomes before the tool is started.
#include "FuzzCheck.h"
#include "pipeline/DownloadTarget.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString typed = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const DownloadTarget target = deriveDownloadTarget(typed);

    FUZZ_CHECK(target.trimmedText == typed.trimmed());
    // Every address is read with a scheme: the one typed, or https put in front.
    FUZZ_CHECK(
        target.urlText.startsWith(target.scheme + QStringLiteral("://"), Qt::CaseInsensitive));
    FUZZ_CHECK(target.prefixAdded == (target.urlText != target.trimmedText));
    if (!target.isValid())
        return 0;

    // Only a scheme Ruvelta fetches from reaches the tool, with a protocol it knows.
    FUZZ_CHECK(supportedSchemes().contains(target.scheme + QStringLiteral("://")));
    const QStringList startTls{"",     "smtp", "imap",     "pop3", "ftp",
                               "ldap", "xmpp", "postgres", "mysql"};
    FUZZ_CHECK(startTls.contains(target.startTls));

    FUZZ_CHECK(target.port >= 1 && target.port <= 65535);
    // The host is handed to the tool as one argument: it must not split or read as an option.
    FUZZ_CHECK(!target.host.startsWith(u'-'));
    for (QChar c : target.host)
        FUZZ_CHECK(!c.isSpace() && c.unicode() >= 0x20 && c.unicode() != 0x7F);
    // The tool takes host names in their ASCII form.
    for (QChar c : target.host)
        FUZZ_CHECK(c.unicode() < 0x80);

    const QString address = connectAddress(target.host, target.port);
    FUZZ_CHECK(address.endsWith(u':' + QString::number(target.port)));
    const QString hostPart = address.chopped(QString::number(target.port).size() + 1);
    // An IPv6 literal is bracketed, so its colons cannot be read as the port separator.
    if (target.host.contains(u':'))
        FUZZ_CHECK(hostPart == u'[' + target.host + u']');
    else
        FUZZ_CHECK(hostPart == target.host);
    return 0;
}
