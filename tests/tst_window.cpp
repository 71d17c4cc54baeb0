#include "app/QuitOnSignals.h"
#include "app/RuveltaApp.h"
#include "core/ContentView.h"
#include "support/LoopbackServers.h"
#include "support/PersonAtModals.h"
#include "support/RunWaiting.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"
#include "support/TestWindow.h"
#include "ui/AccessibleLineEdit.h"
#include "ui/LogView.h"
#include "ui/ProgressSection.h"
#include "ui/QtFileDialogs.h"
#include "ui/RootColumn.h"
#include "ui/SelectableText.h"
#include "ui/Spoken.h"
#include "ui/StatusBanner.h"
#include "ui/Theme.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <csignal>
#include <functional>
#include <memory>

class WindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    // A tool that runs until the test lets it go, so the work stays busy meanwhile.
    QString heldTool() { return writeHeldTool(dir_.path(), dir_.filePath("release")); }
    void releaseHeldTool() { writeTestFile(dir_.filePath("release"), QByteArray()); }

private Q_SLOTS:
    void initTestCase() {
        // What the window remembers goes here, not into the person's own settings.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath("config")));
        applyLook(Palette::light);
    }

    void init() { QFile::remove(dir_.filePath("release")); }

    void freshStartShowsOnlyTheAlwaysPresentSections() {
        Window window;
        for (const char* name : {"headerSection", "sourceSection", "outputSection", "convertButton",
                                 "resetButton", "footerSection"})
            QVERIFY2(window.shown(name), name);
        for (const char* name :
             {"progressSection", "selectedFileCard", "statusBanner", "debugPanel"})
            QVERIFY2(!window.shown(name), name);
        QVERIFY(!window.find("convertButton")->isEnabled());
        QCOMPARE(window.find<QPushButton>("convertButton")->text(),
                 QStringLiteral("🚀 &DER Dosyası Oluştur"));
        QCOMPARE(window.find<QLabel>("versionLabel")->text(),
                 QStringLiteral("Version ") + ContentView::appVersion());
        QCOMPARE(window.find<QLineEdit>("outputNameField")->text(), QStringLiteral("certificate"));
    }

    void windowCannotShrinkBelowItsMinimum() {
        Window window;
        window.root.resize(100, 100);
        QVERIFY(window.root.width() >= 700);
        QVERIFY(window.root.height() >= 600);
        // A larger window keeps the column centred.
        window.root.resize(1200, 1000);
        QTRY_COMPARE(window.root.width(), 1200);
        QWidget* button = window.find("convertButton");
        QWidget* viewport = window.find<QScrollArea>("columnScrollArea")->viewport();
        const int centre = button->mapTo(viewport, button->rect().center()).x();
        QVERIFY2(qAbs(centre - viewport->width() / 2) <= 2, qPrintable(QString::number(centre)));
    }

    void busyWorkShowsProgressAndLocksTheInputs() {
        Window window(heldTool());
        QTest::keyClicks(window.find("urlField"), "localhost:1");
        QCoreApplication::processEvents();
        const QPoint buttonBefore = window.find("convertButton")->mapTo(&window.root, QPoint());
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
        QVERIFY(drainPostedTasks(&window.view));

        // The progress stands in the header's place: nothing below it moved.
        QVERIFY(window.shown("progressSection"));
        QVERIFY(!window.shown("headerSection"));
        QVERIFY(window.find("progressSection")->geometry().bottom() <
                window.find("sourceSection")->geometry().top());
        QTRY_COMPARE(window.find("convertButton")->mapTo(&window.root, QPoint()), buttonBefore);
        QCOMPARE(window.find<QLabel>("stepText")->text(),
                 QStringLiteral("Sertifika indiriliyor..."));
        QCOMPARE(window.find<QLabel>("percentageText")->text(), QStringLiteral("50%"));
        QCOMPARE(window.find<QPushButton>("convertButton")->text(), QStringLiteral("İşleniyor..."));
        QVERIFY(!window.find<QPushButton>("convertButton")->icon().isNull());

        // A file picked meanwhile through the action itself: its remove control stays usable.
        window.dialogs.answerOpen(QUrl::fromLocalFile(dir_.filePath("picked.pem")));
        window.view.selectPemFile();
        for (const char* name : {"pickFileButton", "outputNameField"})
            QVERIFY2(!window.find(name)->isEnabled(), name);
        // The busy button keeps the focus of whoever pressed it, but starts nothing more.
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
        QVERIFY(drainPostedTasks(&window.view));
        QCOMPARE(window.view.debugOutput().count(QStringLiteral("Girilen URL")), 1);
        for (const char* name :
             {"resetButton", "clearFileButton", "clearLogButton", "copyLogButton"})
            QVERIFY2(window.find(name)->isEnabled(), name);

        // Typing into the locked fields changes nothing; the address keeps the keys meanwhile.
        for (const char* name : {"urlField", "outputNameField"})
            QTest::keyClicks(window.find(name), "x");
        QCOMPARE(window.view.outputName(), QStringLiteral("certificate"));
        QCOMPARE(window.view.urlString(), QString());

        QTest::mouseClick(window.find("clearFileButton"), Qt::LeftButton);
        QVERIFY(!window.shown("selectedFileCard"));

        releaseHeldTool();
        QTRY_VERIFY_WITH_TIMEOUT(!window.view.isProcessing(), 10000);
        QVERIFY(!window.shown("progressSection"));
        QCOMPARE(window.find<QPushButton>("convertButton")->text(),
                 QStringLiteral("🚀 &DER Dosyası Oluştur"));
        QVERIFY(window.find<QPushButton>("convertButton")->icon().isNull());
        // The pick emptied the address and the pick was removed: nothing left to start.
        QVERIFY(!window.find("convertButton")->isEnabled());
        QVERIFY(!window.find<QLineEdit>("urlField")->isReadOnly());
        QCOMPARE(window.shownStatus(), QStringLiteral("❌ Sertifika zinciri indirilemedi"));
    }

    void resetStaysUsableWhileBusyAndClearsTheFields() {
        Window window(heldTool());
        QLineEdit* name = window.find<QLineEdit>("outputNameField");
        name->clear();
        typeText(name, QStringLiteral("sunucu_şık_ı"));
        QCOMPARE(window.view.outputName(), QStringLiteral("sunucu_şık_ı"));

        QTest::keyClicks(window.find("urlField"), "localhost:1");
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
        QVERIFY(drainPostedTasks(&window.view));
        QVERIFY(window.view.isProcessing());

        QTest::mouseClick(window.find<QPushButton>("resetButton"), Qt::LeftButton);
        QVERIFY(!window.shown("progressSection"));
        QCOMPARE(name->text(), QStringLiteral("certificate"));
        QVERIFY(window.find<QLineEdit>("urlField")->text().isEmpty());
        QVERIFY(drainPostedTasks(&window.view));
        QVERIFY(window.shown("debugPanel"));
        QVERIFY(window.view.debugOutput().contains(QStringLiteral("[Reset]")));
    }

    void sourceChoiceDrivesTheMainButton() {
        Window window;
        QWidget* button = window.find("convertButton");
        QLineEdit* url = window.find<QLineEdit>("urlField");

        // A single blank counts: the address is not trimmed for the button.
        QTest::keyClicks(url, " ");
        QCOMPARE(window.view.urlString(), QStringLiteral(" "));
        QVERIFY(button->isEnabled());

        // Return in the field does what the button does.
        QTest::keyClick(url, Qt::Key_Return);
        QVERIFY(waitForRunEnd(window.view));
        QCOMPARE(window.view.statusMessage(), QStringLiteral("❌ Geçersiz URL"));
        // The status came into view; the person scrolls back up.
        QTest::qWait(0);
        window.find<QScrollArea>("columnScrollArea")->ensureWidgetVisible(url);

        // A cancelled pick changes nothing.
        window.dialogs.answerOpen(std::nullopt);
        QTest::mouseClick(window.find("pickFileButton"), Qt::LeftButton);
        QCOMPARE(url->text(), QStringLiteral(" "));
        QVERIFY(!window.shown("selectedFileCard"));

        // A picked file empties the address and shows its name verbatim.
        const QString picked = dir_.filePath("sunucu sertifikası.crt");
        window.dialogs.answerOpen(QUrl::fromLocalFile(picked));
        QTest::mouseClick(window.find("pickFileButton"), Qt::LeftButton);
        QCOMPARE(window.dialogs.openRequests.size(), 2);
        QCOMPARE(window.dialogs.openRequests.back().title, QStringLiteral("PEM Dosyası Seçin"));
        QVERIFY(url->text().isEmpty());
        QVERIFY(window.view.urlString().isEmpty());
        QVERIFY(window.shown("selectedFileCard"));
        QCOMPARE(window.find<QLabel>("selectedFileName")->text(),
                 QStringLiteral("sunucu sertifikası.crt"));
        QVERIFY(button->isEnabled());

        // Typing after a pick drops the pick: the source is the one chosen last. OK without a
        // file then changes nothing.
        QTest::keyClicks(url, "example.com");
        QVERIFY(!window.shown("selectedFileCard"));
        QVERIFY(window.view.selectedPemFile().isEmpty());
        window.dialogs.answerOpen(QUrl());
        QTest::mouseClick(window.find("pickFileButton"), Qt::LeftButton);
        QCOMPARE(window.view.urlString(), QStringLiteral("example.com"));

        url->clear();
        QTest::keyClicks(url, "x");
        QTest::keyClick(url, Qt::Key_Backspace);
        QVERIFY(!button->isEnabled());
    }

    void spokenTextLeavesPicturesOut_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("leading picture") << "🔐 Sertifika Dönüştürücü"
                                         << "Sertifika Dönüştürücü";
        QTest::newRow("selector and blanks") << "a ⚠️  b"
                                             << "a b";
        QTest::newRow("leading mark") << "  ✅ Kaydedildi → x.der"
                                      << "Kaydedildi: x.der";
        QTest::newRow("trailing mark") << "Bağlantı ❌"
                                       << "Bağlantı";
        QTest::newRow("mark inside") << "a ✅ b"
                                     << "a b";
        QTest::newRow("plain") << "VEYA"
                               << "VEYA";
        QTest::newRow("empty") << ""
                               << "";
    }

    void spokenTextLeavesPicturesOut() {
        QFETCH(QString, shown);
        QFETCH(QString, spoken);
        QCOMPARE(spokenText(shown), spoken);
    }

    void readTextsKeepEveryCharacterInItsPlace_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("picture and selector") << "⚠️ Uyarı\n"
                                              << "   Uyarı\n";
        QTest::newRow("arrow") << "Oldu → a.der"
                               << "Oldu:  a.der";
        QTest::newRow("outside the basic plane") << "[1] 📥 x"
                                                 << "[1]    x";
    }

    void readTextsKeepEveryCharacterInItsPlace() {
        QFETCH(QString, shown);
        QTEST(picturesBlanked(shown), "spoken");
    }

    void keysDoWhatTheirNamesSay() {
        Window window(heldTool());
        auto* url = window.find<QLineEdit>("urlField");
        const auto press = [](QKeyCombination keys) {
            QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
        };
        // Access keys and F6 go to their places; a field reached so selects what it holds.
        press(Qt::ALT | Qt::Key_A);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("outputNameField"));
        QTRY_VERIFY(window.find<QLineEdit>("outputNameField")->hasSelectedText());
        press(Qt::SHIFT | Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), url);
        press(Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("outputNameField"));

        window.dialogs.answerOpen(std::nullopt);
        press(Qt::CTRL | Qt::Key_O);
        QCOMPARE(window.dialogs.openRequests.size(), 1);

        // Return presses the focused button; Escape stops the run and keeps what was typed, and
        // says so in the status and the log.
        QTest::keyClicks(url, "localhost:1");
        window.find("convertButton")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Return);
        QTRY_VERIFY(window.view.isProcessing());
        press(Qt::Key_Escape);
        QVERIFY(!window.view.isProcessing());
        QCOMPARE(window.view.statusMessage(), QStringLiteral("İşlem durduruldu"));
        QCOMPARE(url->text(), QStringLiteral("localhost:1"));
        QVERIFY(drainPostedTasks(&window.view));
        QVERIFY(window.view.debugOutput().contains(QStringLiteral("[Durdur]")));

        // The button beside the main one stops it too, and hands the keys back where it stood.
        press(Qt::Key_Return);
        QTRY_VERIFY(window.shown("stopButton"));
        window.find("stopButton")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        QVERIFY(!window.view.isProcessing() && !window.shown("stopButton"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("fetchChainButton"));
    }

    void textSetByAssistiveTechnologyIsTyping() {
        installAccessibleLineEdits();
        Window window;
        QAccessibleInterface* field =
            QAccessible::queryAccessibleInterface(window.find("urlField"));
        field->setText(QAccessible::Value, QStringLiteral("example.com"));
        QCOMPARE(window.view.urlString(), QStringLiteral("example.com"));
        field->editableTextInterface()->insertText(0, QStringLiteral("www."));
        QCOMPARE(window.view.urlString(), QStringLiteral("www.example.com"));
        QVERIFY(window.find("convertButton")->isEnabled());
    }

    void percentageIsTruncatedNotRounded_data() {
        QTest::addColumn<double>("progress");
        QTest::addColumn<QString>("text");
        const QList<std::pair<double, const char*>> rows{
            {0.0, "0%"},  {0.1, "10%"},  {0.3, "30%"},   {0.5, "50%"},  {0.8, "80%"},
            {0.9, "90%"}, {0.95, "95%"}, {0.999, "99%"}, {1.0, "100%"}, {0.57, "56%"}};
        for (const auto& [progress, text] : rows)
            QTest::addRow("%g", progress) << progress << QString::fromLatin1(text);
    }

    void percentageIsTruncatedNotRounded() {
        QFETCH(double, progress);
        QFETCH(QString, text);
        QCOMPARE(percentageText(progress), text);

        Window window;
        window.view.setStep(ProcessingStep::converting, progress);
        QVERIFY(drainPostedTasks(&window.view));
        QCOMPARE(window.find<QLabel>("percentageText")->text(), text);
    }

    void debugPanelShowsCopiesAndClearsTheLog() {
        Window window;
        for (int i = 0; i < 300; ++i)
            window.view.appendDebugLog(QStringLiteral("satır %1 ").arg(i) + QString(200, u'x'));
        QVERIFY(drainPostedTasks(&window.view));
        QVERIFY(window.shown("debugPanel"));
        LogView* log = window.find<LogView>("logView");
        QCOMPARE(log->height(), 200);
        QTRY_COMPARE(log->toPlainText(), window.view.debugOutput());
        // Long lines wrap instead of widening the area.
        QVERIFY(log->width() <= window.root.width());
        QVERIFY(log->document()->lineCount() > 300);

        // New lines do not move the part in view.
        QScrollBar* scroll = log->verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        scroll->setValue(5);
        // The scroll bar counts wrapped lines, which the view may still be measuring; what
        // must not move is the text at the top of the area.
        const auto topBlock = [log] { return log->cursorForPosition(QPoint(0, 0)).blockNumber(); };
        const int top = topBlock();
        QVERIFY(top > 0);
        window.view.appendDebugLog(QStringLiteral("yeni satır"));
        QVERIFY(drainPostedTasks(&window.view));
        QTRY_COMPARE(log->toPlainText(), window.view.debugOutput());
        QCOMPARE(topBlock(), top);

        QApplication::clipboard()->setText(QStringLiteral("önceki içerik"));
        auto* copy = window.find<QPushButton>("copyLogButton");
        const int width = copy->width();
        QTest::mouseClick(copy, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), window.view.debugOutput());
        // Confirmed where the person looks, for a moment, without the row moving.
        QCOMPARE(copy->text(), QStringLiteral("✅ Kopyalandı"));
        QCoreApplication::processEvents();
        QCOMPARE(copy->width(), width);
        copy->findChild<QTimer*>(QStringLiteral("copyConfirmation"))->start(0);
        QTRY_COMPARE(copy->text(), QStringLiteral("📋 Kopya&la"));

        QTest::mouseClick(window.find("clearLogButton"), Qt::LeftButton);
        QVERIFY(window.view.debugOutput().isEmpty());
        QVERIFY(!window.shown("debugPanel"));
        QVERIFY(log->toPlainText().isEmpty());

        window.view.appendDebugLog(QStringLiteral("sonraki"));
        QVERIFY(drainPostedTasks(&window.view));
        QVERIFY(window.shown("debugPanel"));
        QTRY_COMPARE(log->toPlainText(), window.view.debugOutput());
    }

    void pickedFileConvertsEndToEndThroughTheWindow() {
        TestCertificates certificates;
        QCOMPARE(certificates.create(dir_.path()), QString());
        qputenv("TMPDIR", QFile::encodeName(dir_.path()));
        Window window;
        window.dialogs.answerOpen(QUrl::fromLocalFile(certificates.leafPem));
        QTest::mouseClick(window.find("pickFileButton"), Qt::LeftButton);
        QLineEdit* name = window.find<QLineEdit>("outputNameField");
        name->clear();
        typeText(name, QStringLiteral("sunucu ş"));
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("sunucu ş.pem")));
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);

        QTRY_VERIFY_WITH_TIMEOUT(window.shown("statusBanner"), 15000);
        QCOMPARE(window.shownStatus(),
                 QStringLiteral("✅ DER dosyası başarıyla oluşturuldu → sunucu ş.der"));
        QCOMPARE(window.dialogs.saveRequests.back().proposedName, QStringLiteral("sunucu ş.der"));
        QCOMPARE(readTestFile(dir_.filePath("sunucu ş.der")), derOfPemFile(certificates.leafPem));
        // A picked file never marks the work busy.
        QVERIFY(!window.shown("progressSection"));
        QVERIFY(window.find("convertButton")->isEnabled());
    }

    void droppedFiles_data() {
        QTest::addColumn<QString>("onto");    // the object name of the widget under the pointer
        QTest::addColumn<QString>("dropped"); // "file", "folder", "two files", "text", "remote"
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("picked");
        QTest::newRow("PEM file on the window") << "headerSection"
                                                << "file" << false << true;
        QTest::newRow("PEM file on the address field") << "urlField"
                                                       << "file" << false << true;
        QTest::newRow("folder") << "headerSection"
                                << "folder" << false << false;
        QTest::newRow("two files") << "headerSection"
                                   << "two files" << false << false;
        QTest::newRow("text") << "headerSection"
                              << "text" << false << false;
        QTest::newRow("remote address") << "headerSection"
                                        << "remote" << false << false;
        QTest::newRow("PEM file while busy") << "headerSection"
                                             << "file" << true << false;
    }

    void droppedFiles() {
        QFETCH(QString, onto);
        QFETCH(QString, dropped);
        QFETCH(bool, busy);
        QFETCH(bool, picked);
        const QString pem = dir_.filePath("düşen sertifika.pem");
        writeTestFile(pem, "-----BEGIN CERTIFICATE-----");
        Window window(heldTool());
        QTest::keyClicks(window.find("urlField"), busy ? "localhost:1" : "example.com");
        if (busy) {
            QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
            QVERIFY(drainPostedTasks(&window.view));
        }

        QMimeData data;
        if (dropped == "file" || dropped == "two files")
            data.setUrls({QUrl::fromLocalFile(pem)});
        if (dropped == "two files")
            data.setUrls({QUrl::fromLocalFile(pem), QUrl::fromLocalFile(pem + ".2")});
        if (dropped == "folder")
            data.setUrls({QUrl::fromLocalFile(dir_.path())});
        if (dropped == "remote")
            data.setUrls({QUrl(QStringLiteral("https://example.com/a.pem"))});
        // File managers offer the path as text too.
        data.setText(dropped == "text" ? QStringLiteral("example.org") : pem);

        // Delivered where the pointer is; Qt passes it up to whoever takes drops.
        QWidget* target = window.find(onto.toUtf8().constData());
        const QPointF at = QPointF(target->rect().center());
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (enter.isAccepted()) {
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &drop);
        }

        QCOMPARE(window.view.selectedPemFile(), picked ? QUrl::fromLocalFile(pem) : QUrl());
        QCOMPARE(window.shown("selectedFileCard"), picked);
        if (picked) {
            QCOMPARE(window.find<QLabel>("selectedFileName")->text(),
                     QStringLiteral("düşen sertifika.pem"));
            QVERIFY(window.find<QLineEdit>("urlField")->text().isEmpty());
        } else {
            QCOMPARE(window.view.urlString(), busy ? "localhost:1" : "example.com");
        }
        releaseHeldTool();
    }

    void pressingTwiceNeverResets_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("settlesOn");
        QTest::newRow("clearing the log") << "clearLogButton"
                                          << "urlField";
        QTest::newRow("starting a download") << "convertButton"
                                             << "convertButton";
    }

    void pressingTwiceNeverResets() {
        QFETCH(QString, control);
        QFETCH(QString, settlesOn);
        Window window(heldTool());
        QVERIFY(QTest::qWaitForWindowActive(&window.root));
        window.view.appendDebugLog(QStringLiteral("satır"));
        QVERIFY(drainPostedTasks(&window.view));
        auto* url = window.find<QLineEdit>("urlField");
        QTest::mouseClick(url, Qt::LeftButton);
        QTest::keyClicks(url, "localhost:1");
        for (int i = 0; i < 10 && QApplication::focusWidget()->objectName() != control; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), control);

        for (int press = 0; press < 2; ++press) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &window.root, Qt::Key_Space);
        }
        QVERIFY(drainPostedTasks(&window.view));
        QVERIFY(!window.view.debugOutput().contains(QStringLiteral("[Reset]")));
        QVERIFY(window.view.urlString().startsWith(QStringLiteral("localhost:1")));
        // Once the work is over, the focus is where it went once, never on the reset button.
        releaseHeldTool();
        QTRY_VERIFY_WITH_TIMEOUT(!window.view.isProcessing(), 10000);
        QCOMPARE(QApplication::focusWidget()->objectName(), settlesOn);
    }

    void keyboardReachesEveryControlInOrderAndScrollsTheLog() {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(&window.root));
        for (int i = 0; i < 100; ++i)
            window.view.appendDebugLog(QStringLiteral("satır %1").arg(i));
        QVERIFY(drainPostedTasks(&window.view));
        auto* url = window.find<QLineEdit>("urlField");
        QTest::mouseClick(url, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), url);
        QTest::keyClicks(url, "example.com");

        QStringList order;
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, (QStringList{"pickFileButton", "outputNameField", "convertButton",
                                     "fetchChainButton", "logView", "clearLogButton",
                                     "copyLogButton", "resetButton", "urlField"}));

        // The log has a caret that goes line by line and jumps to either end, as a screen reader
        // follows it; it selects, but takes no text.
        auto* log = window.find<QPlainTextEdit>("logView");
        log->setFocus(Qt::TabFocusReason);
        QScrollBar* bar = log->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        const auto line = [log] { return log->textCursor().blockNumber(); };
        QTest::keyClick(log, Qt::Key_Down);
        QCOMPARE(line(), 1);
        QTest::keyClick(log, Qt::Key_End, Qt::ControlModifier);
        // At the start of the last line, not on the empty one its line break leaves.
        QCOMPARE(log->textCursor().block(), log->document()->lastBlock().previous());
        QVERIFY(log->textCursor().atBlockStart());
        QVERIFY(bar->value() > 0 && log->viewport()->rect().contains(log->cursorRect()));
        QTest::keyClick(log, Qt::Key_Up, Qt::ShiftModifier);
        QVERIFY(log->textCursor().hasSelection());
        QTest::keyClick(log, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(line(), 0);
        QTest::keyClicks(log, "x");
        QCOMPARE(log->toPlainText(), window.view.debugOutput());
    }

    void logFollowsNewLinesWhileItsEndIsInView() {
        Window window;
        const auto add = [&window](int lines) {
            for (int i = 0; i < lines; ++i)
                window.view.appendDebugLog(QStringLiteral("satır %1").arg(i));
            const bool drained = drainPostedTasks(&window.view);
            QCoreApplication::processEvents();
            return drained;
        };
        QVERIFY(add(40));
        QScrollBar* bar = window.find<QPlainTextEdit>("logView")->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        QVERIFY(add(5));
        QCOMPARE(bar->value(), bar->maximum());
        // Scrolled up to read, the person stays there.
        bar->setValue(1);
        QVERIFY(add(5));
        QCOMPARE(bar->value(), 1);
    }

    void assistiveTechnologyReadsWhatIsShown() {
        Window window;
        // Depth first, as a screen reader walks the window: each label before what it names.
        QStringList reading;
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            for (int i = 0; i < node->childCount(); ++i) {
                QAccessibleInterface* child = node->child(i);
                if (child->state().invisible)
                    continue;
                reading << child->text(QAccessible::Name);
                walk(child);
            }
        };
        for (const char* section : {"sourceSection", "outputSection"}) {
            QAccessibleInterface* node =
                QAccessible::queryAccessibleInterface(window.find(section));
            reading << node->text(QAccessible::Name);
            walk(node);
        }
        reading.removeAll(QString());
        const QString urlTitle = QStringLiteral("Seçenek 1: URL'den İndir");
        const QString caption =
            QStringLiteral("DER dosyasının adını belirleyin (.der uzantısı otomatik eklenir)");
        // Pictures are not read out.
        QCOMPARE(reading,
                 (QStringList{"Sertifika Kaynağını Seçin", urlTitle,
                              "Bir web sitesinin SSL sertifikasını otomatik olarak indirir",
                              urlTitle, "VEYA", "Seçenek 2: Dosyadan Seç",
                              "Bilgisayarınızdan mevcut bir PEM dosyası seçin", "PEM Dosyası Seç",
                              "Çıktı Ayarları", caption, "Dosya adı (uzantısız)"}));
        QCOMPARE(QAccessible::queryAccessibleInterface(window.find("urlField"))->role(),
                 QAccessible::EditableText);
    }

    void terminationSignalClosesTheWindowAsAPersonWould() {
        // A logout or a kill: the event loop ends, and with the window its run's tool and
        // working folder go.
        const QTemporaryDir tmpdir;
        qputenv("TMPDIR", QFile::encodeName(tmpdir.path()));
        const QString pids = dir_.filePath("release.pids");
        QFile::remove(pids);
        quitOnTerminationSignals();
        auto window = std::make_unique<Window>(heldTool());
        window->view.setUrlString(QStringLiteral("localhost:1"));
        window->view.startConversion();
        QTRY_VERIFY(!readTestFile(pids).isEmpty());
        QTimer::singleShot(0, [] { ::raise(SIGTERM); });
        QCOMPARE(QCoreApplication::exec(), 0);
        window.reset();
        QCOMPARE(::kill(readTestFile(pids).trimmed().toInt(), 0), -1);
        QCOMPARE(workingFolders(tmpdir.path()), QStringList());
    }

    void terminationSignalWhileTheSaveDialogIsOpen_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP, a logout") << SIGHUP;
    }

    void terminationSignalWhileTheSaveDialogIsOpen() {
        // The person is asked once the download's tool is gone; the signal ends the dialog's
        // loop and the app's, and nothing of the run stays behind.
        QFETCH(int, signal);
        const QTemporaryDir tmpdir;
        qputenv("TMPDIR", QFile::encodeName(tmpdir.path()));
        TestCertificates certs;
        QVERIFY(certs.create(dir_.filePath("certificates")).isEmpty());
        TlsServer server;
        QVERIFY(server.start(certs.leafPem, certs.leafKey, certs.chainPem).isEmpty());
        quitOnTerminationSignals();
        QtFileDialogs dialogs;
        auto view = std::make_unique<ContentView>(dialogs);
        RootColumn window(*view);
        dialogs.setParentWindow(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* field = window.findChild<QLineEdit*>(QStringLiteral("urlField"));
        typeText(field, QStringLiteral("127.0.0.1:%1").arg(server.port()));
        QTest::keyClick(field, Qt::Key_Return);
        PersonAtModals person;
        QStringList asked; // the working files, and the tools alive, while the dialog is open
        person.at("QFileDialog", [&](QWidget*) {
            for (const QString& folder : workingFolders(tmpdir.path()))
                asked << QDir(folder).entryList(QDir::Files);
            for (const QProcess* tool : view->findChildren<QProcess*>())
                asked << tool->program();
            ::raise(signal);
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(person.stepsLeft(), 0);
        QCOMPARE(asked, (QStringList{"downloaded_chain.pem", "first_cert.pem"}));
        view.reset();
        QCOMPARE(workingFolders(tmpdir.path()), QStringList());
    }

    void statusCanBeSelectedAndCopied() {
        // People copy reasons and fingerprints: a click into the text, then the usual keys.
        Window window;
        window.view.pickPemFile(QUrl::fromLocalFile(dir_.filePath("yok.pem")));
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
        QVERIFY(waitForRunEnd(window.view));
        auto* detail = window.find<SelectableText>("statusDetail");
        QTest::mouseClick(detail->viewport(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), detail);
        QTest::keyClick(detail, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(detail, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), shownDetail(window.view.report()));
    }

    void newStatusIsAnnounced() {
        // Qt sends accessibility events only while a platform bridge listens: on X11 with
        // QT_LINUX_ACCESSIBILITY_ALWAYS_ON, as CI runs this case; offscreen there is none.
        Window window;
        const bool expected = qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
        if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, expected ? 10000 : 0)) {
            if (expected)
                QFAIL("the accessibility bridge is not active");
            QSKIP("no accessibility bridge on this platform");
        }
        // What a screen reader is told to say, by announcement or by a notification shown.
        static QStringList said;
        said.clear();
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
            if (event->type() == QAccessible::Announcement)
                said << static_cast<QAccessibleAnnouncementEvent*>(event)->message();
#else
            if (event->type() == QAccessible::ObjectShow &&
                event->object()->objectName() == QStringLiteral("announcement"))
                said << static_cast<QWidget*>(event->object())->accessibleName();
#endif
        });
        // The same failure twice: the second run's end is heard too, heading and reason apart.
        window.view.pickPemFile(QUrl::fromLocalFile(dir_.filePath("yok.pem")));
        for (int run = 0; run < 2; ++run) {
            QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
            QVERIFY(waitForRunEnd(window.view));
        }
        const QString failure = QStringLiteral("Hata: PEM dosyası okunamadı. ") +
                                shownDetail(window.view.report()).split(u'\n').first();
        QTRY_COMPARE(said.filter(QStringLiteral("Hata:")), QStringList({failure, failure}));
        // A success is heard without its fingerprint, which stays there to be read.
        TestCertificates certificates;
        QCOMPARE(certificates.create(dir_.path()), QString());
        window.view.pickPemFile(QUrl::fromLocalFile(certificates.leafPem));
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("duyulan.der")));
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
        QVERIFY(waitForRunEnd(window.view));
        QTRY_COMPARE(said.filter(QStringLiteral("Başarılı:")).size(), 1);
        QVERIFY(shownDetail(window.view.report()).contains(QStringLiteral("SHA-256")));
        QVERIFY(!said.join(u' ').contains(QStringLiteral("SHA-256")));
        QAccessible::installUpdateHandler(nullptr);
    }

    void applicationCarriesItsNameAndIcon() {
        RuveltaApp::setUpApplication();
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Ruvelta"));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Ruvelta"));
        QCOMPARE(QApplication::desktopFileName(), QStringLiteral("com.quessor.Ruvelta"));
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(256, 256)));
        QVERIFY(!icon.pixmap(48).toImage().isNull());
        RuveltaApp app;
        QCOMPARE(app.window().windowTitle(), QStringLiteral("Ruvelta"));
        applyLook(Palette::light);
    }

    void windowReopensWhereAndAsLargeAsItWasClosed() {
        RuveltaApp::setUpApplication();
        const QRect closedAt(40, 30, 760, 640);
        {
            RuveltaApp app;
            app.window().show();
            app.window().setGeometry(closedAt);
            QVERIFY(QTest::qWaitForWindowExposed(&app.window()));
        }
        RuveltaApp again;
        QCOMPARE(again.window().geometry(), closedAt);
        applyLook(Palette::light);
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
