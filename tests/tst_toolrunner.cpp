#include "pipeline/ToolProcess.h"
#include "support/TestFiles.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <csignal>
#include <optional>

using namespace std::chrono_literals;

namespace {

// Runs the tool to its end while the event loop turns, as the window does.
ToolResult runToEnd(const QString& tool, const QStringList& arguments,
                    std::chrono::milliseconds timeout, bool checkVersion = false) {
    QObject owner;
    std::optional<ToolResult> result;
    ToolRunner runner(tool, checkVersion);
    runner.run(&owner, {arguments, timeout}, [&result](const ToolResult& r) { result = r; });
    if (!QTest::qWaitFor([&result] { return result.has_value(); }, 60000))
        qWarning("the tool did not end");
    return result.value_or(ToolResult());
}

} // namespace

class ToolRunnerTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString script(const char* name, const QByteArray& body) {
        return writeShellScript(dir_.path(), QString::fromLatin1(name), body);
    }

private Q_SLOTS:
    void successFollowsExitStatusOrMarkerOnStandardOutput_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("error");

        QTest::newRow("silent exit 0") << QByteArray("exit 0") << true << QString() << QString();
        QTest::newRow("exit 1, marker on stdout")
            << QByteArray("echo '-----BEGIN CERTIFICATE-----'; exit 1") << true
            << QStringLiteral("-----BEGIN CERTIFICATE-----\n") << QString();
        QTest::newRow("exit 1, marker on stderr only")
            << QByteArray("echo '-----BEGIN CERTIFICATE-----' >&2; exit 1") << false << QString()
            << QStringLiteral("-----BEGIN CERTIFICATE-----\n");
        QTest::newRow("marker in other case does not count")
            << QByteArray("echo '-----begin certificate-----'; exit 2") << false
            << QStringLiteral("-----begin certificate-----\n") << QString();
        QTest::newRow("killed by a signal is a failure")
            << QByteArray("echo partial; kill -9 $$") << false << QStringLiteral("partial\n")
            << QString();
        QTest::newRow("both streams kept apart, Turkish text decoded")
            << QByteArray("printf 'çıktı'; printf 'hata ş' >&2") << true << QStringLiteral("çıktı")
            << QStringLiteral("hata ş");
    }

    void successFollowsExitStatusOrMarkerOnStandardOutput() {
        QFETCH(QByteArray, body);
        const ToolResult result = runToEnd(script("tool", body), {}, 10s);
        QTEST(result.success, "success");
        QTEST(result.output, "output");
        QTEST(result.error, "error");
    }

    // The tool is found where it is meant to be, else on PATH, and run only when it is an
    // OpenSSL whose error codes and options are the ones read.
    void toolIsFoundAndItsVersionChecked_data() {
        QTest::addColumn<QByteArray>("version"); // what the stand-in on PATH says to "version"
        QTest::addColumn<QString>("refused");    // the version line it is refused for
        QTest::newRow("3.0") << QByteArray("OpenSSL 3.0.17 1 Jul 2025 (Library: OpenSSL 3.0.17)")
                             << QString();
        QTest::newRow("3.5") << QByteArray("OpenSSL 3.5.1 1 Jul 2025") << QString();
        QTest::newRow("1.1.1") << QByteArray("OpenSSL 1.1.1w  11 Sep 2023")
                               << "OpenSSL 1.1.1w  11 Sep 2023";
        QTest::newRow("LibreSSL") << QByteArray("LibreSSL 3.3.6") << "LibreSSL 3.3.6";
        QTest::newRow("says nothing") << QByteArray() << "?";
    }

    void toolIsFoundAndItsVersionChecked() {
        QFETCH(QByteArray, version);
        QFETCH(QString, refused);
        const QTemporaryDir onPath;
        const QString standIn = writeShellScript(onPath.path(), "openssl",
                                                 "if [ \"$1\" = version ]; then printf '%s\\n' '" +
                                                     version + "'; else echo ran; fi");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(onPath.path()) + ':' + path);
        const QString found = locateOpenSsl(dir_.filePath("no-such-openssl"));
        qputenv("PATH", path);
        QCOMPARE(found, standIn);
        QCOMPARE(locateOpenSsl(standIn), standIn);

        const ToolResult result = runToEnd(found, {"x509"}, 10s, true);
        QCOMPARE(result.refusedVersion, refused);
        QCOMPARE(result.output, refused.isEmpty() ? QStringLiteral("ran\n") : QString());
        QCOMPARE(result.launchFailed, !refused.isEmpty());
    }

    void missingExecutableReportsLaunchFailure() {
        const ToolResult result = runToEnd(dir_.filePath("no-such-tool"), {"x509"}, 10s);
        QVERIFY(!result.success);
        QVERIFY(result.output.isEmpty());
        QVERIFY2(result.error.startsWith(QStringLiteral("Process hatası: ")),
                 qPrintable(result.error));
        QVERIFY(result.error.size() > QStringLiteral("Process hatası: ").size());
    }

    void argumentsArriveVerbatimAndEnvironmentIsInherited() {
        qputenv("RUVELTA_RUNNER_PROBE", "inherited value");
        const QString tool = script("args", "for a in \"$@\"; do printf '<%s>' \"$a\"; done; "
                                            "printf '[%s]' \"$RUVELTA_RUNNER_PROBE\"");
        const QStringList arguments{
            "x509", "a path/with blanks.pem", "-", "$HOME", "line\nbreak", "'quoted'", ""};
        const ToolResult result = runToEnd(tool, arguments, 10s);
        QVERIFY(result.success);
        QCOMPARE(result.output, QStringLiteral("<x509><a path/with blanks.pem><-><$HOME>"
                                               "<line\nbreak><'quoted'><>[inherited value]"));
    }

    void standardInputIsAtEndOfFile() {
        const ToolResult result = runToEnd(
            script("reader", "if read line; then echo \"got $line\"; else echo eof; fi"), {}, 5s);
        QCOMPARE(result.output, QStringLiteral("eof\n"));
    }

    void invalidUtf8GivesEmptyText() {
        const ToolResult result = runToEnd(
            script("binary", "printf 'valid start \\377 end'; printf 'ok\\300' >&2; exit 3"), {},
            5s);
        QVERIFY(!result.success);
        QVERIFY(result.output.isEmpty());
        QVERIFY(result.error.isEmpty());

        const ToolResult truncated = runToEnd(script("truncated", "printf 'cut \\304'"), {}, 5s);
        QVERIFY(truncated.output.isEmpty());
    }

    void largeOutputIsDrainedWhileTheToolRuns() {
        // Far more than a pipe holds: a runner that read only after the end would stall here
        // until the watchdog killed the tool, and the run would fail.
        const ToolResult result =
            runToEnd(script("chatty", "head -c 4194304 /dev/zero | tr '\\0' a; "
                                      "head -c 1048576 /dev/zero | tr '\\0' b >&2; echo done"),
                     {}, 30s);
        QVERIFY(result.success);
        QCOMPARE(result.output.size(), 4194304 + 5);
        QVERIFY(result.output.endsWith(QStringLiteral("adone\n")));
        QCOMPARE(result.error.size(), 1048576);
    }

    void toolPastItsTimeoutIsAskedToTerminate() {
        // The trap proves the tool received the termination request, not the kill.
        QElapsedTimer clock;
        clock.start();
        const ToolResult result =
            runToEnd(script("sleeper", "trap 'echo terminated; exit 143' TERM\n"
                                       "sleep 30 >/dev/null 2>&1 &\nwait"),
                     {}, 300ms);
        QVERIFY(!result.success);
        QCOMPARE(result.output, QStringLiteral("terminated\n"));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    }

    void toolIgnoringTerminationIsKilledHalfASecondLater() {
        QElapsedTimer clock;
        clock.start();
        const ToolResult result =
            runToEnd(script("stubborn", "trap '' TERM\necho started\nexec sleep 30"), {}, 300ms);
        const qint64 elapsed = clock.elapsed();
        QVERIFY(!result.success);
        QCOMPARE(result.output, QStringLiteral("started\n"));
        QVERIFY2(elapsed >= 780, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < 5000, qPrintable(QString::number(elapsed)));
    }

    void deletingTheOwnerEndsTheToolAndDropsItsResult() {
        // What a reset does to a download that hangs.
        const QString pidFile = dir_.filePath("pid");
        auto owner = std::make_unique<QObject>();
        bool announced = false;
        ToolRunner(script("hang", "echo $$ > '" + QFile::encodeName(pidFile) + "'\nexec sleep 30"))
            .run(owner.get(), {{}, 20s}, [&announced](const ToolResult&) { announced = true; });
        QTRY_VERIFY(!readTestFile(pidFile).isEmpty());
        const pid_t pid = readTestFile(pidFile).trimmed().toInt();
        owner.reset();
        QCOMPARE(::kill(pid, 0), -1); // ended and reaped, no zombie left
        QTest::qWait(100);
        QVERIFY(!announced);
    }

    void certificateThenHangCountsAsSuccess() {
        const ToolResult result =
            runToEnd(script("hanging", "echo '-----BEGIN CERTIFICATE-----'\necho MIIB\n"
                                       "echo '-----END CERTIFICATE-----'\nexec sleep 30"),
                     {}, 300ms);
        QVERIFY(result.success);
        QCOMPARE(result.output, QStringLiteral("-----BEGIN CERTIFICATE-----\nMIIB\n"
                                               "-----END CERTIFICATE-----\n"));
    }
};

QTEST_GUILESS_MAIN(ToolRunnerTest)
#include "tst_toolrunner.moc"
