#include "core/ContentView.h"
#include "pipeline/PemText.h"
#include "support/LoopbackServers.h"
#include "support/RunWaiting.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSslCertificate>
#include <QStringEncoder>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <fcntl.h>
#include <memory>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// notReplaced: the tool wrote the certificate, but nothing can take the destination's place.
enum class Outcome { converted, unreadable, noBlock, damaged, toolFails, notReplaced };

const QString openssl = QStringLiteral("/usr/bin/openssl");
const QString resetLine = QStringLiteral("[Reset] Tüm veriler temizlendi");
const QString noChain = QStringLiteral("❌ Sertifika zinciri indirilemedi");
const QByteArray missing = "<missing>";

QByteArray encoded(const QByteArray& text, QStringConverter::Encoding encoding,
                   const QByteArray& byteOrderMark) {
    QStringEncoder encoder(encoding);
    return byteOrderMark + QByteArray(encoder(QString::fromUtf8(text)));
}

// What a picked file's run logs, from its first line to its last.
QStringList conversionLog(Outcome outcome, const QString& source, const QString& destination,
                          qsizetype derSize) {
    QStringList log{QStringLiteral("🔄 PEM'den DER'e dönüştürme başlatılıyor...")};
    if (outcome == Outcome::unreadable)
        return log << QStringLiteral("❌ PEM dosyası okunamadı");
    if (outcome == Outcome::noBlock)
        return log << QStringLiteral("❌ PEM'de sertifika bloğu bulunamadı");
    if (outcome == Outcome::damaged)
        return log << QStringLiteral("❌ İlk sertifika bloğu bozuk: ") + source;
    log << QStringLiteral("💾 Çıktı DER dosya yolu: ") + destination;
    if (outcome == Outcome::toolFails)
        return log << QStringLiteral("🔧 x509 dönüştürme sonucu: BAŞARISIZ");
    if (outcome == Outcome::notReplaced)
        return log << QStringLiteral("🔧 x509 dönüştürme sonucu: BAŞARILI")
                   << QStringLiteral("❌ DER dosyası yazılamadı: ") + destination;
    return log << QStringLiteral("🔧 x509 dönüştürme sonucu: BAŞARILI")
               << "📊 Çıktı DER dosya boyutu: " + QString::number(derSize) + " bytes";
}

QString statusOf(Outcome outcome, const QString& derFileName) {
    switch (outcome) {
    case Outcome::converted:
        return succeededStatus(derFileName);
    case Outcome::unreadable:
        return QStringLiteral("❌ PEM dosyası okunamadı");
    case Outcome::noBlock:
        return QStringLiteral("❌ Sertifika bloğu bulunamadı");
    case Outcome::damaged:
    case Outcome::toolFails:
    case Outcome::notReplaced:
        return QStringLiteral("❌ Dönüştürme başarısız");
    }
    return QString();
}

