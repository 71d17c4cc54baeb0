#pragma once

#include <QByteArray>
#include <QNetworkProxy>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>

// A plain-text service, known by what it says first, or by its answer to an HTTP request where
// it waits for its client.
struct KnownService {
    QString name;      // "SMTP", "IMAP"…; empty when the bytes tell nothing
    QString scheme;    // the scheme that fetches its chain with STARTTLS; empty when none does
    QString firstLine; // what it said first, printable, at most a line of 80 characters
};

KnownService identifyService(const QByteArray& firstBytes);

// Reads what a service on host:port sends first, through `proxy` (NoProxy: directly). Where it
// stays silent for `quiet`, it is asked as an HTTP client would ask.
class ServiceGreeting : public QObject {
    Q_OBJECT

public:
    ServiceGreeting(const QString& host, quint16 port, const QNetworkProxy& proxy, QObject* parent);

    // heard() follows within `timeout`, with what came (possibly nothing).
    void read(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout);

Q_SIGNALS:
    void heard(const QByteArray& firstBytes);

private:
    void finish();

    QString host_;
    quint16 port_;
    QTcpSocket socket_;
    QTimer quiet_;
    QTimer deadline_;
    QByteArray bytes_;
    bool finished_ = false;
};
