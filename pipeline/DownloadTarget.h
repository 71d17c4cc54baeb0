#pragma once

#include <QString>

// What a typed address turns into before the chain is fetched.
struct DownloadTarget {
    // Why the text names no server: nothing typed, a port outside 1 to 65535, an address
    // without a host, or text that is no address at all.
    enum class Problem { none, empty, badPort, noHost, notAnAddress };

    QString trimmedText;
    QString urlText;          // trimmedText, with "https://" put in front when it had no scheme
    bool prefixAdded = false; // whether "https://" was put in front
    QString host;             // empty when the URL text does not name a usable host
    int port = 0;
    Problem problem = Problem::none;
    QString portText; // the port as typed, when there is one

    bool isValid() const { return !host.isEmpty(); }
};

DownloadTarget deriveDownloadTarget(const QString& typedText);

// host:port as the tool's -connect option takes it; an IPv6 literal goes in brackets.
QString connectAddress(const QString& host, int port);
