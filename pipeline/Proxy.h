#pragma once

#include <QNetworkProxy>
#include <QProcessEnvironment>
#include <QString>
#include <optional>

// A proxy a fetch goes through, from the environment as curl reads it.
struct Proxy {
    // An HTTP proxy that tunnels with CONNECT; SOCKS5 with the name resolved here (socks5) or
    // at the proxy (socks5h).
    enum class Kind { http, socks5, socks5h };

    Kind kind = Kind::http;
    QString variable; // the environment variable it came from
    QString host;
    int port = 0;
    QString user;
    QString password;

    // What the log and the window may show: the user, never the password.
    QString shown() const;
    QNetworkProxy networkProxy() const;
};

struct ProxyChoice {
    std::optional<Proxy> proxy;
    // Set when the environment names a proxy Ruvelta cannot go through, which the fetch then
    // goes around: the variable's name and its value without any password.
    QString unusable;
};

// The proxy for a fetch from host:port: https_proxy (else all_proxy, either in capitals), unless
// no_proxy names the host, one of its parent domains, an address range (CIDR) holding it, any
// of these with its port, or "*". Loopback is never proxied.
ProxyChoice proxyFor(const QString& host, int port, const QProcessEnvironment& environment);
