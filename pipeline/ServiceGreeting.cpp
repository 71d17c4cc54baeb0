#include "pipeline/ServiceGreeting.h"

namespace {

constexpr qsizetype longestLine = 80;
// Enough for any first line or greeting packet worth reading.
constexpr qsizetype enough = 512;

// MySQL and MariaDB greet with a packet: a 3-byte length, sequence 0, protocol 10, then the
// server's version ending in a zero byte.
bool isMySqlGreeting(const QByteArray& bytes) {
    return bytes.size() > 6 && bytes[3] == 0 && bytes[4] == 10 && bytes.indexOf('\0', 5) > 5;
}

// What a person can read of the first line: printable ASCII, blanks kept, the rest dropped.
QString printable(QByteArrayView bytes) {
    const qsizetype end = bytes.indexOf('\n');
    QString line;
    for (char c : end < 0 ? bytes : bytes.first(end)) {
        if (c >= 0x20 && c < 0x7F)
            line += QLatin1Char(c);
    }
    line = line.simplified();
    return line.size() > longestLine ? line.first(longestLine - 1) + u'…' : line;
}

} // namespace

KnownService identifyService(const QByteArray& firstBytes) {
    if (isMySqlGreeting(firstBytes)) {
        const QByteArray version = firstBytes.mid(5, firstBytes.indexOf('\0', 5) - 5);
        return {QStringLiteral("MySQL"), QStringLiteral("mysql"), printable(version)};
    }
    const QString line = printable(firstBytes);
    const QString upper = line.toUpper();
    const auto service = [&](const char* name, const char* scheme) {
        return KnownService{QLatin1String(name), QLatin1String(scheme), line};
    };
    if (line.startsWith(QLatin1String("220")))
        return upper.contains(QLatin1String("FTP")) ? service("FTP", "ftp")
                                                    : service("SMTP", "smtp");
    if (upper.startsWith(QLatin1String("* OK")))
        return service("IMAP", "imap");
    if (upper.startsWith(QLatin1String("+OK")))
        return service("POP3", "pop3");
    if (line.startsWith(QLatin1String("HTTP/")))
        return service("HTTP", "");
    if (line.contains(QLatin1String("<stream:")))
        return service("XMPP", "xmpp");
    // PostgreSQL answers what is not its startup packet with an error message.
    if (firstBytes.startsWith('E') && firstBytes.contains("SFATAL"))
        return service("PostgreSQL", "postgres");
    return {QString(), QString(), line};
}

ServiceGreeting::ServiceGreeting(const QString& host, quint16 port, const QNetworkProxy& proxy,
                                 QObject* parent)
    : QObject(parent)
    , host_(host)
    , port_(port) {
    socket_.setProxy(proxy);
    quiet_.setSingleShot(true);
    deadline_.setSingleShot(true);
    connect(&quiet_, &QTimer::timeout, this,
            [this] { socket_.write("HEAD / HTTP/1.0\r\nHost: " + host_.toUtf8() + "\r\n\r\n"); });
    connect(&deadline_, &QTimer::timeout, this, &ServiceGreeting::finish);
    connect(&socket_, &QTcpSocket::readyRead, this, [this] {
        quiet_.stop();
        bytes_ += socket_.read(enough - bytes_.size());
        if (bytes_.size() >= enough || bytes_.contains('\n') || isMySqlGreeting(bytes_))
            finish();
    });
    connect(&socket_, &QTcpSocket::disconnected, this, &ServiceGreeting::finish);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &ServiceGreeting::finish);
}

void ServiceGreeting::read(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout) {
    connect(&socket_, &QTcpSocket::connected, &quiet_, [this, quiet] { quiet_.start(quiet); });
    deadline_.start(timeout);
    socket_.connectToHost(host_, port_);
}

void ServiceGreeting::finish() {
    if (std::exchange(finished_, true))
        return;
    quiet_.stop();
    deadline_.stop();
    socket_.abort();
    Q_EMIT heard(bytes_);
}
