#include "PemBundle.h"

#include "BenchFixtures.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QFileInfo>

QString pemBundle(qint64 bytes) {
    const BenchFixtures& fixtures = BenchFixtures::instance();
    const QString path = fixtures.folder.filePath(QStringLiteral("bundle-%1.pem").arg(bytes));
    if (QFileInfo(path).size() > 0)
        return path;
    // A 4096-bit RSA certificate is about 2 kB of PEM, so 32 MB holds about 16,000 of them.
    const QString key = fixtures.path("bundle.key");
    const QString certificate = fixtures.path("bundle-cert.pem");
    if (!QFileInfo::exists(certificate)) {
        const ToolRun run =
            runOpenSslTool({"req", "-x509", "-newkey", "rsa:4096", "-nodes", "-subj",
                            "/CN=bundle.test", "-days", "2", "-keyout", key, "-out", certificate});
        if (!run.ok)
            return QString();
    }
    const QByteArray one = readTestFile(certificate);
    QByteArray bundle;
    bundle.reserve(bytes + one.size());
    // Text around the blocks, as a tool's report would have.
    bundle += "subject=/CN=bundle.test\n";
    while (bundle.size() + one.size() <= qMax<qint64>(bytes, one.size()))
        bundle += one;
    if (bytes < one.size())
        bundle = bundle.left(bytes);
    writeTestFile(path, bundle);
    return path;
}
