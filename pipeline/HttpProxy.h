#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <optional>

// An HTTP proxy a fetch goes through, from the environment as curl and most tools read it.
struct HttpProxy {
    QString variable; // the environment variable it came from
    QString host;
    int port = 0;
    QString user;
    QString password;

    // host:port, as the tool's -proxy option takes it.
    QString address() const;
    // What the log and the window may show: the user, never the password.
    QString shown() const;
};

struct ProxyChoice {
    std::optional<HttpProxy> proxy;
    // Set when the environment names a proxy the tool cannot go through; the variable's name and
    // its value without any password.
    QString unusable;
};

// The proxy for a fetch from `host`: https_proxy (else all_proxy, either in capitals), unless
// no_proxy names the host, one of its parent domains, or "*". Loopback is never proxied.
ProxyChoice proxyFor(const QString& host, const QProcessEnvironment& environment);
