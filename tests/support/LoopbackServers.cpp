#include "support/LoopbackServers.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <csignal>
#include <sys/prctl.h>

TlsServer::~TlsServer() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

QString TlsServer::start(const QString& certificate, const QString& key, const QString& chain,
                         const QString& host) {
    const QString address = host.contains(u':') ? u'[' + host + u']' : host;
    // Ended with the test even when a sanitizer stops it before any destructor runs.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    // Not -quiet: that also silences the ACCEPT line which tells the port. Security level 0
    // sends any chain as given, one whose keys do not decode included.
    process_.start(QStringLiteral("/usr/bin/openssl"),
                   {QStringLiteral("s_server"), QStringLiteral("-accept"), address + ":0",
                    QStringLiteral("-cert"), certificate, QStringLiteral("-key"), key,
                    QStringLiteral("-cert_chain"), chain, QStringLiteral("-cipher"),
                    QStringLiteral("DEFAULT@SECLEVEL=0")});
    const QRegularExpression accept("^ACCEPT " + QRegularExpression::escape(address) + ":(\\d+)$");
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

LoopbackListener::LoopbackListener(QByteArray reply, Ending ending) {
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this, reply, ending] {
        // A kept connection stays open as long as the server, its parent.
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            ++connections_;
            socket->write(reply);
            if (ending == Ending::hangUp)
                socket->disconnectFromHost();
        }
    });
    server_.listen(QHostAddress::LocalHost, 0);
}

PlainTextListener::PlainTextListener()
    : LoopbackListener("HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n", Ending::hangUp) {}
