// Renders the window in its main states, and the save dialog with its replace question, to PNG
// files, for the README and for a look by eye.
// Usage: render_screenshots OUTPUT_FOLDER NAME_PREFIX
// On a real display the shots are taken from the screen, window manager's frame included;
// offscreen, from the window alone.
#include "app/RuveltaApp.h"
#include "core/ContentView.h"
#include "support/LoopbackServers.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"
#include "ui/QtFileDialogs.h"
#include "ui/RootColumn.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {

// The screen where the window stands, window manager's frame included; offscreen, the window.
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
    // Absolute: the dialog shots are taken with the work folder as the current one.
    const QString out = QDir(arguments[1]).absoluteFilePath(arguments[2]);
    QDir().mkpath(arguments[1]);
    QTemporaryDir work;
    qputenv("TMPDIR", QFile::encodeName(work.path()));
    // The folder of the last save is remembered there, not in the person's own settings.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.path()));
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

    // The chain under it, its root chosen.
    auto* chainList = window.findChild<QTreeView*>(QStringLiteral("chainList"));
    chainList->setCurrentIndex(view.chain().index(view.chain().rowCount() - 1, 1));
    chainList->setFocus();
    window.findChild<QScrollArea*>()->ensureWidgetVisible(
        window.findChild<QWidget*>(QStringLiteral("chainSection")));
    ok &= save(window, out + "-chain.png");

    view.resetAll();
    view.setUrlString(QStringLiteral("   "));
    view.startConversion();
    ok &= save(window, out + "-failure.png");
    window.hide();

    // The real save dialog, opened where "sunucu.der" now stands, and its question after the
    // person types "sunucu.pem" and presses Return; then "Hayır" and cancel.
    QtFileDialogs realDialogs;
    ContentView converter(realDialogs);
    RootColumn converterWindow(converter);
    realDialogs.setParentWindow(&converterWindow);
    converterWindow.show();
    QDir::setCurrent(work.path());
    const auto onTop = [] { return QApplication::activeModalWidget(); };
    QTimer::singleShot(1000, [&] {
        ok &= onTop() && save(*onTop(), out + "-save-dialog.png");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "sunucu.pem");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QTimer::singleShot(2500, [&] {
        ok &= onTop() && save(*onTop(), out + "-replace-question.png");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // "Hayır", the default
    });
    QTimer::singleShot(3500, [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
    converter.pickPemFile(QUrl::fromLocalFile(certificates.leafPem));
    converter.startConversion();
    ok &= QTest::qWaitFor(
        [&] { return converter.statusMessage() == QStringLiteral("Kaydetme iptal edildi"); },
        10000);
    return ok ? 0 : 1;
}
