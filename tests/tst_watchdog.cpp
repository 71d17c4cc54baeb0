#include "core/ContentView.h"
#include "support/LoopbackServers.h"
#include "support/RunWaiting.h"
#include "support/ScriptedFileDialogs.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Apart from the other runs because it lasts as long as the download watchdog, 20 seconds.
class WatchdogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void silentServerIsGivenUpAtTheWatchdog() {
        QTemporaryDir tmpdir;
        QVERIFY(tmpdir.isValid());
        qputenv("TMPDIR", QFile::encodeName(tmpdir.path()));
        // Takes the connection and never says a word, so the handshake waits forever.
        const LoopbackListener silent(QByteArray(), LoopbackListener::Ending::stayOpen);
        QVERIFY(silent.isListening());
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        LogRecorder log(view);

        QElapsedTimer sinceBeat;
        qint64 longestGap = 0;
        QTimer beat;
        beat.setInterval(20);
        connect(&beat, &QTimer::timeout, this,
                [&] { longestGap = qMax(longestGap, sinceBeat.restart()); });

        const QString address = "127.0.0.1:" + QString::number(silent.port());
        view.setUrlString(address);
        QElapsedTimer clock;
        clock.start();
        sinceBeat.start();
        beat.start();
        view.startConversion();
        QVERIFY(waitForRunEnd(view, 60000));
        const qint64 elapsed = clock.elapsed();
        beat.stop();

        QCOMPARE(view.statusMessage(), QStringLiteral("❌ Sertifika zinciri indirilemedi"));
        QCOMPARE(view.statusDetail(), "Sunucu 20 saniye içinde yanıt vermedi: " + address);
        const QStringList expected{
            "🔍 Girilen URL: '" + address + "'", "*", "🌐 Bağlanılan adres: " + address, "*",
            "📥 İndirme sonucu: BAŞARISIZ",      "*", "📜 Bulunan sertifika sayısı: 0"};
        QVERIFY2(matchesLog(log.messages, expected), qPrintable(log.messages.join("\n| ")));
        QCOMPARE(silent.connections(), 1);
        QVERIFY(dialogs.saveRequests.isEmpty());
        // Ended by the watchdog (a coarse timer, so a little early at most), not by the tool.
        QVERIFY2(elapsed >= 18000 && elapsed < 40000, qPrintable(QString::number(elapsed)));
        // The GUI thread served its timers all along; a blocked one would show a 20 s gap.
        QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
    }
};

QTEST_GUILESS_MAIN(WatchdogTest)
#include "tst_watchdog.moc"
