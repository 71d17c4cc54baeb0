#pragma once

#include <QByteArray>
#include <QSslConfiguration>
#include <QStringList>
#include <QTcpServer>

// A mail server on 127.0.0.1 that speaks its protocol in plain text until the client asks for
// STARTTLS, then presents the given certificate chain. It records the plain-text lines it heard.
class StartTlsServer : public QTcpServer {
    Q_OBJECT

public:
    enum class Protocol { smtp, imap };

    // Returns what went wrong reading the files, empty when the server listens.
    QString start(Protocol protocol, const QString& certificate, const QString& key,
                  const QString& chain);
    QStringList heard;

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    Protocol protocol_ = Protocol::smtp;
    QSslConfiguration tls_;
};

// An HTTP CONNECT proxy on 127.0.0.1 that records each request's head and either refuses it
// with `refusal` or tunnels it to `targetPort` on loopback, whatever host was asked for. Given
// `credentials` ("user:password"), it asks for them, as Squid does, until a request carries them.
// Where the target speaks first, the answer to CONNECT goes out with its first bytes, in one
// packet.
class ConnectProxy : public QTcpServer {
    Q_OBJECT

public:
    ConnectProxy(quint16 targetPort, bool targetSpeaksFirst, QByteArray credentials,
                 QByteArray refusal = QByteArray());
    QList<QByteArray> requests;

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    quint16 targetPort_;
    bool targetSpeaksFirst_;
    QByteArray credentials_;
    QByteArray refusal_;
};

// A SOCKS5 proxy on 127.0.0.1 that takes `credentials` ("user:password"), records the host each
// client asked for, and tunnels it to `targetPort` on loopback.
class Socks5Proxy : public QTcpServer {
    Q_OBJECT

public:
    Socks5Proxy(quint16 targetPort, QByteArray credentials);
    QList<QByteArray> hosts;

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    quint16 targetPort_;
    QByteArray credentials_;
};
