#pragma once

#include <QProcess>
#include <QString>
#include <QTcpServer>

// `openssl s_server` on a free port of 127.0.0.1, killed when the object goes.
class TlsServer {
public:
    TlsServer() = default;
    TlsServer(const TlsServer&) = delete;
    TlsServer& operator=(const TlsServer&) = delete;
    ~TlsServer();

    // Returns what went wrong, empty once the server accepts connections.
    QString start(const QString& certificate, const QString& key, const QString& chain);
    quint16 port() const { return port_; }

private:
    QProcess process_;
    quint16 port_ = 0;
};

// A listener on 127.0.0.1 that answers every connection with plain text and hangs up, so a
// TLS client fails at once instead of waiting for a handshake.
class PlainTextListener {
public:
    PlainTextListener();
    bool isListening() const { return server_.isListening(); }
    quint16 port() const { return server_.serverPort(); }

private:
    QTcpServer server_;
};
