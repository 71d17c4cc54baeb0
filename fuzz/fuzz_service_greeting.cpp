// What a service that is not TLS says first, read to name it.
#include "FuzzCheck.h"
#include "pipeline/ServiceGreeting.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const KnownService known = identifyService(bytes);

    // Shown to the person: one short line of printable text.
    FUZZ_CHECK(known.firstLine.size() <= 80);
    for (QChar c : known.firstLine)
        FUZZ_CHECK(c == u'…' || (c.unicode() >= 0x20 && c.unicode() < 0x7F));
    // Only a known service is proposed, with a scheme that fetches its chain.
    FUZZ_CHECK(known.scheme.isEmpty() || !known.name.isEmpty());
    const QStringList schemes{"", "smtp", "imap", "pop3", "ftp", "mysql", "xmpp", "postgres"};
    FUZZ_CHECK(schemes.contains(known.scheme));
    return 0;
}
