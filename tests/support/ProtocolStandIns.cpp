#include "support/ProtocolStandIns.h"

#include <QFile>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpSocket>
#include <QtEndian>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The server's answer to a plain-text line, and whether TLS starts once it is sent. What it does
// not understand, it refuses and hangs up on.
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

// The client of a connection just made, gone once it hangs up.
QTcpSocket* accepted(QObject* server, qintptr descriptor) {
    auto* client = new QTcpSocket(server);
    client->setSocketDescriptor(descriptor);
    QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    return client;
}

// Connects to the target on loopback and passes bytes both ways. The client is told `answer`
// once the target is connected or, where the target speaks first, with its first bytes in one
// packet, as a busy proxy may.
void relay(QTcpSocket* client, quint16 targetPort, const QByteArray& answer,
           bool targetSpeaksFirst) {
    auto* server = new QTcpSocket(client);
    server->setProperty("answer", answer);
    const auto send = [client, server](const QByteArray& bytes) {
        client->write(server->property("answer").toByteArray() + bytes);
        server->setProperty("answer", QByteArray());
    };
    QObject::connect(server, &QTcpSocket::connected, client, [send, targetSpeaksFirst] {
        if (!targetSpeaksFirst)
            send(QByteArray());
    });
    QObject::connect(server, &QTcpSocket::readyRead, client,
                     [send, server] { send(server->readAll()); });
    QObject::connect(client, &QTcpSocket::readyRead, server,
                     [client, server] { server->write(client->readAll()); });
    QObject::connect(server, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
    QObject::connect(client, &QTcpSocket::disconnected, server, &QTcpSocket::disconnectFromHost);
    server->connectToHost(QHostAddress::LocalHost, targetPort);
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
            else if (reply.contains("not understood"))
                socket->disconnectFromHost();
        }
    });
    connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
}

ConnectProxy::ConnectProxy(quint16 targetPort, bool targetSpeaksFirst, QByteArray credentials,
                           QByteArray refusal)
    : targetPort_(targetPort)
    , targetSpeaksFirst_(targetSpeaksFirst)
    , credentials_(std::move(credentials))
    , refusal_(std::move(refusal)) {
    listen(QHostAddress::LocalHost, 0);
}

void ConnectProxy::incomingConnection(qintptr descriptor) {
    QTcpSocket* client = accepted(this, descriptor);
    connect(client, &QTcpSocket::readyRead, this, [this, client] {
        if (client->property("tunnelled").toBool())
            return;
        const QByteArray head = client->peek(client->bytesAvailable());
        if (!head.contains("\r\n\r\n"))
            return;
        client->read(head.indexOf("\r\n\r\n") + 4);
        requests << head.left(head.indexOf("\r\n\r\n"));
        if (!credentials_.isEmpty() &&
            !head.contains("Proxy-Authorization: Basic " + credentials_.toBase64() + "\r\n")) {
            client->write("HTTP/1.1 407 Proxy Authentication Required\r\n"
                          "Proxy-Authenticate: Basic realm=\"stand-in\"\r\n"
                          "Content-Length: 0\r\n\r\n");
            return;
        }
        if (!refusal_.isEmpty()) {
            client->write(refusal_ + "\r\n\r\n");
            client->disconnectFromHost();
            return;
        }
        client->setProperty("tunnelled", true);
        relay(client, targetPort_, "HTTP/1.1 200 Connection established\r\n\r\n",
              targetSpeaksFirst_);
    });
}

Socks5Proxy::Socks5Proxy(quint16 targetPort, QByteArray credentials)
    : targetPort_(targetPort)
    , credentials_(std::move(credentials)) {
    listen(QHostAddress::LocalHost, 0);
}

void Socks5Proxy::incomingConnection(qintptr descriptor) {
    QTcpSocket* client = accepted(this, descriptor);
    // The stages: methods offered, user and password (RFC 1929), then the request.
    connect(client, &QTcpSocket::readyRead, this, [this, client] {
        const QByteArray in = client->peek(client->bytesAvailable());
        const int stage = client->property("stage").toInt();
        if (stage == 0 && in.size() >= 2 && in.size() >= 2 + quint8(in[1])) {
            client->read(2 + quint8(in[1]));
            client->write(QByteArray::fromHex("0502"));
            client->setProperty("stage", 1);
        } else if (stage == 1 && in.size() >= 2 && in.size() >= 3 + quint8(in[1]) &&
                   in.size() >= 3 + quint8(in[1]) + quint8(in[2 + quint8(in[1])])) {
            const int userLength = quint8(in[1]);
            const int passwordLength = quint8(in[2 + userLength]);
            client->read(3 + userLength + passwordLength);
            const QByteArray given =
                in.mid(2, userLength) + ':' + in.mid(3 + userLength, passwordLength);
            client->write(given == credentials_ ? QByteArray::fromHex("0100")
                                                : QByteArray::fromHex("0101"));
            client->setProperty("stage", given == credentials_ ? 2 : 3);
        } else if (stage == 2 && in.size() >= 5) {
            // An IPv4 address (1) or a name (3), then the port.
            const int hostLength = in[3] == 1 ? 4 : quint8(in[4]) + 1;
            if (in.size() < 4 + hostLength + 2)
                return;
            client->read(4 + hostLength + 2);
            hosts << (in[3] == 1 ? QHostAddress(qFromBigEndian<quint32>(in.constData() + 4))
                                       .toString()
                                       .toLatin1()
                                 : in.mid(5, hostLength - 1));
            client->setProperty("stage", 4);
            relay(client, targetPort_, QByteArray::fromHex("05000001000000000000"), false);
        }
    });
}
