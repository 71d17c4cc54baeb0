#include "support/TestCertificates.h"

#include "support/TestFiles.h"

#include <QProcess>

ToolRun runOpenSslTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("/usr/bin/openssl"), arguments);
    process.closeWriteChannel();
    ToolRun run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        run.problem = arguments.join(u' ') + QStringLiteral(": did not finish");
        return run;
    }
    run.output = process.readAllStandardOutput();
    run.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!run.ok)
        run.problem = arguments.join(u' ') + QStringLiteral(": ") +
                      QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QByteArray derOfPemFile(const QString& pemPath) {
    const ToolRun run = runOpenSslTool({QStringLiteral("x509"), QStringLiteral("-outform"),
                                        QStringLiteral("der"), QStringLiteral("-in"), pemPath});
    return run.ok ? run.output : QByteArray();
}

QString certificateSeed(const QString& name) {
    const QString folder = QStringLiteral(RUVELTA_CERTIFICATE_SEEDS);
    return name.isEmpty() ? folder : folder + u'/' + name + QStringLiteral(".der");
}

QString TestCertificates::create(const QString& folder) {
    const auto path = [&folder](const char* name) { return folder + u'/' + QLatin1String(name); };
    const QString config = path("openssl.cnf");
    writeTestFile(config, "[req]\n"
                          "distinguished_name = dn\n"
                          "[dn]\n"
                          "[ca]\n"
                          "basicConstraints = critical,CA:TRUE\n"
                          "keyUsage = critical,keyCertSign,cRLSign\n"
                          "[leaf]\n"
                          "basicConstraints = CA:FALSE\n"
                          "subjectAltName = DNS:localhost,IP:127.0.0.1\n");
    rootPem = path("root.pem");
    intermediatePem = path("intermediate.pem");
    leafPem = path("leaf.pem");
    leafKey = path("leaf.key");
    chainPem = path("chain.pem");
    const QString rootKey = path("root.key");
    const QString intermediateKey = path("intermediate.key");

    QList<QStringList> steps;
    for (const QString& key : {rootKey, intermediateKey, leafKey})
        steps << QStringList{"genpkey", "-algorithm", "EC", "-pkeyopt", "ec_paramgen_curve:P-256",
                             "-out",    key};
    steps << QStringList{
        "req",   "-x509", "-new",    "-key", rootKey,       "-subj", "/CN=Ruvelta Test Root",
        "-days", "365",   "-config", config, "-extensions", "ca",    "-out",
        rootPem};
    // Each signed certificate: a request, then the issuer's signature with its extensions.
    const auto issue = [&](const QString& key, const char* subject, const QString& issuer,
                           const QString& issuerKey, const char* serial, const char* section,
                           const QString& out) {
        const QString request = out + QStringLiteral(".csr");
        steps << QStringList{"req",   "-new",    "-key", key,    "-subj",
                             subject, "-config", config, "-out", request};
        steps << QStringList{"x509",     "-req",    "-in",         request, "-CA",   issuer,
                             "-CAkey",   issuerKey, "-set_serial", serial,  "-days", "365",
                             "-extfile", config,    "-extensions", section, "-out",  out};
    };
    issue(intermediateKey, "/CN=Ruvelta Test Intermediate", rootPem, rootKey, "2", "ca",
          intermediatePem);
    issue(leafKey, "/CN=localhost", intermediatePem, intermediateKey, "3", "leaf", leafPem);

    for (const QStringList& step : steps) {
        if (const ToolRun run = runOpenSslTool(step); !run.ok)
            return run.problem;
    }
    writeTestFile(chainPem, readTestFile(intermediatePem) + readTestFile(rootPem));
    return QString();
}
