#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QNetworkProxy>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>

// A connection to host:port through a proxy, opened by Qt, handed on to the tool as a plain
// connection: a loopback port listens for that one client and relays both ways. What the server
// says before the tool has connected is kept for it, so a greeting is never lost.
class ProxyTunnel : public QObject {
    Q_OBJECT

public:
    ProxyTunnel(const QNetworkProxy& proxy, const QString& host, quint16 port, QObject* parent);

    // Connects through the proxy: opened() or failed() follows, failed() at the latest after
    // `timeout`, with SocketTimeoutError.
    void open(std::chrono::milliseconds timeout);
    // Where the tool connects, once opened.
    quint16 localPort() const { return listener_.serverPort(); }

Q_SIGNALS:
    void opened();
    void failed(QAbstractSocket::SocketError error);

private:
    void giveUp(QAbstractSocket::SocketError error);
    void takeClient();
    void pass();

    QString host_;
    quint16 port_;
    QTcpSocket remote_;
    QTcpServer listener_;
    QPointer<QTcpSocket> client_;
    QTimer deadline_;
    QByteArray held_;
    bool remoteEnded_ = false;
};
