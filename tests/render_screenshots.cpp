// Renders the window in its main states to PNG files, for the README and for a look by eye.
// Usage: render_screenshots OUTPUT_FOLDER
#include "core/ContentView.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"
#include "ui/RootColumn.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

bool save(QWidget& window, const QString& folder, const char* name) {
    settle();
    window.adjustSize();
    settle();
    const QString path = folder + u'/' + QLatin1String(name) + QStringLiteral(".png");
    const bool saved = window.grab().save(path);
    qInfo("%s %s", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(RUVELTA_VERSION));
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        qCritical("usage: render_screenshots OUTPUT_FOLDER");
        return 2;
    }
    const QString out = arguments[1];
    QDir().mkpath(out);
    QTemporaryDir work;
    qputenv("TMPDIR", QFile::encodeName(work.path()));
    TestCertificates certificates;
    if (const QString problem = certificates.create(work.path()); !problem.isEmpty()) {
        qCritical("%s", qPrintable(problem));
        return 1;
    }
    // Stands in for a tool that takes its time, until the release file appears.
    const QString release = work.filePath("release");
    const QString slowTool = writeHeldTool(work.path(), release);

    bool ok = true;
    {
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        RootColumn window(view);
        window.show();
        ok &= save(window, out, "fresh");

        view.setUrlString(QStringLiteral("example.com"));
        ok &= save(window, out, "url-typed");

        view.setUrlString(QStringLiteral("   "));
        view.startConversion();
        ok &= save(window, out, "failure");

        view.resetAll();
        dialogs.answerOpen(QUrl::fromLocalFile(certificates.leafPem));
        view.selectPemFile();
        dialogs.answerSave(QUrl::fromLocalFile(work.path() + "/server.der"));
        view.startConversion();
        ok &= QTest::qWaitFor([&] { return !view.statusMessage().isEmpty(); }, 10000);
        ok &= save(window, out, "success");

        for (int i = 0; i < 300; ++i)
            view.appendDebugLog(QStringLiteral("📊 Satır %1 — uzun bir günlük satırı, pencerenin "
                                               "genişliğini aşarsa bir sonraki satıra kaydırılır")
                                    .arg(i));
        ok &= save(window, out, "file-picked-long-log");
    }
    {
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs, slowTool);
        RootColumn window(view);
        window.show();
        view.setUrlString(QStringLiteral("example.com"));
        view.startConversion();
        ok &= save(window, out, "busy");
        writeTestFile(release, QByteArray());
    }
    return ok ? 0 : 1;
}
