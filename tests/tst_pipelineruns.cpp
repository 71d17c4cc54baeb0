#include "core/ContentView.h"
#include "pipeline/PemInspection.h"
#include "pipeline/PemText.h"
#include "support/LoopbackServers.h"
#include "support/RunWaiting.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedTool.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <memory>

using namespace std::chrono_literals;

namespace {

const QByteArray noFile = "<no file>";
const QByteArray hugeFile = "<huge file>";
const QByteArray nothingWritten = "<nothing written>";
const QString cancel = QStringLiteral("<cancel>");
const QString openssl = QStringLiteral("/usr/bin/openssl");

QString stepAt(ProcessingStep step, double progress) {
    return rawValue(step) + u' ' + QString::number(progress);
}

// What the user could see at the moment the status took its last value.
struct AtStatus {
    AtStatus(ContentView& view, QObject* context) {
        QObject::connect(&view, &ContentView::statusMessageChanged, context, [this, &view] {
            step = view.currentStep();
            log = view.debugOutput();
        });
    }
    ProcessingStep step = ProcessingStep::none;
    QString log;
};

} // namespace

class PipelineRunsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir base_;
    TestCertificates certs_;
    QByteArray leafDer_;
    QByteArray rootDer_;
    std::unique_ptr<TlsServer> server_;
    std::unique_ptr<QTemporaryDir> dir_; // the test's own TMPDIR and working folder

    QString path(const QString& name) const { return dir_->filePath(name); }
    void answerSave(ScriptedFileDialogs& dialogs, const QString& name) const {
        dialogs.answerSave(name == cancel ? std::nullopt
                                          : std::optional(QUrl::fromLocalFile(path(name))));
    }
    static void pick(ContentView& view, ScriptedFileDialogs& dialogs, const QString& file) {
        dialogs.answerOpen(QUrl::fromLocalFile(file));
        view.selectPemFile();
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(base_.isValid());
        const QString problem = certs_.create(base_.filePath("certificates"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        leafDer_ = derOfPemFile(certs_.leafPem);
        rootDer_ = derOfPemFile(certs_.rootPem);
        QVERIFY(!leafDer_.isEmpty() && !rootDer_.isEmpty() && leafDer_ != rootDer_);
        server_ = std::make_unique<TlsServer>();
        const QString serverProblem =
            server_->start(certs_.leafPem, certs_.leafKey, certs_.chainPem);
        QVERIFY2(serverProblem.isEmpty(), qPrintable(serverProblem));
    }

    void cleanupTestCase() { server_.reset(); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>(base_.filePath("test-XXXXXX"));
        QVERIFY(dir_->isValid());
        qputenv("TMPDIR", QFile::encodeName(dir_->path()));
    }

    void cleanup() { dir_.reset(); }

    void downloadsTheChainAndConvertsItsLeaf() {
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        LogRecorder log(view);
        QStringList steps;
        const auto recordStep = [&] { steps << stepAt(view.currentStep(), view.progress()); };
        connect(&view, &ContentView::currentStepChanged, this, recordStep);
        connect(&view, &ContentView::progressChanged, this, recordStep);

        const QString port = QString::number(server_->port());
        const QString destination = path("out file.der");
        QStringList foldersAtDialog;
        QByteArray chainAtDialog;
        dialogs.answerSaveWith([&] {
            foldersAtDialog = workingFolders(dir_->path());
            if (foldersAtDialog.size() == 1)
                chainAtDialog = readTestFile(foldersAtDialog[0] + "/downloaded_chain.pem");
            return std::optional(QUrl::fromLocalFile(destination));
        });
        view.setOutputName(QStringLiteral("sunucu"));
        view.setUrlString("  localhost:" + port + " \n");
        view.startConversion();
        QVERIFY(view.isProcessing());
        QVERIFY(waitForRunEnd(view));

        QCOMPARE(view.statusMessage(), succeededStatus("out file.der"));
        QVERIFY(view.isProcessing());
        QCOMPARE(readTestFile(destination), leafDer_);
        // s_client prints the blocks as the files hold them; one empty line between blocks.
        QCOMPARE(foldersAtDialog.size(), 1);
        const QString chainFile = foldersAtDialog[0] + "/downloaded_chain.pem";
        const QByteArray chain = readTestFile(certs_.leafPem) + '\n' +
                                 readTestFile(certs_.intermediatePem) + '\n' +
                                 readTestFile(certs_.rootPem);
        QCOMPARE(chainAtDialog, chain);
        QCOMPARE(dialogs.saveRequests.size(), 1);
        QCOMPARE(dialogs.saveRequests[0].title, QStringLiteral("DER Dosyasını Kaydet"));
        QCOMPARE(dialogs.saveRequests[0].proposedName, QStringLiteral("sunucu.der"));
        QCOMPARE(dialogs.saveRequests[0].allowedType, QStringLiteral("der"));

        // The output is far longer than 500 characters; the untrusted chain's complaint is
        // shorter than 300.
        QStringList messages = log.messages;
        QCOMPARE(messages.size(), 15);
        const QString outputHead = QStringLiteral("📤 çıktı (ilk 500 karakter):\n");
        const QString output = messages.takeAt(6);
        QVERIFY2(output.startsWith(outputHead + "CONNECTED(") && output.endsWith("..."),
                 qPrintable(output));
        QCOMPARE(output.size(), outputHead.size() + 500 + 3);
        const QString error = messages.takeAt(6);
        QVERIFY2(error.startsWith(QStringLiteral("⚠️ hata (ilk 300 karakter):\n")) &&
                     !error.endsWith("..."),
                 qPrintable(error));
        const QStringList expected{
            "🔍 Girilen URL: 'localhost:" + port + "'",
            "🔧 https öneki eklendi: 'https://localhost:" + port + "'",
            "🌐 Bağlanılan adres: localhost:" + port,
            "📁 Geçici dosya yolu: " + chainFile,
            "📥 Sertifika indirimi başlatılıyor...",
            "📥 İndirme sonucu: BAŞARILI",
            "📜 Bulunan sertifika sayısı: 3",
            "📊 Kaydedilen PEM dosya boyutu: " + QString::number(chain.size()) + " bytes",
            "✅ PEM dosyası doğrulaması başarılı",
            "🔄 PEM'den DER'e dönüştürme başlatılıyor...",
            "💾 Çıktı DER dosya yolu: " + destination,
            "🔧 x509 dönüştürme sonucu: BAŞARILI",
            "📊 Çıktı DER dosya boyutu: " + QString::number(leafDer_.size()) + " bytes"};
        QCOMPARE(messages, expected);

        // Every milestone in order (a step and its progress land one after the other).
        using enum ProcessingStep;
        const QStringList milestones{
            stepAt(downloading, 0.0), stepAt(downloading, 0.1), stepAt(downloading, 0.3),
            stepAt(downloading, 0.5), stepAt(downloading, 0.8), stepAt(downloaded, 0.9),
            stepAt(converting, 0.9),  stepAt(converting, 0.95), stepAt(completed, 1.0)};
        qsizetype reached = 0;
        for (const QString& step : steps)
            reached += reached < milestones.size() && step == milestones[reached];
        QVERIFY2(reached == milestones.size() && steps.last() == milestones.last() &&
                     !steps.join(u'|').contains(rawValue(failed)),
                 qPrintable(steps.join(" | ")));

        // The run's folder goes with the run, at the end of the busy state.
        QTRY_VERIFY_WITH_TIMEOUT(!view.isProcessing(), 10000);
        QTRY_COMPARE(workingFolders(dir_->path()), QStringList());
    }

    void busyStateOutlastsTheResultByItsFullTime() {
        // Measured from the final status to the end of the busy state, over a few runs: a timer
        // that may fire early does so in most of them.
        ScriptedFileDialogs dialogs;
        RunTimings timings;
        timings.busyEnd = 300ms;
        ContentView view(dialogs, openssl, timings);
        QElapsedTimer sinceResult;
        QList<qint64> lingered;
        connect(&view, &ContentView::statusMessageChanged, this, [&] {
            if (!view.statusMessage().isEmpty())
                sinceResult.start();
        });
        connect(&view, &ContentView::isProcessingChanged, this, [&] {
            if (!view.isProcessing())
                lingered << sinceResult.elapsed();
        });
        for (int run = 0; run < 3; ++run) {
            answerSave(dialogs, "out.der");
            view.setUrlString("localhost:" + QString::number(server_->port()));
            view.startConversion();
            QTRY_COMPARE_WITH_TIMEOUT(lingered.size(), run + 1, 15000);
            QCOMPARE(view.statusMessage(), succeededStatus("out.der"));
        }
        for (qint64 ms : lingered)
            QVERIFY2(ms >= 300, qPrintable(QStringLiteral("%1 ms").arg(ms)));
    }

    void successSaysWhatWasSaved_data() {
        QTest::addColumn<QString>("source"); // an address, or the picked files' contents
        QTest::addColumn<bool>("trusted");   // the chain's root is in the tool's trust store
        QTest::addColumn<QString>("count");  // the line about the other certificates, if any
        QTest::newRow("untrusted chain")
            << "localhost:{tls}" << false << "3 sertifikadan ilki kaydedildi";
        QTest::newRow("trusted chain")
            << "localhost:{tls}" << true << "3 sertifikadan ilki kaydedildi";
        QTest::newRow("file of two")
            << "leaf intermediate" << false << "2 sertifikadan ilki kaydedildi";
        QTest::newRow("file of one") << "root" << false << "";
    }

    void successSaysWhatWasSaved() {
        QFETCH(QString, source);
        QFETCH(bool, trusted);
        QFETCH(QString, count);
        if (trusted)
            qputenv("SSL_CERT_FILE", QFile::encodeName(certs_.rootPem));
        const auto untrust = qScopeGuard([] { qunsetenv("SSL_CERT_FILE"); });
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        answerSave(dialogs, "out.der");
        if (source.contains(u':')) {
            view.setUrlString(QString(source).replace("{tls}", QString::number(server_->port())));
        } else {
            QByteArray pem;
            for (const QString& name : source.split(u' '))
                pem += readTestFile(name == "leaf"           ? certs_.leafPem
                                    : name == "intermediate" ? certs_.intermediatePem
                                                             : certs_.rootPem);
            writeTestFile(path("picked.pem"), pem);
            pick(view, dialogs, path("picked.pem"));
        }
        view.startConversion();
        QVERIFY(waitForRunEnd(view));
        // A chain whose root is trusted nowhere is saved with a warning.
        QCOMPARE(view.statusKind(),
                 trusted || !source.contains(u':') ? StatusKind::success : StatusKind::warning);

        // What the tool itself reads in the file that was written.
        const ToolRun described =
            runOpenSslTool({"x509", "-inform", "der", "-in", path("out.der"), "-noout",
                            "-fingerprint", "-sha256", "-subject", "-issuer", "-enddate",
                            "-nameopt", "sep_comma_plus_space,sname,utf8,-esc_msb"});
        QVERIFY2(described.ok, qPrintable(described.problem));
        const auto field = [&](const char* pattern) {
            return QRegularExpression(QString::fromLatin1(pattern),
                                      QRegularExpression::MultilineOption)
                .match(QString::fromUtf8(described.output))
                .captured(1);
        };
        QDateTime end = QDateTime::fromString(field("^notAfter=(.+) GMT$").simplified(),
                                              QStringLiteral("MMM d HH:mm:ss yyyy"));
        end.setTimeZone(QTimeZone::utc());
        QVERIFY(end.isValid());
        const QStringList expected{
            "Konu: " + field("^subject=(.+)$"), "Veren: " + field("^issuer=(.+)$"),
            "Geçerlilik sonu: " +
                QLocale(QLocale::Turkish).toString(end.toLocalTime(), "d MMMM yyyy HH:mm") + " " +
                end.toLocalTime().timeZoneAbbreviation(),
            "SHA-256 parmak izi: " + field("Fingerprint=([0-9A-F:]{95})$")};
        QStringList lines = detailTexts(view);
        QVERIFY(lines.takeLast().startsWith(QStringLiteral("Klasör: /")));
        QCOMPARE(lines.mid(0, 4), expected);
        if (!count.isEmpty())
            QCOMPARE(lines.value(4), count);
        const bool warned = lines.last().contains(QStringLiteral("doğrulanamadı")) &&
                            lines.last().endsWith(QStringLiteral("Sertifika yine de kaydedildi."));
        QCOMPARE(warned, source.contains(u':') && !trusted);
        QCOMPARE(lines.size(), 4 + !count.isEmpty() + warned);
    }

    void downloadOutcomes_data() {
        QTest::addColumn<QString>(
            "url"); // {tls}, {plain}: the TLS server's and the listener's port
        QTest::addColumn<bool>("failingTool");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("status");

        QTest::newRow("capital scheme, no prefix")
            << "HTTPS://localhost:{tls}" << false
            << QStringList{"🔍 Girilen URL: 'HTTPS://localhost:{tls}'",
                           "🌐 Bağlanılan adres: localhost:{tls}", "*",
                           "🔧 x509 dönüştürme sonucu: BAŞARILI", "*"}
            << succeededStatus("out.der");
        // Pasted addresses: the path and query play no part, whatever they hold.
        for (const char* pasted :
             {"https://localhost:{tls}/a b", "localhost:{tls}/?q=a|b", "localhost:{tls}/x?y={z}"})
            QTest::newRow(pasted) << QString::fromUtf8(pasted) << false
                                  << QStringList{"*", "🌐 Bağlanılan adres: localhost:{tls}", "*",
                                                 "🔧 x509 dönüştürme sonucu: BAŞARILI", "*"}
                                  << succeededStatus("out.der");
        QTest::newRow("http means port 80")
            << "http://localhost" << true
            << QStringList{"🔍 Girilen URL: 'http://localhost'", "🌐 Bağlanılan adres: localhost:80",
                           "*", "📥 İndirme sonucu: BAŞARISIZ", "📜 Bulunan sertifika sayısı: 0"}
            << "❌ Sertifika zinciri indirilemedi";
        QTest::newRow("blanks only")
            << " \t " << false
            << QStringList{"🔍 Girilen URL: ''", "🔧 https öneki eklendi: 'https://'",
                           "❌ URL ayrıştırılamadı: 'https://'"}
            << "❌ Geçersiz URL";
        QTest::newRow("server speaking no TLS")
            << "127.0.0.1:{plain}" << false
            << QStringList{"🔍 Girilen URL: '127.0.0.1:{plain}'",
                           "🔧 https öneki eklendi: 'https://127.0.0.1:{plain}'",
                           "🌐 Bağlanılan adres: 127.0.0.1:{plain}",
                           "*",
                           "📥 İndirme sonucu: BAŞARISIZ",
                           "*",
                           "📜 Bulunan sertifika sayısı: 0"}
            << "❌ Sertifika zinciri indirilemedi";
    }

    void downloadOutcomes() {
        QFETCH(QString, url);
        QFETCH(bool, failingTool);
        QFETCH(QStringList, log);
        QFETCH(QString, status);
        PlainTextListener plain;
        QVERIFY(plain.isListening());
        const auto withPorts = [&](QString text) {
            return text.replace("{tls}", QString::number(server_->port()))
                .replace("{plain}", QString::number(plain.port()));
        };
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs,
                         failingTool ? writeShellScript(dir_->path(), "tool", "exit 1") : openssl);
        LogRecorder recorder(view);
        AtStatus atStatus(view, this);
        answerSave(dialogs, "out.der");
        view.setUrlString(withPorts(url));
        view.startConversion();
        QVERIFY(waitForRunEnd(view));

        QCOMPARE(view.statusMessage(), status);
        for (QString& line : log)
            line = withPorts(line);
        QVERIFY2(matchesLog(recorder.messages, log), qPrintable(recorder.messages.join("\n| ")));
        const bool success = status.startsWith(u'✅');
        QCOMPARE(view.currentStep(), success ? ProcessingStep::completed : ProcessingStep::failed);
        QCOMPARE(view.isProcessing(), success); // a failure ends the busy state at once
        // The test server's chain is trusted nowhere: saved, with a warning.
        QCOMPARE(view.statusKind(), success ? StatusKind::warning : StatusKind::failure);
        if (!success) {
            QVERIFY(atStatus.step != ProcessingStep::failed);
            QVERIFY(!atStatus.log.contains(log.last()));
        }
        QCOMPARE(dialogs.saveRequests.size(), success ? 1 : 0);
        QCOMPARE(readTestFile(path("out.der")), success ? leafDer_ : QByteArray());
    }

    void pickedFileRuns_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("answer");
        // What a stand-in for the tool writes, if one answers: bytes, or nothingWritten.
        QTest::addColumn<QByteArray>("standIn");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<ProcessingStep>("step");

        const QByteArray leaf = readTestFile(certs_.leafPem);
        const QString sizeLine =
            "📊 Çıktı DER dosya boyutu: " + QString::number(leafDer_.size()) + " bytes";
        const QString noBlock = QStringLiteral("❌ Sertifika bloğu bulunamadı");
        const QString noBlockLine = QStringLiteral("❌ PEM'de sertifika bloğu bulunamadı");
        const QString unreadable = QStringLiteral("❌ PEM dosyası okunamadı");
        const QString cancelled =
            QStringLiteral("⚠️ Kullanıcı dosya kaydetme işlemini iptal etti");
        const QString failedConversion = QStringLiteral("❌ Dönüştürme başarısız");
        using enum ProcessingStep;

        QTest::newRow("two certificates, the first converted")
            << leaf + readTestFile(certs_.intermediatePem) << "out.der" << QByteArray() << "out.der"
            << succeededStatus("out.der") << sizeLine << completed;
        QTest::newRow("destination named .pem")
            << leaf << "server.pem" << QByteArray() << "server.der" << succeededStatus("server.der")
            << sizeLine << completed;
        QTest::newRow("no BEGIN marker") << QByteArray("no certificate\n") << "out.der"
                                         << QByteArray() << "" << noBlock << noBlockLine << failed;
        QTest::newRow("BEGIN without END")
            << leaf.first(leaf.indexOf("-----END")) << "out.der" << QByteArray() << "" << noBlock
            << noBlockLine << failed;
        QTest::newRow("missing file")
            << noFile << "out.der" << QByteArray() << "" << unreadable << unreadable << failed;
        QTest::newRow("dialog cancelled") << leaf << cancel << QByteArray() << ""
                                          << "Kaydetme iptal edildi" << cancelled << none;
        QTest::newRow("dialog accepted without a file")
            << leaf << "" << QByteArray() << ""
            << "Kaydetme iptal edildi" << cancelled << none;
        // The tool converts in the run's folder; there is nowhere to put its file.
        QTest::newRow("destination folder missing")
            << leaf << "missing/out.der" << QByteArray() << "" << failedConversion
            << "❌ DER dosyası yazılamadı: {dir}/missing/out.der" << failed;
        QTest::newRow("tool writes nothing")
            << leaf << "out.der" << nothingWritten << "" << failedConversion
            << "🔧 x509 dönüştürme sonucu: BAŞARILI" << failed;
        // As openssl does on a full disk: exit 0, an empty file.
        QTest::newRow("tool writes an empty file")
            << leaf << "out.der" << QByteArray("") << "" << failedConversion
            << "🔧 x509 dönüştürme sonucu: BAŞARILI" << failed;
        QTest::newRow("file far larger than any bundle")
            << hugeFile << "out.der" << QByteArray() << "" << unreadable << unreadable << failed;
    }

    void pickedFileRuns() {
        QFETCH(QByteArray, content);
        QFETCH(QString, answer);
        QFETCH(QByteArray, standIn);
        QFETCH(QString, written);
        QFETCH(QString, lastLine);
        QFETCH(ProcessingStep, step);
        if (content == hugeFile) {
            // Sparse: it takes no room, and is refused before anything is read.
            QFile huge(path("picked.pem"));
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(PemText::maximumFileSize + 1));
        } else if (content != noFile) {
            writeTestFile(path("picked.pem"), content);
        }
        ScriptedFileDialogs dialogs;
        std::unique_ptr<ToolRunner> tool = std::make_unique<ToolRunner>();
        if (!standIn.isNull()) {
            tool = std::make_unique<ScriptedTool>(ScriptedTool().answer(ScriptedTool::writing(
                standIn == nothingWritten ? std::nullopt : std::optional(standIn))));
        }
        ContentView view(dialogs, std::move(tool), RunTimings());
        LogRecorder log(view);
        AtStatus atStatus(view, this);
        QSignalSpy busy(&view, &ContentView::isProcessingChanged);
        pick(view, dialogs, path("picked.pem"));
        if (answer.isEmpty())
            dialogs.answerSave(QUrl());
        else
            answerSave(dialogs, answer);
        view.startConversion();
        QVERIFY(waitForRunEnd(view));

        QTEST(view.statusMessage(), "status");
        lastLine.replace("{dir}", dir_->path());
        QCOMPARE(log.messages.value(log.messages.size() - 1), lastLine);
        QCOMPARE(view.currentStep(), step);
        QCOMPARE(view.progress(), step == ProcessingStep::none ? 0.0 : 1.0);
        QCOMPARE(view.statusKind(), step == ProcessingStep::completed ? StatusKind::success
                                    : step == ProcessingStep::failed  ? StatusKind::failure
                                                                      : StatusKind::notice);
        QCOMPARE(busy.count(), 0); // a picked file never makes the window busy
        if (step == ProcessingStep::failed) {
            // The status shows first; its step and log line follow through the queue.
            QVERIFY(atStatus.step != ProcessingStep::failed);
            QVERIFY(!atStatus.log.contains(lastLine));
        }
        // DER files with content: an empty one a tool left behind holds no certificate.
        QStringList derFiles;
        for (const QFileInfo& file : QDir(dir_->path()).entryInfoList({"*.der"}, QDir::Files))
            if (file.size() > 0)
                derFiles << file.fileName();
        QCOMPARE(derFiles, written.isEmpty() ? QStringList() : QStringList{written});
        if (!written.isEmpty())
            QCOMPARE(readTestFile(path(written)), leafDer_);
    }

    void saveDialogProposesAFileName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("a name") << "sunucu"
                                << "sunucu.der";
        QTest::newRow("nothing") << ""
                                 << "certificate.der";
        QTest::newRow("blanks") << "   "
                                << "certificate.der";
        QTest::newRow("blanks around") << " sunucu "
                                       << "sunucu.der";
        // A certificate's own extension is replaced, as the dialog replaces it; any other is
        // part of the name.
        QTest::newRow("a slash") << "a/b.pem"
                                 << "a-b.der";
        QTest::newRow("a host name") << "example.com"
                                     << "example.com.der";
        QTest::newRow("the extension typed") << "sunucu.DER"
                                             << "sunucu.DER";
    }

    void saveDialogProposesAFileName() {
        QFETCH(QString, typed);
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        view.setOutputName(typed);
        pick(view, dialogs, certs_.leafPem);
        view.startConversion();
        QTRY_COMPARE(dialogs.saveRequests.size(), 1);
        QTEST(dialogs.saveRequests[0].proposedName, "proposed");
    }

    void overlappingRunsConvertTheirOwnCertificate_data() {
        QTest::addColumn<bool>("fromFirstDialog"); // else started back to back
        QTest::addColumn<QString>("firstAnswer");
        QTest::newRow("second started from the first save dialog") << true << "a.der";
        QTest::newRow("back to back") << false << "a.der";
        QTest::newRow("first cancelled after starting the second") << true << cancel;
        QTest::newRow("first conversion failing") << false << "missing/a.der";
    }

    void overlappingRunsConvertTheirOwnCertificate() {
        QFETCH(bool, fromFirstDialog);
        QFETCH(QString, firstAnswer);
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        const auto startSecond = [&] {
            pick(view, dialogs, certs_.rootPem);
            view.startConversion();
        };
        QStringList ends;
        connect(&view, &ContentView::statusMessageChanged, this, [&] {
            if (!view.statusMessage().isEmpty())
                ends << view.statusMessage();
        });
        pick(view, dialogs, certs_.leafPem);
        if (fromFirstDialog) {
            dialogs.answerSaveWith([&]() -> std::optional<QUrl> {
                startSecond();
                if (firstAnswer == cancel)
                    return std::nullopt;
                return QUrl::fromLocalFile(path(firstAnswer));
            });
        } else {
            answerSave(dialogs, firstAnswer);
        }
        answerSave(dialogs, "b.der");
        view.startConversion();
        if (!fromFirstDialog)
            startSecond();

        // Each run ends on its own, in whichever order their tools finish.
        QTRY_COMPARE_WITH_TIMEOUT(ends.size(), 2, 15000);
        QVERIFY2(ends.contains(succeededStatus("b.der")), qPrintable(ends.join(" | ")));
        QCOMPARE(readTestFile(path("b.der")), rootDer_);
        QCOMPARE(readTestFile(path("a.der")), firstAnswer == "a.der" ? leafDer_ : QByteArray());
        QCOMPARE(dialogs.saveRequests.size(), 2);
    }

    void twoConvertersNeverShareWorkingFiles() {
        // As two windows: one downloads and keeps its save dialog open while the other converts
        // a picked file to its end.
        ScriptedFileDialogs dialogsA;
        ScriptedFileDialogs dialogsB;
        ContentView a(dialogsA);
        ContentView b(dialogsB);
        answerSave(dialogsA, "a.der");
        dialogsB.answerSaveWith([&] {
            pick(a, dialogsA, certs_.rootPem);
            a.startConversion();
            if (!waitForRunEnd(a))
                return std::optional<QUrl>();
            return std::optional(QUrl::fromLocalFile(path("b.der")));
        });
        b.setUrlString("localhost:" + QString::number(server_->port()));
        b.startConversion();
        QVERIFY(waitForRunEnd(b));

        QCOMPARE(a.statusMessage(), succeededStatus("a.der"));
        QCOMPARE(b.statusMessage(), succeededStatus("b.der"));
        QCOMPARE(readTestFile(path("a.der")), rootDer_);
        QCOMPARE(readTestFile(path("b.der")), leafDer_);
        QCOMPARE(detailTexts(b).value(0), "Konu: CN=localhost");
    }

    void validation_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("message"); // {path}: the file's path
        const QByteArray begin = QByteArray(beginCertificateMarker.latin1()) + "\nX\n";
        const QByteArray end = QByteArray(endCertificateMarker.latin1()) + '\n';
        const QString unreadable =
            QStringLiteral("⚠️ PEM dosyası boş veya okunamıyor: {path}");
        QTest::newRow("empty file") << QByteArray() << false << unreadable;
        QTest::newRow("missing file") << noFile << false << unreadable;
        QTest::newRow("END before BEGIN")
            << end + begin << true << "✅ PEM dosyası doğrulaması başarılı";
        QTest::newRow("BEGIN only") << begin << false << "❌ END CERTIFICATE satırı bulunamadı";
        QTest::newRow("END only") << end << false << "❌ BEGIN CERTIFICATE satırı bulunamadı";
    }

    void validation() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString file = path("check.pem");
        if (content != noFile)
            writeTestFile(file, content);
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        LogRecorder log(view);
        QTEST(view.validatePemFile(QUrl::fromLocalFile(file)), "valid");
        QVERIFY(drainPostedTasks(&view));
        QCOMPARE(log.messages, QStringList{message.replace("{path}", file)});
    }

    void temporaryFolderThatCannotBeMadeStopsTheRun_data() {
        QTest::addColumn<bool>("download");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("line");
        QTest::newRow("picked file") << false << "❌ Geçici dosya hatası"
                                     << "❌ Geçici dosya yazılamadı: ";
        // Before the tool runs: there would be nowhere to keep what it fetched.
        QTest::newRow("download") << true << "❌ PEM dosyası kaydedilemedi"
                                  << "❌ Yazma hatası: ";
    }

    void temporaryFolderThatCannotBeMadeStopsTheRun() {
        QFETCH(bool, download);
        QFETCH(QString, status);
        QFETCH(QString, line);
        writeTestFile(path("plain"), "x");
        const QString tmpdir = path("plain/tmp");
        qputenv("TMPDIR", QFile::encodeName(tmpdir));

        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        LogRecorder log(view);
        if (download)
            view.setUrlString("localhost:" + QString::number(server_->port()));
        else
            pick(view, dialogs, certs_.leafPem);
        view.startConversion();
        QVERIFY(waitForRunEnd(view));
        QCOMPARE(view.statusMessage(), status);
        QVERIFY2(log.messages.last().startsWith(line + tmpdir), qPrintable(log.messages.last()));
        QVERIFY(dialogs.saveRequests.isEmpty());
        QCOMPARE(workingFolders(QDir::currentPath()), QStringList());
    }
};

QTEST_GUILESS_MAIN(PipelineRunsTest)
#include "tst_pipelineruns.moc"
