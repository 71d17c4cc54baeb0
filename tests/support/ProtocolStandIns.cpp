#include "support/ProtocolStandIns.h"

#include <QFile>
#include <QSslKey>
#include <QSslSocket>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The server's answer to a plain-text line, and whether TLS starts once it is sent.
std::pair<QByteArray, bool> answer(StartTlsServer::Protocol protocol, const QByteArray& line) {
    const QByteArray command = line.toUpper();
    if (protocol == StartTlsServer::Protocol::smtp) {
        if (command.startsWith("EHLO") || command.startsWith("HELO"))
            return {"250-localhost greets you\r\n250 STARTTLS\r\n", false};
        if (command.startsWith("STARTTLS"))
            return {"220 2.0.0 Ready to start TLS\r\n", true};
        return {"502 5.5.2 Not understood\r\n", false};
    }
    const QByteArray tag = line.left(line.indexOf(' '));
    if (command.contains(" CAPABILITY"))
        return {"* CAPABILITY IMAP4rev1 STARTTLS\r\n" + tag + " OK done\r\n", false};
    if (command.contains(" STARTTLS"))
        return {tag + " OK Begin TLS now\r\n", true};
    return {tag + " BAD not understood\r\n", false};
}

} // namespace

QString StartTlsServer::start(Protocol protocol, const QString& certificate, const QString& key,
                              const QString& chain) {
    protocol_ = protocol;
    const QSslKey privateKey(fileBytes(key), QSsl::Ec);
    QList<QSslCertificate> certificates = QSslCertificate::fromData(fileBytes(certificate));
    certificates += QSslCertificate::fromData(fileBytes(chain));
    if (privateKey.isNull() || certificates.size() < 2)
        return QStringLiteral("the stand-in's certificate or key could not be read");
    tls_ = QSslConfiguration::defaultConfiguration();
    tls_.setLocalCertificateChain(certificates);
    tls_.setPrivateKey(privateKey);
    if (!listen(QHostAddress::LocalHost, 0))
        return errorString();
    return QString();
}

void StartTlsServer::incomingConnection(qintptr descriptor) {
    auto* socket = new QSslSocket(this);
    socket->setSslConfiguration(tls_);
    socket->setSocketDescriptor(descriptor);
    socket->write(protocol_ == Protocol::smtp ? "220 localhost ESMTP stand-in\r\n"
                                              : "* OK IMAP4rev1 stand-in ready\r\n");
    connect(socket, &QSslSocket::readyRead, this, [this, socket] {
        while (!socket->isEncrypted() && socket->mode() == QSslSocket::UnencryptedMode &&
               socket->canReadLine()) {
            const QByteArray line = socket->readLine().trimmed();
            heard << QString::fromLatin1(line);
            const auto [reply, upgrade] = answer(protocol_, line);
            socket->write(reply);
            if (upgrade)
                socket->startServerEncryption();
        }
    });
    connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
}

ConnectProxy::ConnectProxy(quint16 targetPort, QByteArray refusal)
    : targetPort_(targetPort)
    , refusal_(std::move(refusal)) {
    listen(QHostAddress::LocalHost, 0);
}

void ConnectProxy::incomingConnection(qintptr descriptor) {
    auto* client = new QTcpSocket(this);
    client->setSocketDescriptor(descriptor);
    connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    connect(client, &QTcpSocket::readyRead, this, [this, client] {
        if (client->property("tunnelled").toBool())
            return;
        const QByteArray head = client->peek(client->bytesAvailable());
        if (!head.contains("\r\n\r\n"))
            return;
        client->read(head.indexOf("\r\n\r\n") + 4);
        requests << head.left(head.indexOf("\r\n\r\n"));
        if (!refusal_.isEmpty()) {
            client->write(refusal_ + "\r\n\r\n");
            client->disconnectFromHost();
            return;
        }
        client->setProperty("tunnelled", true);
        auto* server = new QTcpSocket(client);
        connect(server, &QTcpSocket::connected, client,
                [client] { client->write("HTTP/1.1 200 Connection established\r\n\r\n"); });
        connect(server, &QTcpSocket::readyRead, client,
                [client, server] { client->write(server->readAll()); });
        connect(client, &QTcpSocket::readyRead, server,
                [client, server] { server->write(client->readAll()); });
        connect(server, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
        connect(client, &QTcpSocket::disconnected, server, &QTcpSocket::disconnectFromHost);
        server->connectToHost(QHostAddress::LocalHost, targetPort_);
    });
}
