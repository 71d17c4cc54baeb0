// Renders the window in its main states to PNG files, for the README and for a look by eye.
// Usage: render_screenshots OUTPUT_FOLDER NAME_PREFIX
// On a real display the shots are taken from the screen, window manager's frame included;
// offscreen, from the window alone.
#include "app/RuveltaApp.h"
#include "core/ContentView.h"
#include "support/LoopbackServers.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"
#include "ui/RootColumn.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool save(QWidget& window, const QString& path) {
    QTest::qWait(300); // the window manager and the spinner settle
    const QRect frame = window.frameGeometry();
    QPixmap shot =
        window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (shot.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen"))
        shot = window.grab();
    const bool saved = shot.save(path);
    qInfo("%s %s", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    RuveltaApp::setUpApplication();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        qCritical("usage: render_screenshots OUTPUT_FOLDER NAME_PREFIX");
        return 2;
    }
    const QString out = arguments[1] + u'/' + arguments[2];
    QDir().mkpath(arguments[1]);
    QTemporaryDir work;
    qputenv("TMPDIR", QFile::encodeName(work.path()));
    TestCertificates certificates;
    if (const QString problem = certificates.create(work.path()); !problem.isEmpty()) {
        qCritical("%s", qPrintable(problem));
        return 1;
    }
    TlsServer server;
    if (const QString problem =
            server.start(certificates.leafPem, certificates.leafKey, certificates.chainPem);
        !problem.isEmpty()) {
        qCritical("%s", qPrintable(problem));
        return 1;
    }
    // The tool waits for the release file, so the busy state can be shown, then runs openssl.
    const QString release = work.filePath("release");
    const QString heldTool = writeHeldTool(work.path(), release, "/usr/bin/openssl");

    ScriptedFileDialogs dialogs;
    ContentView view(dialogs, heldTool);
    RootColumn window(view);
    window.show();
    bool ok = QTest::qWaitForWindowExposed(&window);
    ok &= save(window, out + "-fresh.png");

    view.setUrlString(QStringLiteral("localhost:") + QString::number(server.port()));
    view.startConversion();
    ok &= save(window, out + "-busy.png");

    dialogs.answerSave(QUrl::fromLocalFile(work.filePath("sunucu.der")));
    writeTestFile(release, QByteArray());
    ok &= QTest::qWaitFor([&] { return !view.statusMessage().isEmpty(); }, 15000);
    for (int i = 0; i < 200; ++i)
        view.appendDebugLog(QStringLiteral("📊 Satır %1: uzun bir günlük satırı, pencerenin "
                                           "genişliğini aşarsa bir sonraki satıra kaydırılır")
                                .arg(i));
    ok &= QTest::qWaitFor([&] { return !view.isProcessing(); }, 5000);
    ok &= save(window, out + "-success.png");

    view.resetAll();
    view.setUrlString(QStringLiteral("   "));
    view.startConversion();
    ok &= save(window, out + "-failure.png");
    return ok ? 0 : 1;
}
