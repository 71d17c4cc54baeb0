#pragma once

#include <QProcess>
#include <QString>
#include <QTcpServer>

// `openssl s_server` on a free port of a loopback address, killed when the object goes.
class TlsServer {
public:
    TlsServer() = default;
    TlsServer(const TlsServer&) = delete;
    TlsServer& operator=(const TlsServer&) = delete;
    ~TlsServer();

    // Returns what went wrong, empty once the server accepts connections. `host` is the address
    // to listen on; an IPv6 one is given without brackets ("::1").
    QString start(const QString& certificate, const QString& key, const QString& chain,
                  const QString& host = QStringLiteral("127.0.0.1"));
    quint16 port() const { return port_; }

private:
    QProcess process_;
    quint16 port_ = 0;
};

// A listener on 127.0.0.1 that sends every connection the same bytes, never reading what
// comes in, then hangs up or keeps the connection open and says nothing more.
class LoopbackListener {
public:
    enum class Ending { hangUp, stayOpen };

    LoopbackListener(QByteArray reply, Ending ending);
    bool isListening() const { return server_.isListening(); }
    quint16 port() const { return server_.serverPort(); }
    int connections() const { return connections_; }

private:
    QTcpServer server_;
    int connections_ = 0;
};

// Answers with plain text and hangs up, so a TLS client fails at once instead of waiting for a
// handshake.
class PlainTextListener : public LoopbackListener {
public:
    PlainTextListener();
};
