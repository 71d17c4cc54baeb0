#include "core/ContentView.h"
#include "support/LoopbackServers.h"
#include "support/RunWaiting.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedTool.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

class WatchdogTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    TestCertificates certs_;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("TMPDIR", QFile::encodeName(dir_.path()));
        const QString problem = certs_.create(dir_.filePath("certificates"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void silentServerIsGivenUpAtTheWatchdog() {
        // Takes the connection and never says a word, so the handshake waits forever.
        const LoopbackListener silent(QByteArray(), LoopbackListener::Ending::stayOpen);
        QVERIFY(silent.isListening());
        ScriptedFileDialogs dialogs;
        RunTimings timings;
        timings.download = 1s;
        ContentView view(dialogs, openSslPath, timings);
        LogRecorder log(view);

        const QString address = "127.0.0.1:" + QString::number(silent.port());
        view.setUrlString(address);
        QElapsedTimer clock;
        clock.start();
        view.startConversion();
        QVERIFY(waitForRunEnd(view, 20000));
        const qint64 elapsed = clock.elapsed();

        QCOMPARE(view.statusMessage(), QStringLiteral("❌ Sertifika zinciri indirilemedi"));
        QCOMPARE(view.report().reason, "Sunucu 1 saniye içinde yanıt vermedi: " + address);
        const QStringList expected{
            "🔍 Girilen URL: '" + address + "'", "*", "🌐 Bağlanılan adres: " + address, "*",
            "📥 İndirme sonucu: BAŞARISIZ",      "*", "📜 Bulunan sertifika sayısı: 0"};
        QVERIFY2(matchesLog(log.messages, expected), qPrintable(log.messages.join("\n| ")));
        QCOMPARE(silent.connections(), 1);
        QVERIFY(dialogs.saveRequests.isEmpty());
        QVERIFY2(elapsed >= 1000 && elapsed < 10000, qPrintable(QString::number(elapsed)));
    }
};

QTEST_GUILESS_MAIN(WatchdogTest)
#include "tst_watchdog.moc"
