#include "support/LoopbackServers.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTcpSocket>

TlsServer::~TlsServer() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

QString TlsServer::start(const QString& certificate, const QString& key, const QString& chain) {
    // Not -quiet: that also silences the ACCEPT line which tells the port.
    process_.start(QStringLiteral("/usr/bin/openssl"),
                   {QStringLiteral("s_server"), QStringLiteral("-accept"),
                    QStringLiteral("127.0.0.1:0"), QStringLiteral("-cert"), certificate,
                    QStringLiteral("-key"), key, QStringLiteral("-cert_chain"), chain});
    static const QRegularExpression accept(QStringLiteral("^ACCEPT 127\\.0\\.0\\.1:(\\d+)$"));
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (!process_.canReadLine()) {
            if (process_.state() == QProcess::NotRunning)
                break;
            process_.waitForReadyRead(int(deadline.remainingTime()));
            continue;
        }
        const QString line = QString::fromLatin1(process_.readLine()).trimmed();
        if (const QRegularExpressionMatch match = accept.match(line); match.hasMatch()) {
            port_ = quint16(match.captured(1).toUInt());
            return QString();
        }
    }
    return QStringLiteral("s_server did not report its port: ") +
           QString::fromLocal8Bit(process_.readAllStandardError());
}

PlainTextListener::PlainTextListener() {
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->write("HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
        }
    });
    server_.listen(QHostAddress::LocalHost, 0);
}
