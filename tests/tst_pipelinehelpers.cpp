#include "core/CertificateDetails.h"
#include "pipeline/CertificateSummary.h"
#include "pipeline/DownloadTarget.h"
#include "pipeline/GraphemeText.h"
#include "pipeline/HostNames.h"
#include "pipeline/PemInspection.h"
#include "pipeline/Proxy.h"
#include "pipeline/SaveDestination.h"
#include "pipeline/ServiceGreeting.h"
#include "pipeline/TextDecoding.h"
#include "pipeline/WorkingFolder.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>
#include <sys/stat.h>

namespace {

QString block(const char* body, const char* lineEnd = "\n") {
    return beginCertificateMarker + QLatin1String(lineEnd) + QLatin1String(body) +
           QLatin1String(lineEnd) + endCertificateMarker + QLatin1String(lineEnd);
}

std::optional<CertificateSummary> seed(const QString& name) {
    return readCertificate(readTestFile(certificateSeed(name)));
}

// The SubjectPublicKeyInfo of a DER certificate as its own bytes, where the tool's ASN.1 parser
// finds it: the sixth field of the signed part after its version.
QByteArray subjectPublicKeyInfo(const QString& path, const QByteArray& der) {
    const ToolRun parsed = runOpenSslTool({"asn1parse", "-inform", "der", "-in", path});
    static const QRegularExpression field("^ *(\\d+):d=(\\d+) +hl=(\\d+) l= *(\\d+) +\\w+: *(.*)$");
    QList<QRegularExpressionMatch> signedPart;
    int outerFields = 0;
    for (const QString& line : QString::fromUtf8(parsed.output).split(u'\n')) {
        const QRegularExpressionMatch match = field.match(line);
        if (!match.hasMatch())
            continue;
        outerFields += match.captured(2) == "1";
        if (outerFields == 1 && match.captured(2) == "2")
            signedPart << match;
    }
    if (!signedPart.isEmpty() && signedPart.front().captured(5).startsWith("cont [ 0 ]"))
        signedPart.removeFirst();
    if (signedPart.size() < 6)
        return QByteArray();
    const QRegularExpressionMatch& key = signedPart[5];
    return der.mid(key.captured(1).toLongLong(),
                   key.captured(3).toLongLong() + key.captured(4).toLongLong());
}

} // namespace

class PipelineHelpersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Certificates' times are shown in local time; these are written for UTC.
    void initTestCase() {
        qputenv("TZ", "UTC");
        tzset();
    }

    void certificateBlocks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("blocks");
        const QString begin = beginCertificateMarker + "\nONE\n";
        const QString end = endCertificateMarker;
        QTest::newRow("three in order, surrounding text left out")
            << "subject=CN = x\n" + block("ONE") + "---\n" + block("TWO") + block("THREE") + "DONE"
            << QStringList{block("ONE"), block("TWO"), block("THREE")};
        QTest::newRow("BEGIN without END after a whole block")
            << block("ONE") + beginCertificateMarker + "\nTWO\n"
            << QStringList{block("ONE")};
        // OpenSSL's PEM reader, and so the tool, sees a marker only where its line starts; it
        // reads a long line 254 bytes at a time.
        QTest::newRow("next BEGIN right after END")
            << begin + end + block("TWO")
            << QStringList{begin + end + beginCertificateMarker + "\n"};
        QTest::newRow("BEGIN inside a line") << "x" + begin + end << QStringList{};
        QTest::newRow("BEGIN and END on one line, then a block")
            << beginCertificateMarker + end + "\n" + block("ONE") << QStringList{block("ONE")};
        QTest::newRow("BEGIN line with more on it")
            << beginCertificateMarker + " x\n" + block("ONE") << QStringList{block("ONE")};
        QTest::newRow("BEGIN line with blanks and bytes the reader strips")
            << beginCertificateMarker + " \t\u00e9\r\nONE\n" + end + "\n"
            << QStringList{beginCertificateMarker + " \t\u00e9\r\nONE\n" + end + "\n"};
        QTest::newRow("BEGIN where a long line is read anew")
            << QString(254, u'A') + block("ONE") << QStringList{block("ONE")};
        QTest::newRow("BEGIN one byte past that")
            << QString(255, u'A') + block("ONE") << QStringList{};
        QTest::newRow("CRLF line ends") << block("ONE", "\r\n") + block("TWO", "\r\n")
                                        << QStringList{block("ONE", "\r\n"), block("TWO", "\r\n")};
        QTest::newRow("END before BEGIN, none after") << end + "\n" + begin << QStringList{};
        QTest::newRow("END marker ends the text") << begin + end << QStringList{begin + end};
        QTest::newRow("END line runs on") << begin + end + "e\u0301!\n" + block("TWO")
                                          << QStringList{begin + end + "e\u0301!\n", block("TWO")};
        QTest::newRow("END marker inside a line is no END line")
            << begin + "x" + end + "\n" + block("TWO")
            << QStringList{begin + "x" + end + "\n" + block("TWO")};
    }

    void certificateBlocks() {
        QFETCH(QString, text);
        QFETCH(QStringList, blocks);
        QCOMPARE(extractCertificateBlocks(text), blocks);
        // A UTF-8 file is searched as bytes: the same blocks must come out.
        const QByteArray utf8 = text.toUtf8();
        QStringList fromBytes;
        for (const TextRange& range : certificateBlockRanges(QByteArrayView(utf8)))
            fromBytes << QString::fromUtf8(utf8.sliced(range.start, range.length));
        QCOMPARE(fromBytes, blocks);
    }

    void excerptCountsUserPerceivedCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("excerpt");
        const QString thumb = QString::fromUcs4(U"\U0001F44D\U0001F3FD"); // with skin tone
        // The 500th character ends exactly where the first look-ahead window (4 * 500 + 16
        // units) does, but a combining mark outside the BMP still belongs to it.
        const QString edge = QString(500, u'a') + QString(1515, QChar(0x0301)) +
                             QString::fromUcs4(U"\U0001D167") + "tail";

        QTest::newRow("500 letters, whole") << QString(500, u'x') << QString(500, u'x');
        QTest::newRow("501 letters") << QString(501, u'x') << QString(500, u'x') + "...";
        QTest::newRow("500 emoji with skin tone, whole")
            << thumb.repeated(500) << thumb.repeated(500);
        QTest::newRow("501 emoji with skin tone")
            << thumb.repeated(501) << thumb.repeated(500) + "...";
        QTest::newRow("501 e + combining acute") << QStringLiteral("e\u0301").repeated(501)
                                                 << QStringLiteral("e\u0301").repeated(500) + "...";
        QTest::newRow("500th character ends past the look-ahead")
            << edge << edge.first(edge.size() - 4) + "...";
    }

    void excerptCountsUserPerceivedCharacters() {
        QFETCH(QString, text);
        QTEST(graphemeExcerpt(text, 500), "excerpt");
    }

    void downloadTarget_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("prefixAdded");
        QTest::addColumn<QString>("address"); // empty: no usable host
        QTest::addColumn<QString>("host");

        QTest::newRow("bare host") << "example.com" << true << "example.com:443"
                                   << "example.com";
        QTest::newRow("http") << "http://example.com" << false << "example.com:80"
                              << "example.com";
        QTest::newRow("capitals") << "HTTPS://LOCALHOST:8443" << false << "localhost:8443"
                                  << "localhost";
        QTest::newRow("host and port") << "host:4433" << true << "host:4433"
                                       << "host";
        QTest::newRow("port, path and query")
            << "https://example.com:8443/a?q=1#f" << false << "example.com:8443"
            << "example.com";
        QTest::newRow("blanks around") << " \t example.com \n"
                                       << true << "example.com:443"
                                       << "example.com";
        QTest::newRow("IPv6 literal") << "[::1]:4433" << true << "[::1]:4433"
                                      << "::1";
        QTest::newRow("internationalised name")
            << "bücher.example" << true << "xn--bcher-kva.example:443"
            << "xn--bcher-kva.example";
        QTest::newRow("blanks only") << "  \n " << true << ""
                                     << "";
        QTest::newRow("host read as an option") << "-proxy:8080" << true << ""
                                                << "";
        QTest::newRow("port 0") << "example.com:0" << true << ""
                                << "";
        // Pasted addresses: whatever the path or query holds, only host and port count.
        QTest::newRow("blank in the path")
            << "https://example.com/a b" << false << "example.com:443"
            << "example.com";
        QTest::newRow("bar in the query") << "example.com/?q=a|b" << true << "example.com:443"
                                          << "example.com";
        QTest::newRow("braces in the query") << "example.com/x?y={z}" << true << "example.com:443"
                                             << "example.com";
        QTest::newRow("fragment right after the host")
            << "example.com:8443#a b" << true << "example.com:8443"
            << "example.com";
        QTest::newRow("blank in the host") << "https://exa mple.com/a" << false << ""
                                           << "";
        QTest::newRow("letters in the port") << "example.com:44a3/x y" << true << ""
                                             << "";
    }

    void downloadTarget() {
        QFETCH(QString, typed);
        QFETCH(QString, address);
        const DownloadTarget target = deriveDownloadTarget(typed);
        QCOMPARE(target.trimmedText, typed.trimmed());
        QTEST(target.prefixAdded, "prefixAdded");
        QCOMPARE(target.isValid(), !address.isEmpty());
        if (target.isValid()) {
            QTEST(target.host, "host");
            QCOMPARE(connectAddress(target.host, target.port), address);
        }
    }

    void schemes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("address"); // empty: refused
        QTest::addColumn<QString>("startTls");
        QTest::newRow("smtp") << "smtp://mail.example.com"
                              << "mail.example.com:25"
                              << "smtp";
        QTest::newRow("smtp, port typed") << "SMTP://mail.example.com:587"
                                          << "mail.example.com:587"
                                          << "smtp";
        QTest::newRow("postgresql, user and database") << "postgresql://me@db.example.com/app"
                                                       << "db.example.com:5432"
                                                       << "postgres";
        QTest::newRow("ftp") << "ftp://files.example.com"
                             << "files.example.com:21"
                             << "ftp";
        QTest::newRow("imaps is TLS at once") << "imaps://mail.example.com"
                                              << "mail.example.com:993"
                                              << "";
        QTest::newRow("ldaps") << "ldaps://dir.example.com"
                               << "dir.example.com:636"
                               << "";
        QTest::newRow("unknown scheme") << "gopher://example.com"
                                        << ""
                                        << "";
        QTest::newRow("no scheme, as before") << "example.com:25"
                                              << "example.com:25"
                                              << "";
    }

    void schemes() {
        QFETCH(QString, typed);
        QFETCH(QString, address);
        const DownloadTarget target = deriveDownloadTarget(typed);
        QCOMPARE(target.isValid() ? connectAddress(target.host, target.port) : QString(), address);
        QTEST(target.startTls, "startTls");
        QCOMPARE(target.problem == DownloadTarget::Problem::unknownScheme, address.isEmpty());
    }

    void plainTextServicesKnownByPort_data() {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("address");
        QTest::newRow("submission") << 587 << "smtp://h:587";
        QTest::newRow("imap") << 143 << "imap://h:143";
        QTest::newRow("postgres") << 5432 << "postgres://h:5432";
        QTest::newRow("https") << 443 << "";
    }

    void plainTextServicesKnownByPort() {
        QFETCH(int, port);
        QTEST(startTlsAddress(QStringLiteral("h"), port), "address");
    }

    void servicesKnownByWhatTheySayFirst_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("service"); // name, scheme, first line
        const QByteArray mariadb = QByteArray::fromHex("5b0000000a") + "10.11.6-MariaDB" +
                                   QByteArray(1, '\0') + QByteArray::fromHex("0b00000031");
        QTest::newRow("SMTP") << QByteArray("220 mx ESMTP Postfix (Debian)\r\n")
                              << "SMTP smtp 220 mx ESMTP Postfix (Debian)";
        QTest::newRow("FTP") << QByteArray("220 (vsFTPd 3.0.3)\r\n")
                             << "FTP ftp 220 (vsFTPd 3.0.3)";
        QTest::newRow("IMAP") << QByteArray("* OK [CAPABILITY IMAP4rev1] Dovecot ready.\r\n")
                              << "IMAP imap * OK [CAPABILITY IMAP4rev1] Dovecot ready.";
        QTest::newRow("POP3") << QByteArray("+OK Dovecot ready.\r\n")
                              << "POP3 pop3 +OK Dovecot ready.";
        QTest::newRow("MariaDB's packet") << mariadb << "MySQL mysql 10.11.6-MariaDB";
        QTest::newRow("HTTP, asked")
            << QByteArray("HTTP/1.1 400 Bad Request\r\n\r\n") << "HTTP  HTTP/1.1 400 Bad Request";
        QTest::newRow("XMPP, asked")
            << QByteArray("<?xml version='1.0'?><stream:stream xmlns='jabber:client'>")
            << "XMPP xmpp <?xml version='1.0'?><stream:stream xmlns='jabber:client'>";
        QTest::newRow("controls dropped, a long line cut")
            << QByteArray("\x01\x02hello\tworld ") + QByteArray(200, 'x') + "\n"
            << "  helloworld " + QString(68, u'x') + u'…';
        QTest::newRow("nothing") << QByteArray() << "  ";
    }

    void servicesKnownByWhatTheySayFirst() {
        QFETCH(QByteArray, bytes);
        const KnownService known = identifyService(bytes);
        QTEST(known.name + u' ' + known.scheme + u' ' + known.firstLine, "service");
    }

    void proxyFromTheEnvironment_data() {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("proxy"); // as shown; empty: none
        QTest::addColumn<bool>("unusable");
        const QString bob = QStringLiteral("https_proxy=http://bob:pw@proxy:3128");
        const QString bobShown = QStringLiteral("http://bob@proxy:3128");
        QTest::newRow("none") << QStringList() << "example.com" << 443 << "" << false;
        QTest::newRow("user and password")
            << QStringList{bob} << "example.com" << 443 << bobShown << false;
        QTest::newRow("capitals, no scheme, curl's port")
            << QStringList{"HTTPS_PROXY=proxy"} << "example.com" << 443 << "http://proxy:1080"
            << false;
        QTest::newRow("all_proxy") << QStringList{"all_proxy=http://p:8080"} << "example.com" << 443
                                   << "http://p:8080" << false;
        QTest::newRow("socks5, user") << QStringList{"all_proxy=socks5://u:pw@p:1080"}
                                      << "example.com" << 443 << "socks5://u@p:1080" << false;
        QTest::newRow("socks5h") << QStringList{"https_proxy=socks5h://p"} << "example.com" << 443
                                 << "socks5h://p:1080" << false;
        QTest::newRow("socks4: gone around") << QStringList{"https_proxy=socks4://u:pw@p:1080"}
                                             << "example.com" << 443 << "" << true;
        QTest::newRow("loopback name") << QStringList{bob} << "localhost" << 443 << "" << false;
        QTest::newRow("loopback address") << QStringList{bob} << "127.0.0.2" << 443 << "" << false;
        QTest::newRow("no_proxy suffix") << QStringList{bob, "no_proxy=foo.org, .example.com"}
                                         << "www.example.com" << 443 << "" << false;
        QTest::newRow("no_proxy only a name ending alike")
            << QStringList{bob, "no_proxy=example.com"} << "notexample.com" << 443 << bobShown
            << false;
        QTest::newRow("no_proxy star")
            << QStringList{bob, "NO_PROXY=*"} << "example.com" << 443 << "" << false;
        QTest::newRow("no_proxy with its port") << QStringList{bob, "no_proxy=example.com:8443"}
                                                << "example.com" << 8443 << "" << false;
        QTest::newRow("no_proxy with another port") << QStringList{bob, "no_proxy=example.com:8443"}
                                                    << "example.com" << 443 << bobShown << false;
        QTest::newRow("no_proxy range")
            << QStringList{bob, "no_proxy=10.0.0.0/8"} << "10.1.2.3" << 443 << "" << false;
        QTest::newRow("no_proxy range, outside")
            << QStringList{bob, "no_proxy=10.0.0.0/8"} << "11.1.2.3" << 443 << bobShown << false;
        QTest::newRow("no_proxy IPv6 with port") << QStringList{bob, "no_proxy=[2001:db8::1]:443"}
                                                 << "2001:db8:0::1" << 443 << "" << false;
        QTest::newRow("no_proxy IPv6 range")
            << QStringList{bob, "no_proxy=2001:db8::/32"} << "2001:db8::5" << 443 << "" << false;
    }

    void proxyFromTheEnvironment() {
        QFETCH(QStringList, environment);
        QFETCH(QString, host);
        QFETCH(int, port);
        QProcessEnvironment variables;
        for (const QString& assignment : environment)
            variables.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
        const ProxyChoice choice = proxyFor(host, port, variables);
        QTEST(choice.proxy ? choice.proxy->shown() : QString(), "proxy");
        QTEST(!choice.unusable.isEmpty(), "unusable");
        QVERIFY(!choice.unusable.contains(QStringLiteral("pw")));
        if (!choice.proxy)
            return;
        if (!choice.proxy->user.isEmpty())
            QCOMPARE(choice.proxy->password, QStringLiteral("pw"));
        // Where the name is resolved: here for socks5, at the proxy otherwise.
        const QNetworkProxy network = choice.proxy->networkProxy();
        QCOMPARE(bool(network.capabilities() & QNetworkProxy::HostNameLookupCapability),
                 choice.proxy->kind != Proxy::Kind::socks5);
    }

    void derExtension_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("destination");
        QTest::newRow("pem") << "/d/cert.pem"
                             << "/d/cert.der";
        QTest::newRow("no extension") << "/d/cert"
                                      << "/d/cert.der";
        QTest::newRow("two dots") << "/d/a.b.pem"
                                  << "/d/a.b.der";
        QTest::newRow("DER kept") << "/d/cert.DER"
                                  << "/d/cert.DER";
        QTest::newRow("capital PEM") << "/d/server.PEM"
                                     << "/d/server.der";
        QTest::newRow("dot in the folder only") << "/d/my.certs/cert"
                                                << "/d/my.certs/cert.der";
        QTest::newRow("hidden, no extension") << "/d/.pem"
                                              << "/d/.pem.der";
        QTest::newRow("hidden file") << "/d/.bashrc"
                                     << "/d/.bashrc.der";
        QTest::newRow("hidden with extension") << "/d/.bashrc.pem"
                                               << "/d/.bashrc.der";
        QTest::newRow("bare .der kept") << "/d/.der"
                                        << "/d/.der";
        QTest::newRow("bare .DER kept") << "/d/.DER"
                                        << "/d/.DER";
        QTest::newRow("trailing dot") << "/d/cert."
                                      << "/d/cert.der";
        QTest::newRow("host name") << "/d/example.com"
                                   << "/d/example.com.der";
        QTest::newRow("address and port") << "/d/127.0.0.1:44301"
                                          << "/d/127.0.0.1:44301.der";
        QTest::newRow("CRT") << "/d/server.v2.CRT"
                             << "/d/server.v2.der";
    }

    void derExtension() {
        QFETCH(QString, chosen);
        QTEST(withExtension(chosen, QStringLiteral("der")), "destination");
    }

    void textFileDecoding_data() {
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<bool>("decodes"); // to "Aş"
        QTest::newRow("UTF-8") << QByteArray("41c59f") << true;
        QTest::newRow("UTF-8 with BOM") << QByteArray("efbbbf41c59f") << true;
        QTest::newRow("UTF-16 LE") << QByteArray("fffe41005f01") << true;
        QTest::newRow("UTF-16 BE") << QByteArray("feff0041015f") << true;
        QTest::newRow("UTF-32 LE") << QByteArray("fffe0000410000005f010000") << true;
        QTest::newRow("UTF-32 BE") << QByteArray("0000feff000000410000015f") << true;
        QTest::newRow("invalid UTF-8") << QByteArray("41c528") << false;
        QTest::newRow("UTF-8 cut short") << QByteArray("41c5") << false;
        QTest::newRow("UTF-16 cut inside a unit") << QByteArray("fffe41005f") << false;
        QTest::newRow("UTF-32 cut inside a unit") << QByteArray("fffe0000410000005f01") << false;
        QTest::newRow("UTF-16 lone surrogate") << QByteArray("fffe00d86100") << false;
        QTest::newRow("UTF-32 past U+10FFFF") << QByteArray("fffe000041000404") << false;
        QTest::newRow("UTF-8 surrogate") << QByteArray("41eda080") << false;
        QTest::newRow("UTF-8 overlong") << QByteArray("41c081") << false;
        QTest::newRow("UTF-8 past U+10FFFF") << QByteArray("41f4908080") << false;
    }

    void textFileDecoding() {
        QFETCH(QByteArray, hex);
        QFETCH(bool, decodes);
        const QByteArray bytes = QByteArray::fromHex(hex);
        const std::optional<QString> decoded = decodeTextFileBytes(bytes);
        QCOMPARE(decoded.has_value(), decodes);
        // The quick check used for big UTF-8 files agrees with the decoder.
        if (!byteOrderMark(bytes))
            QCOMPARE(isStrictUtf8(bytes), decodes);
        if (decodes)
            QCOMPARE(*decoded, QStringLiteral("Aş"));
    }

    void certificateNamesCoverHostsAsBrowsersDo_data() {
        QTest::addColumn<QString>("names"); // DNS entries and IP entries, blank-separated
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("covered");
        QTest::newRow("same name, other case") << "Example.COM"
                                               << "example.com" << true;
        QTest::newRow("trailing dot") << "example.com."
                                      << "example.com" << true;
        QTest::newRow("other name") << "example.com"
                                    << "other.example" << false;
        QTest::newRow("wildcard, one label") << "*.example.com"
                                             << "www.example.com" << true;
        QTest::newRow("wildcard, no label") << "*.example.com"
                                            << "example.com" << false;
        QTest::newRow("wildcard, two labels") << "*.example.com"
                                              << "a.b.example.com" << false;
        QTest::newRow("wildcard over a public suffix") << "*.com"
                                                       << "example.com" << false;
        QTest::newRow("wildcard inside a label") << "w*.example.com"
                                                 << "www.example.com" << false;
        QTest::newRow("IP entry") << "localhost 127.0.0.1"
                                  << "127.0.0.1" << true;
        QTest::newRow("IPv6 entry, other spelling") << "0:0:0:0:0:0:0:1"
                                                    << "::1" << true;
        QTest::newRow("IP typed, only names") << "localhost"
                                              << "127.0.0.1" << false;
        QTest::newRow("name typed, written as an IP entry") << "127.0.0.1"
                                                            << "localhost" << false;
        QTest::newRow("no names at all") << ""
                                         << "localhost" << false;
    }

    void certificateNamesCoverHostsAsBrowsersDo() {
        QFETCH(QString, names);
        QStringList dns;
        QList<QHostAddress> addresses;
        for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
            if (QHostAddress address(name); !address.isNull())
                addresses << address;
            else
                dns << name;
        }
        QFETCH(QString, host);
        QTEST(namesCoverHost(dns, addresses, host), "covered");
    }

    void certificatesAreReadFieldByField_data() {
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QStringList>("lines");     // details lines that must be there
        QTest::addColumn<QStringList>("undecoded"); // the labels of the fields noted so
        const QString undecoded = undecodedField();
        QTest::newRow("EC key with organisation, names and where its issuer is")
            << "ec-p256-web"
            << QStringList{"Konu: CN=localhost, C=TR, ST=İstanbul, O=Örnek Şirket, OU=Ağ",
                           "Alternatif adlar: localhost, *.example.com, 127.0.0.1, ::1",
                           "Anahtar: EC P-256",
                           "İmza algoritması: ecdsa-with-SHA256",
                           "Sertifika yetkilisi (CA): Hayır",
                           "Verenin sertifikası (CA Issuers): http://ca.example/issuer.der",
                           "İptal durumu (OCSP): http://ocsp.example/"}
            << QStringList();
        QTest::newRow("RSA authority with a path length")
            << "rsa-2048-ca"
            << QStringList{"Konu: CN=Deneme Kök CA, C=TR, O=Ruvelta Deneme",
                           "Anahtar: RSA 2048 bit",
                           "Sertifika yetkilisi (CA): Evet, altında en çok 0 ara sertifika",
                           "Alternatif adlar: yok", "İptal durumu (OCSP): yok"}
            << QStringList();
        QTest::newRow("curve without a NIST name")
            << "ec-secp256k1" << QStringList{"Anahtar: EC secp256k1"} << QStringList();
        QTest::newRow("Ed448, no common name")
            << "ed448" << QStringList{"Konu: OU=Yalnızca birim", "Anahtar: Ed448"} << QStringList();
        QTest::newRow("no subject at all")
            << "no-subject" << QStringList{"Konu: yok"} << QStringList();
        QTest::newRow("names that would pose as others or hide what they say")
            << "tricky-names"
            << QStringList{"Konu: CN=kotu.example\\, O=Gerçek Banka, O=\uFFFDters",
                           "Alternatif adlar: kayıtlı kimlik 1.2.3.4, a.example",
                           "Verenin sertifikası (CA Issuers): kayıtlı kimlik 1.2.3.5"}
            << QStringList();
        QTest::newRow("point off its curve")
            << "ec-off-curve" << QStringList{"Anahtar: " + undecoded + " (id-ecPublicKey)"}
            << QStringList{"Anahtar"};
        QTest::newRow("unknown key algorithm")
            << "unknown-key-algorithm"
            << QStringList{"Anahtar: " + undecoded + " (1.2.840.10045.2.127)"}
            << QStringList{"Anahtar"};
        QTest::newRow("end of validity in letters")
            << "bad-time" << QStringList{"Geçerlilik sonu: " + undecoded}
            << QStringList{"Geçerlilik sonu"};
        QTest::newRow("a name of two attributes, UTF-8 in a DNS name, a directory name in a list")
            << "names-and-lists"
            << QStringList{"Konu: CN=Test+O=Test, C=TR",
                           "Alternatif adlar: biztosítás.hu, dizin adı (CN=myCN\\, with a comma, "
                           "O=some Org)"}
            << QStringList();
        QTest::newRow("the year 0000")
            << "year-0000"
            << QStringList{"Geçerlilik başlangıcı: 1 Ocak 0000 00:00 UTC",
                           "Geçerlilik sonu: 31 Aralık 9999 23:59 UTC"}
            << QStringList();
        QTest::newRow("signature algorithms that differ")
            << "mismatched-signature"
            << QStringList{"İmza algoritması: sha512WithRSAEncryption (uyuşmuyor: imzalanan "
                           "bölümde sha256WithRSAEncryption yazıyor)"}
            << QStringList();
        // A name that says the word itself decodes.
        QTest::newRow("the word for undecoded as a name")
            << "literal-undecoded-word" << QStringList{"Konu: CN=" + undecoded + ", O=Gerçek"}
            << QStringList();
    }

    void certificatesAreReadFieldByField() {
        QFETCH(QString, seed);
        QFETCH(QStringList, lines);
        const std::optional<CertificateSummary> certificate = ::seed(seed);
        QVERIFY(certificate);
        const QStringList details = certificateDetails(*certificate);
        for (const QString& line : lines)
            QVERIFY2(details.contains(line), qPrintable(line + "\n--\n" + details.join(u'\n')));
        QStringList undecodedLabels;
        for (const CertificateField field : certificate->undecoded)
            undecodedLabels << fieldLabel(field);
        QTEST(undecodedLabels, "undecoded");
    }

    // Names, fingerprints and key pins as the tool itself gives them, for every seed it reads.
    // RUVELTA_CERTIFICATES names another folder, such as a fuzzer's corpus: there only what the
    // tool reads is compared.
    void readerAgreesWithTheTool() {
        const QTemporaryDir tmpdir;
        const QString other = qEnvironmentVariable("RUVELTA_CERTIFICATES");
        const QDir seeds(other.isEmpty() ? certificateSeed(QString()) : other);
        const QStringList files = seeds.entryList(QDir::Files);
        QVERIFY(files.size() >= 10);
        for (const QString& file : files) {
            const QString path = seeds.filePath(file);
            const ToolRun tool = runOpenSslTool(
                {"x509", "-inform", "der", "-in", path, "-noout", "-subject", "-fingerprint",
                 "-sha256", "-nameopt", "sep_multiline,sname,utf8,esc_2253,-esc_msb,dump_nostr"});
            if (!tool.ok && !other.isEmpty())
                continue;
            QVERIFY2(tool.ok, qPrintable(tool.problem));
            const QByteArray bytes = readTestFile(path);
            const std::optional<CertificateSummary> certificate = readCertificate(bytes);
            QVERIFY2(certificate, qPrintable(file));
            // The names read alone, as a search reads them, are those of the whole read; half a
            // certificate has none.
            const CertificateNames names = readCertificateNames(bytes);
            QCOMPARE(names.subject, certificate->subject);
            QCOMPARE(names.issuer, certificate->issuer);
            QCOMPARE(readCertificateNames(bytes.first(bytes.size() / 2)).subject, QString());
            QStringList common;
            QStringList others;
            QString fingerprint;
            for (QString line : QString::fromUtf8(tool.output).split(u'\n')) {
                // The tool dumps what is no text in hex; the reader says it does not decode.
                line.replace(QRegularExpression("=#[0-9A-F]*$"), "=" + undecodedField());
                // A relative name of several attributes: "+" alone joins them (RFC 4514).
                line.replace(" + ", "+");
                // UTF-8 in a string of one-byte characters, which the tool shows as Latin-1.
                if (const QByteArray latin = line.toLatin1();
                    QString::fromLatin1(latin) == line && isStrictUtf8(latin))
                    line = QString::fromUtf8(latin);
                if (line.startsWith("    "))
                    (line.contains(QRegularExpression("^    (.*\\+)?CN=")) ? common : others)
                        << line.sliced(4);
                else if (line.startsWith("sha256 Fingerprint="))
                    fingerprint = line.section(u'=', 1);
            }
            // Control and format characters are shown as the replacement character. In another
            // folder, a name with such a character or a value that does not decode is left out:
            // the tool prints those its own way, line breaks included.
            static const QRegularExpression controls("[\\p{Cc}\\p{Cf}\\x{FFFD}]");
            const QString subject = (common + others).join(", ");
            if (other.isEmpty() || !(certificate->subject.contains(controls) ||
                                     certificate->subject.contains(undecodedField())))
                QCOMPARE(QString(certificate->subject).remove(controls),
                         subject.isEmpty() ? "yok" : QString(subject).remove(controls));
            QCOMPARE(certificate->sha256Fingerprint, fingerprint);

            // The pin is of the key's bytes as the certificate holds them, as curl pins it.
            const QByteArray keyInfo = subjectPublicKeyInfo(path, bytes);
            QVERIFY2(!keyInfo.isEmpty() || !other.isEmpty(), qPrintable(file));
            if (!keyInfo.isEmpty())
                QCOMPARE(certificate->keyPin,
                         QCryptographicHash::hash(keyInfo, QCryptographicHash::Sha256).toBase64());
            for (const QString& line : certificateDetails(*certificate))
                QVERIFY2(!line.section(": ", 1).trimmed().isEmpty(),
                         qPrintable(file + ": " + line));
        }
    }

    void workingFoldersAreOwnPrivateAndGoWithTheirOwner() {
        const QTemporaryDir tmpdir;
        qputenv("TMPDIR", QFile::encodeName(tmpdir.path()));
        QString path;
        {
            WorkingFolder first;
            WorkingFolder second;
            path = first.filePath("first_cert.pem");
            const QFileInfo folder(QFileInfo(path).path());
            QVERIFY2(folder.fileName().startsWith("ruvelta-"), qPrintable(path));
            QCOMPARE(folder.path(), tmpdir.path());
            QVERIFY(second.filePath("first_cert.pem") != path);
            QCOMPARE(writeWorkingFile(path, "çığ\n"), QString());
            QCOMPARE(readTestFile(path), QByteArray("çığ\n"));
            struct stat info {};
            QCOMPARE(::stat(QFile::encodeName(folder.filePath()).constData(), &info), 0);
            QCOMPARE(info.st_mode & 0777, 0700u);
        }
        QCOMPARE(QDir(tmpdir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());

        // TMPDIR under a regular file: no folder, and a reason that names TMPDIR.
        writeTestFile(tmpdir.filePath("plain"), "x");
        qputenv("TMPDIR", QFile::encodeName(tmpdir.filePath("plain/tmp")));
        WorkingFolder nowhere;
        QCOMPARE(nowhere.filePath("first_cert.pem"), QString());
        QVERIFY2(nowhere.error().startsWith(tmpdir.filePath("plain/tmp") + ": "),
                 qPrintable(nowhere.error()));
    }
};

QTEST_GUILESS_MAIN(PipelineHelpersTest)
#include "tst_pipelinehelpers.moc"