void compareSnapshots(const QMap<QString, QByteArray>& actual,
                      const QMap<QString, QByteArray>& expected) {
    QCOMPARE(actual.keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(actual.value(it.key()) == it.value(), qPrintable(it.key() + " differs"));
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class BadInputsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir base_;
    TestCertificates certs_;
    QByteArray leafPem_;
    QByteArray leafDer_;
    TlsServer ipv6Server_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString tmpdir_;
    QHash<QString, QString> reasonsSeen_; // a reason without its names, by the row that gave it

    // Picked files and destinations live under files/, apart from TMPDIR, so that a snapshot of
    // files/ shows everything a run wrote where the person looks.
    QString files(const QString& name = QString()) const {
        return dir_->filePath(QStringLiteral("files/") + name);
    }
    void useTmpdir(const QString& name) {
        tmpdir_ = dir_->filePath(name);
        QVERIFY(QDir().mkpath(tmpdir_));
        qputenv("TMPDIR", QFile::encodeName(tmpdir_));
    }
    static void runPicked(ContentView& view, ScriptedFileDialogs& dialogs, const QString& file,
                          const QString& destination) {
        dialogs.answerOpen(QUrl::fromLocalFile(file));
        view.selectPemFile();
        dialogs.answerSave(QUrl::fromLocalFile(destination));
        view.startConversion();
    }
    QString missingTool() const { return dir_->filePath(QStringLiteral("no-such-openssl")); }
    // Runs openssl only once the release file exists, so a run stays in flight meanwhile.
    QString heldTool() const {
        return writeHeldTool(dir_->path(), releaseFile(), "/usr/bin/openssl");
    }
    // Reports its arguments on standard error and fails, reaching no network.
    QString argumentsTool() const {
        return writeShellScript(dir_->path(), "arguments-openssl", "echo \"$@\" >&2\nexit 1");
    }
    // The leaf with a few characters of its Base64 replaced by ones Base64 does not have.
    QByteArray damagedLeafPem() const {
        return QByteArray(leafPem_).replace(leafPem_.indexOf('\n') + 10, 4, "!@*~");
    }
    QString releaseFile() const { return dir_->filePath(QStringLiteral("release")); }
    QString ipv6Address() const { return "[::1]:" + QString::number(ipv6Server_.port()); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(base_.isValid());
        const QString problem = certs_.create(base_.filePath("certificates"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        leafPem_ = readTestFile(certs_.leafPem);
        leafDer_ = derOfPemFile(certs_.leafPem);
        QVERIFY(!leafDer_.isEmpty());
        const QString serverProblem =
            ipv6Server_.start(certs_.leafPem, certs_.leafKey, certs_.chainPem, "::1");
        QVERIFY2(serverProblem.isEmpty(), qPrintable(serverProblem));
    }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>(base_.filePath("test-XXXXXX"));
        QVERIFY(dir_->isValid());
        QVERIFY(QDir().mkpath(files()));
        useTmpdir("tmp");
    }

    void cleanup() { dir_.reset(); }

    void pickedFileContents_data() {
        QTest::addColumn<QByteArray>("filler"); // repeated to 64 MB in front of the content
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("tool"); // a shell body run instead of openssl, if any
        QTest::addColumn<Outcome>("outcome");
        using enum Outcome;

        QByteArray crlf = leafPem_;
        crlf.replace("\n", "\r\n");
        QByteArray nulInside = leafPem_;
        nulInside.insert(leafPem_.indexOf('\n') + 20, '\0');
        const QByteArray none;

        QTest::newRow("DER instead of PEM") << none << leafDer_ << none << unreadable;
        QTest::newRow("empty file") << none << none << none << noBlock;
        QTest::newRow("UTF-16 LE with BOM, CRLF")
            << none << encoded(crlf, QStringConverter::Utf16LE, "\xFF\xFE") << none << converted;
        QTest::newRow("UTF-16 BE with BOM")
            << none << encoded(leafPem_, QStringConverter::Utf16BE, "\xFE\xFF") << none
            << converted;
        // openssl itself refuses the whole file; the block alone converts.
        QTest::newRow("NULs around the block, one right after END")
            << none << QByteArray("\0\0x\0\n", 5) + leafPem_.chopped(1) + QByteArray("\0\0", 2)
            << none << converted;
        // Known before the save dialog: the tool would only fail on it.
        QTest::newRow("NUL inside the block") << none << nulInside << none << damaged;
        QTest::newRow("damaged Base64") << none << damagedLeafPem() << none << damaged;
        // Blocks the tool refuses, refused before the dialog; a stub it skips, skipped.
        const qsizetype endLine = leafPem_.indexOf("-----END");
        QTest::newRow("END on the last Base64 line")
            << none << QByteArray(leafPem_).remove(endLine - 1, 1) << none << noBlock;
        QTest::newRow("Base64 one character too long")
            << none << QByteArray(leafPem_).insert(endLine - 1, 'A') << none << damaged;
        QTest::newRow("BEGIN and END on one line first")
            << none << "-----BEGIN CERTIFICATE-----END CERTIFICATE-----\n" + leafPem_ << none
            << converted;
        QTest::newRow("END line without line break")
            << none << leafPem_.chopped(1) << none << converted;
        QTest::newRow("64 MB of text first")
            << QByteArray("dolgu satırı: ğüşıöç İ — sertifika değil\n") << leafPem_ << none
            << converted;
        QTest::newRow("tool missing") << none << leafPem_ << missing << toolFails;
        // The replaced file keeps its bytes when the write fails: no room, or the watchdog.
        QTest::newRow("tool stopped by a file-size limit")
            << none << leafPem_ << QByteArray("ulimit -f 0; exec /usr/bin/openssl \"$@\"")
            << toolFails;
        QTest::newRow("tool writes part, then hangs")
            << none << leafPem_
            << QByteArray("for a; do out=$a; done; printf partial > \"$out\"; exec sleep 60")
            << toolFails;
    }

    void pickedFileContents() {
        QFETCH(QByteArray, filler);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, tool);
        QFETCH(Outcome, outcome);
        const QString picked = files("picked.pem");
        const QString destination = files("out.der");
        writeTestFile(picked, filler.isEmpty()
                                  ? content
                                  : filler.repeated((64 << 20) / filler.size()) + content);
        writeTestFile(destination, "önceki dosya\n"); // replaced only by a conversion
        QVERIFY(QFile::setPermissions(destination,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QFile::Permissions permissions = QFileInfo(destination).permissions();
        QMap<QString, QByteArray> expected = folderSnapshot(files());

        ScriptedFileDialogs dialogs;
        ContentView view(dialogs,
                         tool.isEmpty()    ? openssl
                         : tool == missing ? missingTool()
                                           : writeShellScript(dir_->path(), "tool", tool),
                         quickTimings);
        LogRecorder log(view);
        runPicked(view, dialogs, picked, destination);
        QVERIFY(waitForRunEnd(view));

        QCOMPARE(view.statusMessage(), statusOf(outcome, "out.der"));
        QCOMPARE(view.currentStep(), outcome == Outcome::converted ? ProcessingStep::completed
                                                                   : ProcessingStep::failed);
        QCOMPARE(log.messages, conversionLog(outcome, picked, destination, leafDer_.size()));
        const bool converting = outcome == Outcome::converted || outcome == Outcome::toolFails;
        QCOMPARE(dialogs.saveRequests.size(), converting ? 1 : 0);
        if (outcome == Outcome::converted)
            expected["out.der"] = leafDer_;
        compareSnapshots(folderSnapshot(files()), expected);
        QCOMPARE(QFileInfo(destination).permissions(), permissions);
    }

    void resultLandsWhereChosen_data() {
        QTest::addColumn<QString>("tmpdir");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("answer");      // what the save dialog returns
        QTest::addColumn<QString>("destination"); // what the tool is told to write
        QTest::addColumn<QString>("existing");    // there before: a file, or a folder as "name/"
        QTest::addColumn<bool>("converts");
        const auto row = [](const char* name, const char* tmpdir, const char* picked,
                            const char* answer, const char* destination, const char* existing,
                            bool converts) {
            QTest::newRow(name) << QString::fromUtf8(tmpdir) << QString::fromUtf8(picked)
                                << QString::fromUtf8(answer) << QString::fromUtf8(destination)
                                << QString::fromUtf8(existing) << converts;
        };
        row("blanks", "t m p", "my certs/a b.pem", "out dir/c d.pem", "out dir/c d.der", "", true);
        row("Turkish letters", "geçici ış ğ", "ışık/şeker ğ.pem", "çıktı/ağaç ılık",
            "çıktı/ağaç ılık.der", "", true);
        row("leading dash", "-tmp", "-in.pem", "-out", "-out.der", "", true);
        row("line breaks", "t\nmp", "a\nb.pem", "c\nd.pem", "c\nd.der", "", true);
        row("characters special in URLs", "tmp", "a#b?%41.pem", "c#d?%20e", "c#d?%20e.der", "",
            true);
        row("existing file replaced", "tmp", "a.pem", "old.der", "old.der", "old.der", true);
        row("folder named x.der", "tmp", "a.pem", "x.der", "x.der", "x.der/", false);
        row("x.pem while x.der is a folder", "tmp", "a.pem", "x.pem", "x.der", "x.der/", false);
    }

    void resultLandsWhereChosen() {
        QFETCH(QString, tmpdir);
        QFETCH(QString, picked);
        QFETCH(QString, answer);
        QFETCH(QString, destination);
        QFETCH(QString, existing);
        QFETCH(bool, converts);
        useTmpdir(tmpdir);
        writeTestFile(files(picked), leafPem_);
        QVERIFY(QDir().mkpath(QFileInfo(files(answer)).path()));
        if (existing.endsWith(u'/'))
            writeTestFile(files(existing + "keep.txt"), "dokunulmamalı\n");
        else if (!existing.isEmpty())
            writeTestFile(files(existing), "eski içerik\n");
        QMap<QString, QByteArray> expected = folderSnapshot(files());

        ScriptedFileDialogs dialogs;
        ContentView view(dialogs, openssl, quickTimings);
        LogRecorder log(view);
        dialogs.answerOpen(QUrl::fromLocalFile(files(picked)));
        view.selectPemFile();
        QStringList workingFiles;
        dialogs.answerSaveWith([&] {
            for (const QString& folder : workingFolders(tmpdir_))
                workingFiles << QDir(folder).entryList(QDir::Files);
            return std::optional(QUrl::fromLocalFile(files(answer)));
        });
        view.startConversion();
        QVERIFY(waitForRunEnd(view));

        const Outcome outcome = converts ? Outcome::converted : Outcome::notReplaced;
        QCOMPARE(view.statusMessage(), statusOf(outcome, QFileInfo(files(destination)).fileName()));
        QCOMPARE(log.messages,
                 conversionLog(outcome, files(picked), files(destination), leafDer_.size()));
        if (converts)
            expected[destination] = leafDer_;
        compareSnapshots(folderSnapshot(files()), expected);
        // The working copy went to the run's own folder under this TMPDIR, gone with the run.
        QCOMPARE(workingFiles, QStringList{"first_cert.pem"});
        QTRY_COMPARE(folderSnapshot(tmpdir_), (QMap<QString, QByteArray>()));
    }

    void awkwardDownloads_data() {
        QTest::addColumn<QString>("url");  // {v6}: the IPv6 server's port, {noise}: the noisy one's
        QTest::addColumn<QString>("tool"); // openssl, missing, or arguments (reports them)
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("error"); // a pattern the "⚠️ hata" line matches; empty: none
        QTest::addColumn<bool>("converts");

        QTest::newRow("IPv6 literal")
            << "[::1]:{v6}"
            << "openssl" << QStringList{"🔍 Girilen URL: '[::1]:{v6}'",
                                        "🔧 https öneki eklendi: 'https://[::1]:{v6}'",
                                        "🌐 Bağlanılan adres: [::1]:{v6}",
                                        "*",
                                        "📥 İndirme sonucu: BAŞARILI",
                                        "*",
                                        "📜 Bulunan sertifika sayısı: 3",
                                        "*",
                                        "🔧 x509 dönüştürme sonucu: BAŞARILI",
                                        "*"}
            << "" << true;
        // The tool only reports what it was given: a name lookup would leave the machine.
        QTest::newRow("internationalised name")
            << "bücher.invalid:4433"
            << "arguments"
            << QStringList{"🔍 Girilen URL: 'bücher.invalid:4433'",
                           "🔧 https öneki eklendi: 'https://bücher.invalid:4433'",
                           "🌐 Bağlanılan adres: xn--bcher-kva.invalid:4433",
                           "*",
                           "📥 İndirme sonucu: BAŞARISIZ",
                           "*",
                           "📜 Bulunan sertifika sayısı: 0"}
            << "\\ns_client -showcerts -verify_return_error -connect xn--bcher-kva.invalid:4433 "
               "-servername xn--bcher-kva.invalid\\n$"
            << false;
        QTest::newRow("megabytes of noise, then hang-up")
            << "127.0.0.1:{noise}"
            << "openssl" << QStringList{"*", "🌐 Bağlanılan adres: 127.0.0.1:{noise}",
                                        "*", "📥 İndirme sonucu: BAŞARISIZ",
                                        "*", "📜 Bulunan sertifika sayısı: 0"}
            << "" << false;
        QTest::newRow("tool missing")
            << "[::1]:{v6}"
            << "missing"
            << QStringList{"*", "📥 Sertifika indirimi başlatılıyor...",
                           "📥 İndirme sonucu: BAŞARISIZ", "*", "📜 Bulunan sertifika sayısı: 0"}
            << "^⚠️ hata \\(ilk 300 karakter\\):\\nProcess hatası: \\S" << false;
    }

    void awkwardDownloads() {
        QFETCH(QString, url);
        QFETCH(QString, tool);
        QFETCH(QStringList, log);
        QFETCH(QString, error);
        QFETCH(bool, converts);
        QByteArray noise(4 << 20, Qt::Uninitialized);
        QRandomGenerator(20240601).fillRange(reinterpret_cast<quint32*>(noise.data()),
                                             noise.size() / 4);
        const LoopbackListener noisy(noise, LoopbackListener::Ending::hangUp);
        QVERIFY(noisy.isListening());
        const auto withPorts = [&](QString text) {
            return text.replace("{v6}", QString::number(ipv6Server_.port()))
                .replace("{noise}", QString::number(noisy.port()));
        };

        ScriptedFileDialogs dialogs;
        ContentView view(dialogs, tool == "missing"     ? missingTool()
                                  : tool == "arguments" ? argumentsTool()
                                                        : openssl);
        LogRecorder recorder(view);
        dialogs.answerSave(QUrl::fromLocalFile(files("out.der")));
        view.setUrlString(withPorts(url));
        view.startConversion();
        // Well inside the 20-second watchdog: each of these ends on its own.
        QVERIFY(waitForRunEnd(view, 18000));

        QCOMPARE(view.statusMessage(), converts ? succeededStatus("out.der") : noChain);
        for (QString& line : log)
            line = withPorts(line);
        QVERIFY2(matchesLog(recorder.messages, log), qPrintable(recorder.messages.join("\n| ")));
        if (!error.isEmpty()) {
            const QStringList errors =
                recorder.messages.filter(QRegularExpression(QStringLiteral("^⚠️ hata")));
            QCOMPARE(errors.size(), 1);
            const QRegularExpression pattern(error, QRegularExpression::DotMatchesEverythingOption);
            QVERIFY2(pattern.match(errors[0]).hasMatch(), qPrintable(errors[0]));
        }
        // The tool's connection, then one to hear what the service that is no TLS says first.
        QCOMPARE(noisy.connections(), url.contains("{noise}") ? 2 : 0);
        QMap<QString, QByteArray> expected;
        if (converts)
            expected["out.der"] = leafDer_;
        compareSnapshots(folderSnapshot(files()), expected);
    }

    void failureSaysWhy_data() {
        QTest::addColumn<QString>("source");  // an address, or "file" for the picked content
        QTest::addColumn<QByteArray>("tool"); // a shell body run instead of openssl, if any
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("answer"); // the save dialog's, under files/
        QTest::addColumn<QString>("names");  // what the reason names; {…} as in the source

        const auto download = [](const char* row, const char* source, const QByteArray& tool,
                                 const char* names) {
            QTest::newRow(row) << source << tool << QByteArray() << "out.der" << names;
        };
        const auto picked = [](const char* row, const QByteArray& content, const QByteArray& tool,
                               const char* answer, const char* names) {
            QTest::newRow(row) << "file" << tool << content << answer << names;
        };
        // Stand-ins say what the tool says where a test cannot reach the network.
        download("connection refused", "127.0.0.1:{closed}", "", "127.0.0.1:{closed}");
        download("server speaking no TLS", "127.0.0.1:{plain}", "", "127.0.0.1:{plain}");
        download("host not found", "nonexistent.invalid",
                 "echo '80FB:error:10080002:BIO routines:BIO_lookup_ex:system lib:bio_addr.c:746:"
                 "Name or service not known' >&2; echo connect:errno=0 >&2; exit 1",
                 "nonexistent.invalid");
        download("network unreachable", "192.0.2.1", "echo connect:errno=101 >&2; exit 1",
                 "192.0.2.1:443");
        download("handshake refused", "localhost:8443",
                 "echo '80EB:error:0A000410:SSL routines:ssl3_read_bytes:sslv3 alert handshake "
                 "failure:rec_layer_s3.c:1601:SSL alert number 40' >&2; exit 1",
                 "localhost:8443");
        download("tool missing", "localhost", missing, "no-such-openssl");
        download("tool not executable", "localhost", "<not executable>", "tool");
        download("tool too old", "localhost", "<too old>",
                 "tool «OpenSSL 1.1.1w  11 Sep 2023» diyor; OpenSSL 3.0 ya da daha yenisi");
        picked("tool too old, for a file", leafPem_, "<too old>", "out.der", "OpenSSL 3.0");
        download("blanks only", "   ", "", "");
        download("port out of range", "localhost:99999", "", "99999");
        download("no host", "https://:443", "", "https://:443");
        download("no address at all", "a b", "", "a b");
        download("IPv6 address without brackets", "::1:44303", "", "[::1]:44303");
        download("mail server asked for TLS at once", "127.0.0.1:{smtp}",
                 "echo '80EB:error:0A00010B:SSL routines:ssl3_get_record:wrong version number:"
                 "record/ssl3_record.c:354:' >&2; exit 1",
                 "bir SMTP sunucusu («220 mail.example.com ESMTP») var. STARTTLS ile almak için şu "
                 "adresi deneyin: smtp://127.0.0.1:{smtp}");
        download("directory refuses StartTLS", "ldap://127.0.0.1:{closed}",
                 "echo 'STARTTLS failed, LDAP Result Code: 2' >&2; exit 1",
                 "LDAP sunucusu 127.0.0.1:{closed} StartTLS isteğini reddetti (sonuç kodu 2)");
        download("database without TLS", "mysql://127.0.0.1:{closed}",
                 "echo 'MySQL server does not support SSL.' >&2; exit 1",
                 "127.0.0.1:{closed} adresindeki veritabanı sunucusunda TLS açık değil.");
        download("scheme with no certificate", "gopher://example.com", "", "imaps://");
        picked("DER file", leafDer_, "", "out.der", "picked.pem");
        picked("empty file", "", "", "out.der", "picked.pem");
        picked("key without certificate", readTestFile(certs_.leafKey), "", "out.der",
               "picked.pem");
        picked("file too large", "{huge}", "", "out.der", "picked.pem");
        picked("a folder", "{folder}", "", "out.der", "picked.pem");
        picked("damaged certificate", damagedLeafPem(), "", "out.der", "picked.pem");
        picked("destination folder missing", leafPem_, "", "missing/out.der", "missing");
        picked("folder that takes no files", leafPem_, "", "{proc}", "/proc");
        picked("no room left", leafPem_, "ulimit -f 0; exec /usr/bin/openssl \"$@\"", "out.der",
               "out.der");
    }

    void failureSaysWhy() {
        QFETCH(QString, source);
        QFETCH(QByteArray, tool);
        QFETCH(QByteArray, content);
        QFETCH(QString, answer);
        QFETCH(QString, names);
        const PlainTextListener plain;
        const LoopbackListener smtp("220 mail.example.com ESMTP\r\n",
                                    LoopbackListener::Ending::stayOpen);
        quint16 closed = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            closed = probe.serverPort();
        }
        const auto placed = [&](QString text) {
            return text.replace("{closed}", QString::number(closed))
                .replace("{plain}", QString::number(plain.port()))
                .replace("{smtp}", QString::number(smtp.port()));
        };
        const QString picked = files("picked.pem");
        if (content == "{huge}") {
            QFile huge(picked);
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(PemText::maximumFileSize + 1));
        } else if (content == "{folder}") {
            QVERIFY(QDir().mkpath(picked));
        } else if (source == "file") {
            writeTestFile(picked, content);
        }
        QString toolPath = openssl;
        if (tool == missing) {
            toolPath = missingTool();
        } else if (tool == "<not executable>") {
            toolPath = dir_->filePath("tool");
            writeTestFile(toolPath, "#!/bin/sh\n");
        } else if (!tool.isEmpty()) {
            toolPath = writeShellScript(
                dir_->path(), "tool",
                tool == "<too old>" ? "[ \"$1\" = version ] && echo 'OpenSSL 1.1.1w  11 Sep "
                                      "2023'; exec /usr/bin/openssl \"$@\""
                                    : tool);
        }
        ScriptedFileDialogs dialogs;
        // The version is checked where the tool was located, as the app's own is.
        ContentView view(dialogs, std::make_unique<ToolRunner>(toolPath, tool == "<too old>"),
                         RunTimings());
        if (source == "file") {
            runPicked(view, dialogs, picked,
                      answer == "{proc}" ? QStringLiteral("/proc/out.der") : files(answer));
        } else {
            view.setUrlString(placed(source));
            view.startConversion();
        }
        QVERIFY(waitForRunEnd(view));

        QCOMPARE(view.statusKind(), StatusKind::failure);
        const QString reason = view.report().reason;
        names = placed(names);
        QVERIFY2(reason.contains(names), qPrintable(reason));
        static const QRegularExpression turkish(QStringLiteral("[çğıöşüİ]"));
        static const QRegularExpression toolWords(QStringLiteral("error|errno|routines"));
        QVERIFY2(turkish.match(reason).hasMatch() && !toolWords.match(reason).hasMatch(),
                 qPrintable(reason));
        // Each kind has its own words, apart from the name it gives.
        const QString kind = QString(reason).remove(names);
        QVERIFY2(reasonsSeen_.value(kind, QTest::currentDataTag()) == QTest::currentDataTag(),
                 qPrintable(reason + " | also " + reasonsSeen_.value(kind)));
        reasonsSeen_.insert(kind, QTest::currentDataTag());
    }

    void abandonedRunChangesNothing_data() {
        QTest::addColumn<int>("runs");        // picked-file runs; none: a download
        QTest::addColumn<QString>("resetAt"); // "start", "tool" (while it runs) or "dialog"
        QTest::addColumn<bool>("thenNewRun");
        QTest::newRow("download, reset at once") << 0 << "start" << false;
        QTest::newRow("download, reset while the tool runs") << 0 << "tool" << false;
        QTest::newRow("conversion, reset while its file is read") << 1 << "start" << false;
        QTest::newRow("conversion, reset while the tool runs") << 1 << "tool" << false;
        QTest::newRow("conversion, reset in the save dialog") << 1 << "dialog" << false;
        QTest::newRow("download, reset, then a new download") << 0 << "tool" << true;
        QTest::newRow("two conversions, reset, then a new one") << 2 << "tool" << true;
    }

    void abandonedRunChangesNothing() {
        QFETCH(int, runs);
        QFETCH(QString, resetAt);
        QFETCH(bool, thenNewRun);
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs, heldTool());
        const auto start = [&] {
            if (runs == 0)
                view.setUrlString(ipv6Address());
            else
                view.pickPemFile(QUrl::fromLocalFile(certs_.leafPem));
            view.startConversion();
        };
        int changes = 0;
        const auto watch = [&] {
            for (auto changed :
                 {&ContentView::statusMessageChanged, &ContentView::currentStepChanged,
                  &ContentView::progressChanged, &ContentView::isProcessingChanged})
                connect(&view, changed, this, [&] { ++changes; });
        };
        LogRecorder log(view);
        if (resetAt == "dialog") {
            dialogs.answerSaveWith([&] {
                view.resetAll();
                watch();
                return std::optional(QUrl::fromLocalFile(files("out.der")));
            });
        }
        for (int i = 0; i < qMax(runs, 1); ++i) {
            if (resetAt != "dialog")
                dialogs.answerSave(QUrl::fromLocalFile(files("out.der")));
            start();
        }
        const QString pids = releaseFile() + ".pids";
        if (resetAt == "tool")
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(pids), 10000);
        if (resetAt != "dialog") {
            view.resetAll();
            watch();
        }
        // Its tool is ended, well before any watchdog.
        for (const QByteArray& pid : readTestFile(pids).split('\n')) {
            if (!pid.isEmpty())
                QTRY_VERIFY_WITH_TIMEOUT(::kill(pid.toInt(), 0) != 0, 5000);
        }
        QTest::qWait(300); // time for a result the tool's end would post
        QVERIFY(drainPostedTasks(&view));
        const qsizetype dialogsBefore = dialogs.saveRequests.size();
        QCOMPARE(log.messages.mid(log.messages.lastIndexOf(resetLine)), QStringList{resetLine});
        QCOMPARE(changes, 0);
        QVERIFY(!view.isProcessing() && view.statusMessage().isEmpty());
        QCOMPARE(folderSnapshot(files()), (QMap<QString, QByteArray>()));
        QCOMPARE(folderSnapshot(tmpdir_), (QMap<QString, QByteArray>()));

        if (!thenNewRun)
            return;
        writeTestFile(releaseFile(), QByteArray());
        dialogs.answerSave(QUrl::fromLocalFile(files("out.der")));
        start();
        QVERIFY(waitForRunEnd(view));
        QCOMPARE(view.statusMessage(), succeededStatus("out.der"));
        QCOMPARE(folderSnapshot(files()), (QMap<QString, QByteArray>{{"out.der", leafDer_}}));
        QCOMPARE(dialogs.saveRequests.size(), dialogsBefore + 1);
        QCOMPARE(view.debugOutput().count(QStringLiteral("🔧 x509 dönüştürme sonucu: BAŞARILI")), 1);
    }

    void replacingFollowsTheSaveRules_data() {
        QTest::addColumn<bool>("folderTakesNewFiles");
        QTest::addColumn<int>("mode");        // the existing x.der's; 0: there is none
        QTest::addColumn<QByteArray>("tool"); // a shell body run instead of openssl, if any
        QTest::addColumn<QByteArray>("left"); // what x.der holds afterwards: leaf, old or none
        QTest::addColumn<QString>("reason");  // a part of it; empty: success
        const auto row = [](const char* name, bool folder, int mode, const QByteArray& tool,
                            const QByteArray& left, const char* reason) {
            QTest::newRow(name) << folder << mode << tool << left << QString::fromUtf8(reason);
        };
        row("writable file, writable folder", true, 0640, "", "leaf", "");
        row("write-protected file", true, 0444, "", "old", "değiştirme izniniz yok");
        row("folder takes no new file: written in place", false, 0644, "", "leaf", "");
        // The app may write 4 KB a file; the tool's output is larger.
        row("in place, no room for the whole file", false, 0644,
            "ulimit -f unlimited; for a; do out=$a; done; head -c 8192 /dev/zero > \"$out\"", "old",
            "yazılamadı");
        row("in place, the tool leaves it empty", false, 0644,
            "for a; do out=$a; done; : > \"$out\"", "old", "yazılamadı");
        row("no file, folder takes none", false, 0, "", "none", "yazma izniniz yok");
    }

    void replacingFollowsTheSaveRules() {
        if (::geteuid() == 0)
            QSKIP("root may write anything: tst_badinputs_as_user runs this as an ordinary user");
        QFETCH(bool, folderTakesNewFiles);
        QFETCH(int, mode);
        QFETCH(QByteArray, tool);
        QFETCH(QByteArray, left);
        QFETCH(QString, reason);
        const QString folder = files("out");
        const QString destination = folder + "/x.der";
        QVERIFY(QDir().mkpath(folder));
        if (mode != 0) {
            writeTestFile(destination, "önceki dosya\n");
            QCOMPARE(::chmod(QFile::encodeName(destination).constData(), mode_t(mode)), 0);
        }
        const QByteArray folderPath = QFile::encodeName(folder);
        QCOMPARE(::chmod(folderPath.constData(), folderTakesNewFiles ? 0755 : 0555), 0);
        const auto writable = qScopeGuard([&] { ::chmod(folderPath.constData(), 0755); });

        // A write past the limit fails with EFBIG rather than ending the test.
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        const rlimit small{4096, RLIM_INFINITY};
        const auto restored = qScopeGuard([&] {
            ::setrlimit(RLIMIT_FSIZE, &unlimited);
            ::signal(SIGXFSZ, SIG_DFL);
        });
        QVERIFY(::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && ::setrlimit(RLIMIT_FSIZE, &small) == 0);

        ScriptedFileDialogs dialogs;
        ContentView view(dialogs,
                         tool.isEmpty() ? openssl : writeShellScript(dir_->path(), "tool", tool),
                         quickTimings);
        LogRecorder log(view);
        runPicked(view, dialogs, certs_.leafPem, destination);
        QVERIFY(waitForRunEnd(view));

        QCOMPARE(view.statusKind(), reason.isEmpty() ? StatusKind::success : StatusKind::failure);
        QVERIFY2(detailTexts(view).join(u'\n').contains(reason),
                 qPrintable(detailTexts(view).join(u'\n')));
        const QMap<QString, QByteArray> expected{{"x.der", left == "leaf"  ? leafDer_
                                                           : left == "old" ? "önceki dosya\n"
                                                                           : QByteArray()}};
        QCOMPARE(folderSnapshot(folder), (left == "none" ? QMap<QString, QByteArray>() : expected));
        struct stat info {};
        if (mode != 0 && ::stat(QFile::encodeName(destination).constData(), &info) == 0)
            QCOMPARE(int(info.st_mode & 07777), mode);
        // A tool that did not run has no line.
        QCOMPARE(log.messages.filter("x509").isEmpty(), mode == 0444);
    }

    void warningsAreAlwaysChecked_data() {
        QTest::addColumn<QString>("source"); // "file" for the leaf picked, or its server at ::1
        QTest::addColumn<QString>("at");     // the clock: "now", or a day around the leaf's dates
        QTest::addColumn<QStringList>("warnings"); // each line, "*" standing for anything
        QTest::newRow("valid, picked") << "file"
                                       << "now" << QStringList();
        QTest::newRow("expired") << "file"
                                 << "end+1d"
                                 << QStringList{"Sertifikanın süresi dolmuş: * 20* * tarihinde "
                                                "sona erdi."};
        QTest::newRow("not yet valid")
            << "file"
            << "start-1d"
            << QStringList{"Sertifika henüz geçerli değil: * 20* * tarihinde başlıyor."};
        QTest::newRow("ends within 30 days")
            << "file"
            << "end-10d"
            << QStringList{"Sertifikanın süresi yakında doluyor: * tarihinde sona eriyor "
                           "(10 gün kaldı)."};
        // Issued for localhost and 127.0.0.1, served at ::1; expired as well, from a root this
        // computer does not trust: each is said, whatever the tool stopped at.
        QTest::newRow("address not in the names, expired, untrusted")
            << "server"
            << "end+1d"
            << QStringList{"Sertifikanın süresi dolmuş: *",
                           "Sertifika ::1 için verilmemiş; verildiği adlar: localhost, "
                           "127.0.0.1.",
                           "*doğrulanamadı*"};
    }

    void warningsAreAlwaysChecked() {
        QFETCH(QString, source);
        QFETCH(QString, at);
        QFETCH(QStringList, warnings);
        const QSslCertificate leaf = QSslCertificate::fromPath(certs_.leafPem).value(0);
        static QDateTime clock;
        clock = at == "now"        ? QDateTime::currentDateTimeUtc()
                : at == "end+1d"   ? leaf.expiryDate().addDays(1)
                : at == "start-1d" ? leaf.effectiveDate().addDays(-1)
                                   : leaf.expiryDate().addDays(-10).addSecs(-3600);
        RunTimings timings = quickTimings;
        timings.now = [] { return clock; };
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs, openssl, timings);
        dialogs.answerSave(QUrl::fromLocalFile(files("out.der")));
        if (source == "file")
            view.pickPemFile(QUrl::fromLocalFile(certs_.leafPem));
        else
            view.setUrlString(ipv6Address());
        view.startConversion();
        QVERIFY(waitForRunEnd(view));

        const QStringList said = view.report().warnings;
        QCOMPARE(said.size(), warnings.size());
        for (qsizetype i = 0; i < said.size(); ++i) {
            const QRegularExpression pattern(
                QRegularExpression::wildcardToRegularExpression(warnings[i]));
            QVERIFY2(pattern.match(said[i]).hasMatch(), qPrintable(said[i]));
        }
    }

    void namedPipePickedIsRefusedAtOnce() {
        const QByteArray pipe = QFile::encodeName(files("pipe.pem"));
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        // A writer that turns up a second late; without one, opening the pipe waits forever.
        // Non-blocking, so that it never waits for a reader that does not come.
        std::atomic<bool> writerCame = false;
        std::thread writer([&] {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            writerCame = true;
            if (const int fd = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                [[maybe_unused]] const ssize_t written = ::write(fd, "x", 1);
                ::close(fd);
            }
        });
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        dialogs.answerOpen(QUrl::fromLocalFile(files("pipe.pem")));
        view.selectPemFile();
        view.startConversion();
        const bool waitedForWriter = writerCame;
        writer.join();
        QVERIFY(waitForRunEnd(view));

        QVERIFY(!waitedForWriter);
        QCOMPARE(view.statusMessage(), QStringLiteral("❌ PEM dosyası okunamadı"));
        QVERIFY(dialogs.saveRequests.isEmpty());
    }

    void busyStateBelongsToTheNewestRun_data() {
        QTest::addColumn<bool>("firstFromFile"); // else a download
        QTest::addColumn<bool>("resetBetween");
        QTest::newRow("a picked file's delayed end, during a download") << true << false;
        QTest::newRow("an abandoned download's delayed end, during a new one") << false << true;
    }

    void busyStateBelongsToTheNewestRun() {
        QFETCH(bool, firstFromFile);
        QFETCH(bool, resetBetween);
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs, heldTool(), quickTimings);
        writeTestFile(releaseFile(), QByteArray());
        dialogs.answerSave(QUrl::fromLocalFile(files("a.der")));
        if (firstFromFile)
            view.pickPemFile(QUrl::fromLocalFile(certs_.leafPem));
        else
            view.setUrlString(ipv6Address());
        view.startConversion();
        QVERIFY(waitForRunEnd(view));
        QCOMPARE(view.statusMessage(), succeededStatus("a.der"));

        // Within its busy time, a download that its tool holds.
        QVERIFY(QFile::remove(releaseFile()));
        if (resetBetween)
            view.resetAll();
        view.clearSelectedFile();
        view.setUrlString(ipv6Address());
        view.startConversion();
        QTest::qWait(int(quickTimings.busyEnd.count()) * 2);
        QVERIFY(view.isProcessing());

        dialogs.answerSave(QUrl::fromLocalFile(files("b.der")));
        writeTestFile(releaseFile(), QByteArray());
        QVERIFY(waitForRunEnd(view));
        QCOMPARE(view.statusMessage(), succeededStatus("b.der"));
        QVERIFY(view.isProcessing());
        QTRY_VERIFY_WITH_TIMEOUT(!view.isProcessing(), 5000);
    }

    // A stop ends a run still at work, a picked file's conversion too, and its tool with it; a
    // run that has reported keeps its result, its log and its file through its busy time.
    void aStopEndsOnlyWhatHasNotEnded_data() {
        QTest::addColumn<bool>("fromFile");
        QTest::newRow("a picked file's conversion, held by its tool") << true;
        QTest::newRow("a download in its busy time after the result") << false;
    }

    void aStopEndsOnlyWhatHasNotEnded() {
        QFETCH(bool, fromFile);
        ScriptedFileDialogs dialogs;
        RunTimings timings = quickTimings;
        timings.busyEnd = std::chrono::minutes(1);
        ContentView view(dialogs, heldTool(), timings);
        if (!fromFile)
            writeTestFile(releaseFile(), QByteArray());
        dialogs.answerSave(QUrl::fromLocalFile(files("kept.der")));
        if (fromFile)
            view.pickPemFile(QUrl::fromLocalFile(certs_.leafPem));
        else
            view.setUrlString(ipv6Address());
        view.startConversion();
        const QString pids = releaseFile() + ".pids";
        if (fromFile) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(pids), 10000);
        } else {
            QVERIFY(waitForRunEnd(view));
            QVERIFY(view.isProcessing());
        }
        QCOMPARE(view.canStop(), fromFile);
        const QString before = view.statusMessage();
        const QString logBefore = view.debugOutput();

        view.stopRun();
        QVERIFY(drainPostedTasks(&view));
        QVERIFY(!view.canStop());
        if (fromFile) {
            QCOMPARE(view.statusMessage(), QStringLiteral("İşlem durduruldu"));
            QTRY_VERIFY_WITH_TIMEOUT(::kill(readTestFile(pids).trimmed().toInt(), 0) != 0, 5000);
            QVERIFY(!QFile::exists(files("kept.der")));
        } else {
            QCOMPARE(view.statusMessage(), before);
            QCOMPARE(view.debugOutput(), logBefore);
            QVERIFY(view.isProcessing());
            QCOMPARE(readTestFile(files("kept.der")).isEmpty(), false);
        }
    }
};

QTEST_GUILESS_MAIN(BadInputsTest)
#include "tst_badinputs.moc"
