#pragma once

#include <QString>
#include <QStringList>

// What a typed address turns into before the chain is fetched.
struct DownloadTarget {
    // Why the text names no server: nothing typed, a port outside 1 to 65535, an address
    // without a host, a scheme no chain can be fetched from, or text that is no address at all.
    enum class Problem { none, empty, badPort, noHost, unknownScheme, notAnAddress };

    QString trimmedText;
    QString urlText;          // trimmedText, with "https://" put in front when it had no scheme
    bool prefixAdded = false; // whether "https://" was put in front
    QString scheme;           // as typed, in lower case; "https" when it was put in front
    QString host;             // empty when the URL text does not name a usable host
    int port = 0;
    // The protocol spoken in plain text before TLS (openssl's -starttls name); empty when the
    // server speaks TLS at once.
    QString startTls;
    Problem problem = Problem::none;
    QString portText; // the port as typed, when there is one

    bool isValid() const { return !host.isEmpty(); }
};

DownloadTarget deriveDownloadTarget(const QString& typedText);

// host:port as the tool's -connect option takes it; an IPv6 literal goes in brackets.
QString connectAddress(const QString& host, int port);

// The schemes a chain can be fetched from, as a person would type them ("smtp://").
QStringList supportedSchemes();
// The address that fetches the chain of a server that speaks plain text first on `port`,
// ("smtp://host:587"); empty when no such service is known on that port.
QString startTlsAddress(const QString& host, int port);
