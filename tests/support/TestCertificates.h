#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ToolRun {
    bool ok = false;
    QByteArray output;
    QString problem; // what went wrong, for the failure message
};

// Runs /usr/bin/openssl to its end, without a shell.
ToolRun runOpenSslTool(const QStringList& arguments);

// The certificate as `openssl x509 -outform der` writes it; empty when the tool fails.
QByteArray derOfPemFile(const QString& pemPath);

// A certificate the seeds' script made (fuzz/corpus/certificate/NAME.der), some with a key or a
// time that does not decode; the folder itself for an empty name.
QString certificateSeed(const QString& name);

// A root CA, an intermediate CA it signed and a leaf for localhost (DNS:localhost,
// IP:127.0.0.1) signed by the intermediate, all with P-256 keys.
struct TestCertificates {
    // Makes them in `folder`; returns what went wrong, empty on success.
    QString create(const QString& folder);

    QString rootPem;
    QString intermediatePem;
    QString leafPem;
    QString leafKey;
    QString chainPem; // intermediate, then root
};
