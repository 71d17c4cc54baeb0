#include "pipeline/ProxyTunnel.h"

#include <utility>

ProxyTunnel::ProxyTunnel(const QNetworkProxy& proxy, const QString& host, quint16 port,
                         QObject* parent)
    : QObject(parent)
    , host_(host)
    , port_(port) {
    remote_.setProxy(proxy);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this,
            [this] { giveUp(QAbstractSocket::SocketTimeoutError); });
    connect(&remote_, &QTcpSocket::connected, this, [this] {
        deadline_.stop();
        if (!listener_.listen(QHostAddress::LocalHost, 0)) {
            giveUp(listener_.serverError());
            return;
        }
        Q_EMIT opened();
    });
    connect(&remote_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        // Before the tunnel is up, why it is not; after, only its end, which is passed on.
        if (remote_.state() != QAbstractSocket::ConnectedState && !listener_.isListening())
            giveUp(error);
    });
    connect(&remote_, &QTcpSocket::readyRead, this, &ProxyTunnel::pass);
    connect(&remote_, &QTcpSocket::disconnected, this, [this] {
        remoteEnded_ = true;
        pass();
    });
    listener_.setMaxPendingConnections(1);
    connect(&listener_, &QTcpServer::newConnection, this, &ProxyTunnel::takeClient);
}

void ProxyTunnel::open(std::chrono::milliseconds timeout) {
    deadline_.start(timeout);
    remote_.connectToHost(host_, port_);
}

void ProxyTunnel::giveUp(QAbstractSocket::SocketError error) {
    deadline_.stop();
    remote_.abort();
    Q_EMIT failed(error);
}

// The first client is the tool; the port then listens no more.
void ProxyTunnel::takeClient() {
    if (client_)
        return;
    client_ = listener_.nextPendingConnection();
    listener_.close();
    connect(client_, &QTcpSocket::readyRead, this, [this] { remote_.write(client_->readAll()); });
    connect(client_, &QTcpSocket::disconnected, &remote_, &QTcpSocket::disconnectFromHost);
    pass();
}

// The server's bytes go on to the tool, or wait for it; its end follows them.
void ProxyTunnel::pass() {
    held_ += remote_.readAll();
    if (!client_ || client_->state() != QAbstractSocket::ConnectedState)
        return;
    client_->write(std::exchange(held_, QByteArray()));
    if (remoteEnded_)
        client_->disconnectFromHost();
}
