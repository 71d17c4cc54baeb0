#include "core/ContentView.h"
#include "support/LoopbackServers.h"
#include "support/RunWaiting.h"
#include "support/ScriptedFileDialogs.h"
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
        QCOMPARE(view.statusDetail(), "Sunucu 1 saniye içinde yanıt vermedi: " + address);
        const QStringList expected{
            "🔍 Girilen URL: '" + address + "'", "*", "🌐 Bağlanılan adres: " + address, "*",
            "📥 İndirme sonucu: BAŞARISIZ",      "*", "📜 Bulunan sertifika sayısı: 0"};
        QVERIFY2(matchesLog(log.messages, expected), qPrintable(log.messages.join("\n| ")));
        QCOMPARE(silent.connections(), 1);
        QVERIFY(dialogs.saveRequests.isEmpty());
        QVERIFY2(elapsed >= 1000 && elapsed < 10000, qPrintable(QString::number(elapsed)));
    }

    // The window's own figures, read off the timers of a run in flight rather than waited out.
    void theWindowKeepsItsFigures_data() {
        QTest::addColumn<QString>("stage");
        QTest::addColumn<int>("ms");
        QTest::newRow("download watchdog") << "download" << 20000;
        QTest::newRow("conversion watchdog") << "conversion" << 10000;
        QTest::newRow("busy state after the result") << "result" << 2000;
    }

    void theWindowKeepsItsFigures() {
        QFETCH(QString, stage);
        QFETCH(int, ms);
        const LoopbackListener silent(QByteArray(), LoopbackListener::Ending::stayOpen);
        ScriptedFileDialogs dialogs;
        // Held, so that the conversion's tool stays in flight.
        ContentView view(dialogs, stage == "conversion"
                                      ? writeHeldTool(dir_.path(), dir_.filePath("never"))
                                      : openSslPath);
        dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("out.der")));
        if (stage == "download")
            view.setUrlString("127.0.0.1:" + QString::number(silent.port()));
        else
            view.pickPemFile(QUrl::fromLocalFile(certs_.leafPem));
        view.startConversion();
        if (stage == "result")
            QVERIFY(waitForRunEnd(view));

        QList<int> running;
        QVERIFY(QTest::qWaitFor([&] {
            running.clear();
            for (const QTimer* timer : view.findChildren<QTimer*>())
                if (timer->isActive())
                    running << timer->interval();
            return !running.isEmpty();
        }));
        QCOMPARE(running, QList<int>{ms});
        view.resetAll();
    }
};

QTEST_GUILESS_MAIN(WatchdogTest)
#include "tst_watchdog.moc"
