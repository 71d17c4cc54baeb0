// The chain a conversion read, listed and saved from the window; servers that upgrade to TLS;
// a fetch through a proxy. Every server is a stand-in on loopback.
#include "support/LoopbackServers.h"
#include "support/PersonAtModals.h"
#include "support/ProtocolStandIns.h"
#include "support/RunWaiting.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"
#include "support/TestWindow.h"
#include "ui/StatusBanner.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

// Stands in for the desktop's file manager: what it was asked to open.
// A cell of the list as it is drawn.
QString shownCell(const QTreeView* list, int row, int column) {
    const QModelIndex index = list->model()->index(row, column);
    const auto* delegate =
        static_cast<const QStyledItemDelegate*>(list->itemDelegateForIndex(index));
    return delegate->displayText(index.data(), QLocale());
}

class FileManager : public QObject {
    Q_OBJECT

public:
    Q_INVOKABLE void open(const QUrl& url) { opened << url; }
    QList<QUrl> opened;
};

class ChainTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    TestCertificates certs_;
    TlsServer server_;

    QByteArray bytesOf(const QString& name) const {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Picks the file, converts it to `name` and waits for the end.
    bool convertPicked(Window& window, const QString& file, const QString& name) {
        window.dialogs.answerOpen(QUrl::fromLocalFile(file));
        QTest::mouseClick(window.find("pickFileButton"), Qt::LeftButton);
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath(name)));
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
        return waitForRunEnd(window.view);
    }
    // Types the address, saves the first certificate as `name`, and waits out the busy state.
    bool fetch(Window& window, const QString& address, const QString& name) {
        QTest::keyClicks(window.find("urlField"), address);
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath(name)));
        QTest::keyClick(window.find("convertButton"), Qt::Key_Space);
        return waitForRunEnd(window.view) &&
               QTest::qWaitFor([&] { return !window.view.isProcessing(); });
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("TMPDIR", QFile::encodeName(dir_.path()));
        // Only the proxy a test sets counts, whatever the machine's own settings.
        for (const char* name : {"HTTPS_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"})
            qunsetenv(name);
        QCOMPARE(certs_.create(dir_.filePath("certificates")), QString());
        QCOMPARE(server_.start(certs_.leafPem, certs_.leafKey, certs_.chainPem), QString());
    }

    void everyCertificateOfTheChainCanBeSaved() {
        Window window(openSslPath, quickTimings);
        QVERIFY(fetch(window, "localhost:" + QString::number(server_.port()), "leaf.der"));
        auto* list = window.find<QTreeView>("chainList");
        QVERIFY(window.shown("chainSection"));
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(shownCell(list, 0, CertificateChain::stateColumn), QStringLiteral("✅ Kaydedildi"));

        // The root, chosen with the keys, saved as DER under its own name.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        auto* details = window.find("certificateDetails");
        QVERIFY(details->property("plainText")
                    .toString()
                    .startsWith(QStringLiteral(
                        "Konu: CN=Ruvelta Test Root\nVeren: CN=Ruvelta Test Root\n")));
        // Heard as a person needs it: each cell says what it holds, the buttons whose they are.
        const auto spoken = [list](int row, int column) {
            return list->model()->index(row, column).data(Qt::AccessibleTextRole).toString();
        };
        QCOMPARE(spoken(2, CertificateChain::numberColumn), QStringLiteral("3 / 3"));
        QCOMPARE(spoken(2, CertificateChain::issuerColumn),
                 QStringLiteral("Veren: CN=Ruvelta Test Root"));
        QCOMPARE(spoken(2, CertificateChain::stateColumn), QStringLiteral("Kaydedilmedi"));
        QCOMPARE(window.find("saveCertificateButton")->accessibleName(),
                 QStringLiteral("DER olarak kaydet: CN=Ruvelta Test Root"));
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("root")));
        QSignalSpy ended(&window.view, &ContentView::statusMessageChanged);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(ended.wait() && drainPostedTasks(&window.view));
        QCOMPARE(window.dialogs.saveRequests.last().proposedName, "Ruvelta Test Root.der");
        QCOMPARE(bytesOf("root.der"), derOfPemFile(certs_.rootPem));
        QCOMPARE(window.view.statusMessage(), succeededStatus("root.der"));
        QVERIFY(
            shownDetail(window.view.report()).contains("3 sertifikadan 3. sertifika kaydedildi"));
        // The folder saved in is said, and opens in the file manager.
        QVERIFY(shownDetail(window.view.report()).endsWith("\nKlasör: " + dir_.path()));
        FileManager files;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &files, "open");
        QTest::mouseClick(window.find("showFolderButton"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(files.opened, QList<QUrl>{QUrl::fromLocalFile(dir_.path())});
        // Where nothing opens folders, that is said, and the path is there to copy.
        {
            const QByteArray path = qgetenv("PATH");
            const auto restore = qScopeGuard([&] { qputenv("PATH", path); });
            qputenv("PATH", QFile::encodeName(dir_.filePath("no-programs")));
            PersonAtModals person;
            person.at("QMessageBox", [](QWidget* box) {
                for (QAbstractButton* button : static_cast<QMessageBox*>(box)->buttons()) {
                    if (button->text().contains(QStringLiteral("Yolu kopyala")))
                        QTest::mouseClick(button, Qt::LeftButton);
                }
            });
            QTest::mouseClick(window.find("showFolderButton"), Qt::LeftButton);
            QCOMPARE(person.stepsLeft(), 0);
            QCOMPARE(QGuiApplication::clipboard()->text(), dir_.path());
        }
        // Warned of the chain that did not verify, as the first save was; an issuer is not held
        // against the host typed.
        QVERIFY(shownDetail(window.view.report()).contains(QStringLiteral("doğrulanamadı")));
        QVERIFY(!shownDetail(window.view.report()).contains("için verilmemiş"));
        QCOMPARE(shownCell(list, 2, CertificateChain::stateColumn), QStringLiteral("✅ Kaydedildi"));
        QCOMPARE(spoken(2, CertificateChain::stateColumn), QStringLiteral("Kaydedildi"));

        window.find<QPushButton>("copyDetailsButton")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), details->property("plainText").toString());

        // The whole chain, in one PEM file, in the server's order.
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("chain")));
        QTest::mouseClick(window.find("saveChainButton"), Qt::LeftButton);
        QVERIFY(drainPostedTasks(&window.view));
        QCOMPARE(window.dialogs.saveRequests.last().allowedType, "pem");
        const auto saved = QSslCertificate::fromData(bytesOf("chain.pem"));
        QCOMPARE(saved.size(), 3);
        QCOMPARE(saved[0].toDer(), derOfPemFile(certs_.leafPem));
        QCOMPARE(saved[2].toDer(), derOfPemFile(certs_.rootPem));
        QCOMPARE(window.view.statusMessage(),
                 QStringLiteral("✅ PEM zinciri kaydedildi → chain.pem"));
        // With the chain's warning, as every save from the list.
        QCOMPARE(window.view.statusKind(), StatusKind::warning);
        QVERIFY(shownDetail(window.view.report()).contains(QStringLiteral("doğrulanamadı")));
        QCOMPARE(window.find<QLabel>("chainSavedAsPem")->text(),
                 QStringLiteral("📦 Zincir PEM olarak kaydedildi: chain.pem"));

        // How the download ended stays shown, past its busy state, until another source takes
        // it, the list and the status away: they were the old one's.
        QCOMPARE(window.find<QLabel>("stepText")->text(), rawValue(ProcessingStep::completed));
        QTest::keyClicks(window.find("urlField"), "x");
        for (const char* section : {"chainSection", "statusBanner", "progressSection"})
            QVERIFY2(!window.shown(section), section);
    }

    void sectionsMadeDuringARunTakeTheirPlaceInTheTabOrder() {
        Window window(openSslPath, quickTimings);
        QVERIFY(QTest::qWaitForWindowActive(&window.root));
        QVERIFY(fetch(window, "localhost:" + QString::number(server_.port()), "order.der"));
        window.find("convertButton")->setFocus(Qt::TabFocusReason);
        QStringList order;
        while (order.size() < 16 && !order.endsWith("resetButton")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, (QStringList{"fetchChainButton", "statusMessage", "statusDetail",
                                     "showFolderButton", "chainList", "certificateDetails",
                                     "saveCertificateButton", "savePemButton", "saveChainButton",
                                     "copyDetailsButton", "copyPemButton", "logView",
                                     "clearLogButton", "copyLogButton", "resetButton"}));
    }

    // A picked file lists at once, nothing asked; one certificate is taken as PEM, saved and
    // copied. A server's chain is fetched and listed without saving.
    void aSourceIsReadBeforeAnythingIsSaved() {
        writeTestFile(dir_.filePath("look.pem"),
                      readTestFile(certs_.leafPem) + readTestFile(certs_.chainPem));
        Window window(openSslPath, quickTimings);
        window.dialogs.answerOpen(QUrl::fromLocalFile(dir_.filePath("look.pem")));
        QTest::mouseClick(window.find("pickFileButton"), Qt::LeftButton);
        QTRY_VERIFY(window.shown("chainSection"));
        QCOMPARE(window.view.chain().size(), 3);
        QVERIFY(window.dialogs.saveRequests.isEmpty());
        QVERIFY(window.find("certificateDetails")
                    ->property("plainText")
                    .toString()
                    .startsWith(QStringLiteral("Konu: CN=localhost")));

        auto* list = window.find<QTreeView>("chainList");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("ara")));
        QTest::mouseClick(window.find("savePemButton"), Qt::LeftButton);
        QVERIFY(waitForRunEnd(window.view));
        QCOMPARE(window.dialogs.saveRequests.last().allowedType, "pem");
        QCOMPARE(window.view.statusMessage(), QStringLiteral("✅ PEM dosyası kaydedildi → ara.pem"));
        const auto saved = QSslCertificate::fromData(bytesOf("ara.pem"));
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0].toPem(), QSslCertificate::fromPath(certs_.chainPem)[0].toPem());
        QTest::mouseClick(window.find("copyPemButton"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), bytesOf("ara.pem"));

        Window fetching(openSslPath, quickTimings);
        QTest::keyClicks(fetching.find("urlField"), "localhost:" + QString::number(server_.port()));
        QTest::mouseClick(fetching.find("fetchChainButton"), Qt::LeftButton);
        QVERIFY(waitForRunEnd(fetching.view));
        QVERIFY(fetching.dialogs.saveRequests.isEmpty());
        QCOMPARE(fetching.view.statusMessage(),
                 QStringLiteral("✅ Sertifika zinciri getirildi: 3 sertifika"));
        QCOMPARE(fetching.view.chain().size(), 3);
        QVERIFY(matchesLog(
            fetching.view.debugOutput()
                .split(u'\n', Qt::SkipEmptyParts)
                .replaceInStrings(QRegularExpression("^\\[[^]]*\\] "), QString()),
            {"*", "📜 Bulunan sertifika sayısı: 3", "*", "🔍 Zincir listelendi: 3 sertifika"}));
        // Warned of the chain as a download is.
        QVERIFY(shownDetail(fetching.view.report()).contains(QStringLiteral("doğrulanamadı")));
        QVERIFY(!shownDetail(fetching.view.report()).contains(QStringLiteral("kaydedildi")));
    }

    void aFileIsListedWhateverItHolds_data() {
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<int>("listed");
        QTest::newRow("one certificate") << QStringList{certs_.leafPem} << 1;
        QTest::newRow("leaf and its chain") << QStringList{certs_.leafPem, certs_.chainPem} << 3;
    }

    void aFileIsListedWhateverItHolds() {
        QFETCH(QStringList, parts);
        QByteArray bundle;
        for (const QString& part : parts)
            bundle += readTestFile(part);
        writeTestFile(dir_.filePath("bundle.pem"), bundle);
        Window window(openSslPath, quickTimings);
        QVERIFY(convertPicked(window, dir_.filePath("bundle.pem"), "bundle.der"));
        QTEST(int(window.view.chain().size()), "listed");
        QCOMPARE(window.shown("chainSection"), window.view.chain().size() > 0);
    }

    // A list longer than the rows shown at once is searched by subject and issuer, in any case;
    // what is saved from the rows found is the certificate found.
    void aLongListIsSearchedByName() {
        QByteArray bundle;
        for (int copy = 0; copy < 2; ++copy)
            bundle += readTestFile(certs_.leafPem) + readTestFile(certs_.chainPem);
        writeTestFile(dir_.filePath("long.pem"), bundle);
        Window window(openSslPath, quickTimings);
        QVERIFY(convertPicked(window, dir_.filePath("long.pem"), "long.der"));
        QVERIFY(window.shown("chainFilter"));

        auto* list = window.find<QTreeView>("chainList");
        const auto subjects = [list] {
            QStringList shown;
            for (int row = 0; row < list->model()->rowCount(); ++row)
                shown
                    << list->model()->index(row, CertificateChain::subjectColumn).data().toString();
            return shown;
        };
        // Ctrl+F from the top of the window brings the search into view.
        auto* column = window.find<QScrollArea>("columnScrollArea");
        column->verticalScrollBar()->setValue(0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
        QWidget* search = window.find("chainFilter");
        QCOMPARE(QApplication::focusWidget(), search);
        QVERIFY(column->viewport()->rect().contains(
            QRect(search->mapTo(column->viewport(), QPoint()), search->size())));
        // Found as the issuer of the two leaves, and as the subject of the two intermediates.
        QTest::keyClicks(QApplication::focusWidget(), "INTERMEDIATE");
        QCOMPARE(subjects(), QStringList({"CN=localhost", "CN=Ruvelta Test Intermediate",
                                          "CN=localhost", "CN=Ruvelta Test Intermediate"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), list);
        QTest::keyClick(list, Qt::Key_End);
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("found.der")));
        QSignalSpy ended(&window.view, &ContentView::statusMessageChanged);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(ended.wait() && drainPostedTasks(&window.view));
        QCOMPARE(bytesOf("found.der"), derOfPemFile(certs_.intermediatePem));
        QVERIFY(
            shownDetail(window.view.report()).contains("6 sertifikadan 5. sertifika kaydedildi"));

        // Nothing found: nothing to save. Escape empties the search: every row is back, and the
        // one saved is marked.
        QTest::mouseClick(window.find("chainFilter"), Qt::LeftButton);
        const QSize searchSize = search->size();
        QTest::keyClicks(QApplication::focusWidget(), "yok");
        QCOMPARE(subjects(), QStringList());
        QCoreApplication::processEvents();
        QCOMPARE(search->size(), searchSize);
        QVERIFY(list->geometry().bottom() < window.find("saveCertificateButton")->geometry().top());
        QVERIFY(!window.find("saveCertificateButton")->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(subjects().size(), 6);
        QCOMPARE(shownCell(list, 4, CertificateChain::stateColumn), QStringLiteral("✅ Kaydedildi"));
    }

    // A block of a bundle that the tool would refuse is listed without names, and refused with
    // what is wrong with it before anyone is asked where to save it.
    void aDamagedBlockOfABundleIsRefusedWithWhy() {
        QByteArray damaged = readTestFile(certs_.intermediatePem);
        damaged.insert(damaged.indexOf("-----END") - 1, 'A'); // one Base64 character too many
        writeTestFile(dir_.filePath("damaged.pem"), readTestFile(certs_.leafPem) + damaged);
        Window window(openSslPath, quickTimings);
        QVERIFY(convertPicked(window, dir_.filePath("damaged.pem"), "first.der"));
        auto* list = window.find<QTreeView>("chainList");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex().siblingAtColumn(CertificateChain::subjectColumn).data(),
                 QStringLiteral("Çözülemeyen sertifika bloğu"));
        const qsizetype asked = window.dialogs.saveRequests.size();
        QSignalSpy ended(&window.view, &ContentView::statusMessageChanged);
        QTest::keyClick(list, Qt::Key_Return);
        // Refused as the key is handled: nothing is left to wait for.
        QCOMPARE(ended.size(), 1);
        QVERIFY(drainPostedTasks(&window.view));
        QCOMPARE(shownDetail(window.view.report()),
                 QStringLiteral("Sertifika bozuk: zincirdeki 2. sertifika bloğunda BEGIN ile END "
                                "satırları arasındaki metin geçerli Base64 değil."));
        QCOMPARE(window.dialogs.saveRequests.size(), asked);
    }

    // A certificate whose key or time does not decode, picked alone, in a bundle or sent by a
    // server as its intermediate: the window lives on, says what it could not read in the status
    // or the chosen row's details, and saves it as the tool converts it.
    void whatDoesNotDecodeIsSaid_data() {
        QTest::addColumn<QString>("source"); // "file", "bundle" (after the leaf) or "server"
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QString>("line");
        const QString undecoded = undecodedField();
        QTest::newRow("key off its curve, picked alone")
            << "file"
            << "ec-off-curve"
            << "⚠️ Sertifikanın bazı alanları çözülemedi: Anahtar.";
        QTest::newRow("time in letters, picked alone") << "file"
                                                       << "bad-time"
                                                       << "Geçerlilik sonu: " + undecoded;
        QTest::newRow("unknown key algorithm, in a bundle")
            << "bundle"
            << "unknown-key-algorithm"
            << "Anahtar: " + undecoded + " (1.2.840.10045.2.127)";
        QTest::newRow("key off its curve, from a server")
            << "server"
            << "ec-off-curve"
            << "Anahtar: " + undecoded + " (id-ecPublicKey)";
    }

    void whatDoesNotDecodeIsSaid() {
        QFETCH(QString, source);
        QFETCH(QString, seed);
        QFETCH(QString, line);
        const QString pem = dir_.filePath(seed + ".pem");
        QVERIFY(
            runOpenSslTool({"x509", "-inform", "der", "-in", certificateSeed(seed), "-out", pem})
                .ok);
        Window window(openSslPath, quickTimings);
        TlsServer server;
        if (source == "server") {
            QCOMPARE(server.start(certs_.leafPem, certs_.leafKey, pem), QString());
            QVERIFY(fetch(window, "localhost:" + QString::number(server.port()), "first.der"));
        } else {
            const QString picked = dir_.filePath("picked.pem");
            writeTestFile(picked, (source == "bundle" ? readTestFile(certs_.leafPem) : "") +
                                      readTestFile(pem));
            QVERIFY(convertPicked(window, picked, "first.der"));
        }
        // Saved, with a warning of what did not decode; a bundle's first certificate decoded whole.
        QCOMPARE(window.view.statusKind(),
                 source == "bundle" ? StatusKind::success : StatusKind::warning);
        if (source == "file") {
            QVERIFY2(shownDetail(window.view.report()).split(u'\n').contains(line),
                     qPrintable(shownDetail(window.view.report())));
            QCOMPARE(bytesOf("first.der"), readTestFile(certificateSeed(seed)));
            return;
        }
        // Its row drawn and chosen with the keys, its details read, and saved.
        auto* list = window.find<QTreeView>("chainList");
        QVERIFY(window.shown("chainSection"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex().row(), 1);
        const QString details = window.find("certificateDetails")->property("plainText").toString();
        QVERIFY2(details.split(u'\n').contains(line), qPrintable(details));
        QVERIFY(!window.pixelsOf(list).isNull());
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("second.der")));
        QSignalSpy ended(&window.view, &ContentView::statusMessageChanged);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(ended.wait() && drainPostedTasks(&window.view));
        QCOMPARE(bytesOf("second.der"), readTestFile(certificateSeed(seed)));
    }

    void serversThatUpgradeToTls_data() {
        QTest::addColumn<StartTlsServer::Protocol>("protocol");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("upgrade"); // the line that asked for TLS
        QTest::newRow("smtp") << StartTlsServer::Protocol::smtp << "smtp"
                              << "STARTTLS";
        QTest::newRow("imap") << StartTlsServer::Protocol::imap << "imap"
                              << ". STARTTLS";
    }

    void serversThatUpgradeToTls() {
        QFETCH(StartTlsServer::Protocol, protocol);
        QFETCH(QString, scheme);
        StartTlsServer mail;
        QCOMPARE(mail.start(protocol, certs_.leafPem, certs_.leafKey, certs_.chainPem), QString());
        Window window(openSslPath, quickTimings);
        QVERIFY(fetch(window, scheme + "://localhost:" + QString::number(mail.serverPort()),
                      scheme + ".der"));
        QCOMPARE(window.view.statusMessage(), succeededStatus(scheme + ".der"));
        QCOMPARE(bytesOf(scheme + ".der"), derOfPemFile(certs_.leafPem));
        QTEST(mail.heard.last(), "upgrade");
        QVERIFY(window.view.debugOutput().contains("Önce düz metin, sonra STARTTLS: " + scheme));
    }

    void upgradesRefusedSayWhatServesThere_data() {
        QTest::addColumn<StartTlsServer::Protocol>("serving");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("reason"); // <address> filled in
        QTest::newRow("imap:// at a mail server")
            << StartTlsServer::Protocol::smtp << "imap"
            << "<address> adresinde bir SMTP sunucusu («220 localhost ESMTP stand-in») var, IMAP "
               "değil. Sertifikasını almak için şu adresi deneyin: smtp://<address>";
        QTest::newRow("https:// at an IMAP server")
            << StartTlsServer::Protocol::imap << "https"
            << "<address> TLS ile başlamıyor: bu bağlantı noktasında bir IMAP sunucusu («* OK "
               "IMAP4rev1 stand-in ready») var. STARTTLS ile almak için şu adresi deneyin: "
               "imap://<address>";
    }

    void upgradesRefusedSayWhatServesThere() {
        QFETCH(StartTlsServer::Protocol, serving);
        QFETCH(QString, scheme);
        QFETCH(QString, reason);
        StartTlsServer mail;
        QCOMPARE(mail.start(serving, certs_.leafPem, certs_.leafKey, certs_.chainPem), QString());
        // The tool waits for a greeting that never comes until its watchdog ends it.
        RunTimings timings = quickTimings;
        timings.download = std::chrono::seconds(3);
        Window window(openSslPath, timings);
        const QString address = "127.0.0.1:" + QString::number(mail.serverPort());
        QVERIFY(fetch(window, scheme + "://" + address, "refused.der"));
        QCOMPARE(window.view.statusMessage(), QStringLiteral("❌ Sertifika zinciri indirilemedi"));
        QCOMPARE(shownDetail(window.view.report()), reason.replace("<address>", address));
    }

    void fetchThroughAProxy_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("scheme");         // "smtp": a server that greets first
        QTest::addColumn<QByteArray>("credentials"); // what the proxy takes
        QTest::addColumn<QByteArray>("refusal");     // empty: the proxy tunnels
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QString>("reason"); // empty: the fetch succeeds; <port>, <proxy> filled in
        const QByteArray bob = "bob:s3cret";
        QTest::newRow("http") << "http"
                              << "https" << bob << QByteArray() << true << QString();
        QTest::newRow("http, greeting in the answer's packet")
            << "http"
            << "smtp" << bob << QByteArray() << true << QString();
        QTest::newRow("socks5h") << "socks5h"
                                 << "https" << bob << QByteArray() << true << QString();
        QTest::newRow("socks5h, greeting") << "socks5h"
                                           << "smtp" << bob << QByteArray() << true << QString();
        QTest::newRow("refused") << "http"
                                 << "https" << bob << QByteArray("HTTP/1.1 403 Forbidden") << true
                                 << "Proxy sunucusu ruvelta.test:<port> bağlantısını reddetti: "
                                    "http://bob@127.0.0.1:<proxy> bu adrese izin vermiyor.";
        for (const QString kind : {"http", "socks5h"})
            QTest::addRow("%s, wrong password", qPrintable(kind))
                << kind << "https" << QByteArray("bob:other") << QByteArray() << true
                << "Proxy sunucusu " + kind +
                       "://bob@127.0.0.1:<proxy>, bob kullanıcı adını ve parolasını kabul etmedi. "
                       "https_proxy içindeki kullanıcı adını ve parolayı denetleyin.";
        QTest::newRow("unreachable")
            << "http"
            << "https" << bob << QByteArray() << false
            << "Proxy sunucusuna ulaşılamadı: http://bob@127.0.0.1:<proxy> "
               "(https_proxy ortam değişkeninden).";
    }

    void fetchThroughAProxy() {
        QFETCH(QString, kind);
        QFETCH(QString, scheme);
        QFETCH(QByteArray, credentials);
        QFETCH(QByteArray, refusal);
        QFETCH(bool, reachable);
        QFETCH(QString, reason);
        StartTlsServer mail;
        QCOMPARE(mail.start(StartTlsServer::Protocol::smtp, certs_.leafPem, certs_.leafKey,
                            certs_.chainPem),
                 QString());
        const bool greets = scheme == "smtp";
        const quint16 target = greets ? mail.serverPort() : server_.port();
        ConnectProxy http(target, greets, credentials, refusal);
        Socks5Proxy socks(target, credentials);
        const quint16 proxyPort = !reachable       ? 1
                                  : kind == "http" ? http.serverPort()
                                                   : socks.serverPort();
        const QString shown = kind + "://bob@127.0.0.1:" + QString::number(proxyPort);
        qputenv("https_proxy",
                (kind + "://bob:s3cret@127.0.0.1:" + QString::number(proxyPort)).toLatin1());
        const auto unset = qScopeGuard([] { qunsetenv("https_proxy"); });
        Window window(openSslPath, quickTimings);
        const QString port = QString::number(target);
        QVERIFY(fetch(window, scheme + "://ruvelta.test:" + port, "proxied.der"));

        QVERIFY(window.view.debugOutput().contains("🛡️ Proxy üzerinden: " + shown +
                                                   " (https_proxy)"));
        for (const QString& seen : {window.view.debugOutput(), shownDetail(window.view.report())})
            QVERIFY(!seen.contains("s3cret"));
        if (reason.isEmpty()) {
            QCOMPARE(bytesOf("proxied.der"), derOfPemFile(certs_.leafPem));
            if (kind == "http")
                QVERIFY(http.requests.last().startsWith("CONNECT ruvelta.test:" + port.toLatin1()));
            else
                QCOMPARE(socks.hosts, QList<QByteArray>{"ruvelta.test"});
        } else {
            reason.replace("<port>", port).replace("<proxy>", QString::number(proxyPort));
            QCOMPARE(shownDetail(window.view.report()), reason);
            QVERIFY(window.view.debugOutput().contains(
                "❌ Proxy tüneli açılamadı: ruvelta.test:" + port + ' ' + reason));
        }
    }
};

QTEST_MAIN(ChainTest)
#include "tst_chain.moc"
