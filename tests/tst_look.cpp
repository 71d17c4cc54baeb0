// How the window meets a person's eyes: it fits the screen, its texts read well in light and
// dark palettes (measured from drawn pixels), long names are never cut and emoji are in colour.
#include "support/LoopbackServers.h"
#include "support/RunWaiting.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"
#include "support/TestWindow.h"
#include "ui/SelectableText.h"
#include "ui/Spoken.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(Palette)

namespace {

enum class State { fresh, busy, succeeded, warned, failed, cancelled };

QLabel* labelWithText(QWidget* root, const QString& text) {
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (withoutMnemonic(label->text()) == text)
            return label;
    }
    qWarning("no label reads %s", qPrintable(text));
    return nullptr;
}

// Where the widget stands in the column's viewport.
QRect inViewport(Window& window, QWidget* widget) {
    QWidget* viewport = window.find<QScrollArea>("columnScrollArea")->viewport();
    return QRect(widget->mapTo(viewport, QPoint(0, 0)), widget->size());
}

// Turns the mouse wheel over the column a notch down the page (`notches` -1: up), as a person
// does.
void turnWheelDown(Window& window, int notches = 1) {
    QWidget* viewport = window.find<QScrollArea>("columnScrollArea")->viewport();
    const QPoint middle = viewport->rect().center();
    QWheelEvent wheel(middle, viewport->mapToGlobal(middle), QPoint(), QPoint(0, -120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &wheel);
    QCoreApplication::processEvents();
}

// Turns the mouse wheel until the widget is wholly in view; one outside the column always is.
bool scrollIntoView(Window& window, QWidget* widget) {
    QWidget* viewport = window.find<QScrollArea>("columnScrollArea")->viewport();
    if (!viewport->isAncestorOf(widget))
        return widget->isVisible();
    for (int turn = 0; turn < 100; ++turn) {
        const QRect at = inViewport(window, widget);
        if (viewport->rect().contains(at))
            return true;
        turnWheelDown(window, at.top() < 0 ? -1 : 1);
    }
    return false;
}

} // namespace

class LookTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    TestCertificates certs_;
    std::unique_ptr<TlsServer> server_;

    QString release() const { return dir_.filePath("release"); }

    // Brings the window to the state through its own controls and converter.
    void bringTo(Window& window, State state) {
        switch (state) {
        case State::fresh:
            return;
        case State::busy:
            QTest::keyClicks(window.find("urlField"), "localhost:1");
            QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
            QVERIFY(drainPostedTasks(&window.view));
            return;
        case State::warned:
            // The test server's chain is trusted nowhere: saved, with a warning.
            QTest::keyClicks(window.find("urlField"),
                             "localhost:" + QString::number(server_->port()));
            window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("uyarı.der")));
            QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
            QVERIFY(waitForRunEnd(window.view));
            return;
        case State::failed:
            QTest::keyClicks(window.find("urlField"), "   ");
            QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
            QVERIFY(waitForRunEnd(window.view));
            return;
        case State::succeeded:
        case State::cancelled:
            window.dialogs.answerOpen(QUrl::fromLocalFile(certs_.leafPem));
            QTest::mouseClick(window.find("pickFileButton"), Qt::LeftButton);
            window.dialogs.answerSave(state == State::cancelled ? std::nullopt
                                                                : std::optional(QUrl::fromLocalFile(
                                                                      dir_.filePath("çıktı.der"))));
            QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
            QVERIFY(waitForRunEnd(window.view));
            return;
        }
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("TMPDIR", QFile::encodeName(dir_.path()));
        QCOMPARE(certs_.create(dir_.filePath("certificates")), QString());
        server_ = std::make_unique<TlsServer>();
        QCOMPARE(server_->start(certs_.leafPem, certs_.leafKey, certs_.chainPem), QString());
    }

    void init() {
        QFile::remove(release());
        applyLook(Palette::light);
    }

    void cleanup() { writeTestFile(release(), QByteArray()); }

    void cleanupTestCase() { server_.reset(); }

    void textsReadWell_data() {
        QTest::addColumn<Palette>("palette");
        QTest::addColumn<State>("state");
        QTest::addColumn<QString>("text"); // an object name, or a label's text after "="
        QTest::addColumn<double>("minimum");
        QTest::addColumn<bool>("switched"); // the system turns light to dark or back, while open
        const QList<std::tuple<const char*, State, const char*, double>> texts{
            {"success status", State::succeeded, "statusMessage", 4.5},
            {"warning status", State::warned, "statusMessage", 4.5},
            {"failure status", State::failed, "statusMessage", 4.5},
            {"information status", State::cancelled, "statusMessage", 4.5},
            {"busy button", State::busy, "convertButton", 4.5},
            {"unavailable button", State::fresh, "convertButton", 4.5},
            {"reset label", State::fresh, "resetButton", 4.5},
            {"large title", State::fresh, "titleLabel", 3.0},
            {"subtitle", State::fresh, "subtitleLabel", 4.5},
            {"version", State::fresh, "versionLabel", 4.5},
            {"maker", State::fresh, "makerLabel", 4.5},
            {"option hint on its card", State::fresh,
             "=Bir web sitesinin SSL sertifikasını otomatik olarak indirir", 4.5},
            {"separator on its card", State::fresh, "=VEYA", 4.5},
            {"output caption", State::fresh,
             "=DER dosyasının adını belirleyin (.der uzantısı otomatik eklenir)", 4.5},
            {"address placeholder", State::fresh, "urlField", 4.5},
            {"step", State::busy, "stepText", 4.5},
            {"percentage", State::busy, "percentageText", 4.5},
            {"picked file's caption", State::cancelled, "=Seçilen dosya:", 4.5},
            {"log", State::cancelled, "logView", 4.5},
        };
        for (Palette palette : {Palette::light, Palette::dark}) {
            for (const auto& [name, state, text, minimum] : texts) {
                QTest::addRow("%s, %s", palette == Palette::light ? "light" : "dark", name)
                    << palette << state << QString::fromUtf8(text) << minimum << false;
            }
        }
        // Pictures, in the emoji's own colours, need 3:1. Not the success mark on light: its white
        // check on its own green (2.5:1) is the emoji font's, whatever stands around it.
        for (const auto& [palette, name, state] :
             {std::tuple{Palette::light, "light, warning mark", State::warned},
              {Palette::light, "light, failure mark", State::failed},
              {Palette::dark, "dark, success mark", State::succeeded},
              {Palette::dark, "dark, warning mark", State::warned},
              {Palette::dark, "dark, failure mark", State::failed}})
            QTest::newRow(name) << palette << state << "statusMark" << 3.0 << false;
        QTest::newRow("light, then dark: failure status")
            << Palette::light << State::failed << "statusMessage" << 4.5 << true;
        QTest::newRow("dark, then light: option hint on its card")
            << Palette::dark << State::fresh
            << "=Bir web sitesinin SSL sertifikasını otomatik olarak indirir" << 4.5 << true;
        QTest::newRow("light, then dark: step")
            << Palette::light << State::busy << "stepText" << 4.5 << true;
    }

    void textsReadWell() {
        QFETCH(Palette, palette);
        QFETCH(State, state);
        QFETCH(QString, text);
        QFETCH(double, minimum);
        QFETCH(bool, switched);
        applyLook(palette);
        Window window(state == State::busy ? writeHeldTool(dir_.path(), release())
                                           : QStringLiteral("/usr/bin/openssl"));
        bringTo(window, state);
        if (switched) {
            QApplication::setPalette(
                systemPalette(palette == Palette::light ? Palette::dark : Palette::light));
            QCoreApplication::processEvents();
        }
        QWidget* widget = text.startsWith(u'=') ? labelWithText(&window.root, text.mid(1))
                                                : window.find(text.toUtf8().constData());
        QVERIFY(widget && widget->isVisible());
        QVERIFY(scrollIntoView(window, widget));
        const QImage pixels = window.textPixelsOf(widget);
        const double contrast = textContrast(pixels);
        QVERIFY2(contrast >= minimum, qPrintable(QStringLiteral("%1:1").arg(contrast, 0, 'f', 2)));
    }

    void windowFitsTheScreenThroughAWholeRun() {
        Window window;
        const QRect screen = window.root.screen()->availableGeometry();
        const QSize opened = window.root.size();
        QVERIFY(screen.contains(window.root.frameGeometry()));

        QTest::keyClicks(window.find("urlField"), "localhost:" + QString::number(server_->port()));
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("run.der")));
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
        QVERIFY(waitForRunEnd(window.view));
        QCOMPARE(window.view.statusMessage(), succeededStatus("run.der"));
        for (int i = 0; i < 300; ++i)
            window.view.appendDebugLog(QStringLiteral("📊 satır %1").arg(i));
        QVERIFY(drainPostedTasks(&window.view));
        QVERIFY(window.shown("progressSection") && window.shown("debugPanel"));

        // Sections came and went; the window kept the size it opened at, inside the screen.
        QCOMPARE(window.root.size(), opened);
        QVERIFY(screen.contains(window.root.frameGeometry()));
        // Reset and footer stay within reach, and reset works while the work is busy.
        QVERIFY(scrollIntoView(window, window.find("footerSection")));
        auto* reset = window.find<QPushButton>("resetButton");
        QVERIFY(scrollIntoView(window, reset));
        QTest::mouseClick(reset, Qt::LeftButton);
        QVERIFY(drainPostedTasks(&window.view));
        QVERIFY(
            window.view.debugOutput().endsWith(QStringLiteral("[Reset] Tüm veriler temizlendi\n")));
    }

    void windowOpensShowingAWholeRunWhereTheScreenAllows() {
        Window window;
        const QRect screen = window.root.screen()->availableGeometry();
        QTest::keyClicks(window.find("urlField"), "localhost:" + QString::number(server_->port()));
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("run.der")));
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
        QVERIFY(waitForRunEnd(window.view));
        auto* area = window.find<QScrollArea>("columnScrollArea");
        const int needed = area->widget()->minimumSizeHint().height();
        // Without scrolling where the screen is tall enough; otherwise as tall as it allows.
        if (needed <= screen.height() - 100)
            QCOMPARE(area->verticalScrollBar()->maximum(), 0);
        else
            QVERIFY(window.root.frameGeometry().height() >= screen.height() * 8 / 10);
        // Made taller, the window gives its room to the chain's list.
        auto* list = window.find("chainList");
        const int rows = list->height();
        const int taller = screen.height() - window.root.frameGeometry().height();
        if (taller >= 200) {
            window.root.resize(window.root.width(), window.root.height() + taller);
            QTRY_COMPARE(list->height(), rows + taller);
        }
    }

    // Where the person acts on the chain, its actions stay under the pointer as statuses come
    // and go above them, and as the busy state ends.
    void theChainsActionsStayPut() {
        Window window(openSslPath, quickTimings);
        window.root.resize(100, 100);
        QTest::keyClicks(window.find("urlField"), "localhost:" + QString::number(server_->port()));
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("ilk.der")));
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
        QVERIFY(waitForRunEnd(window.view));
        QVERIFY(scrollIntoView(window, window.find("saveChainButton")));
        const auto at = [&window](const char* name) {
            return window.find(name)->mapToGlobal(QPoint());
        };
        const QPoint status = at("statusBanner");
        QTRY_VERIFY(!window.view.isProcessing());
        QVERIFY(drainPostedTasks(&window.view));
        QCOMPARE(at("statusBanner"), status);

        // Down to the chain's actions, the status out of sight above them.
        QWidget* banner = window.find("statusBanner");
        for (int turn = 0; turn < 100 && inViewport(window, banner).bottom() >= 0; ++turn)
            turnWheelDown(window);
        QWidget* viewport = window.find<QScrollArea>("columnScrollArea")->viewport();
        QVERIFY(inViewport(window, banner).bottom() < 0);
        QVERIFY(viewport->rect().contains(inViewport(window, window.find("saveChainButton"))));
        const QPoint save = at("saveCertificateButton");
        const QPoint whole = at("saveChainButton");
        for (const std::optional<QUrl>& answer :
             {std::optional(QUrl::fromLocalFile(dir_.filePath("yine.der"))),
              std::optional<QUrl>()}) {
            window.dialogs.answerSave(answer);
            QSignalSpy ended(&window.view, &ContentView::statusMessageChanged);
            QTest::mouseClick(window.find("saveCertificateButton"), Qt::LeftButton);
            QVERIFY(ended.wait() && drainPostedTasks(&window.view));
            QCoreApplication::processEvents();
            QCOMPARE(at("saveCertificateButton"), save);
        }
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath("zincir.pem")));
        QTest::mouseClick(window.find("saveChainButton"), Qt::LeftButton);
        QVERIFY(waitForRunEnd(window.view));
        QCoreApplication::processEvents();
        QCOMPARE(window.view.statusMessage(), "✅ PEM zinciri kaydedildi → zincir.pem");
        QCOMPARE(at("saveChainButton"), whole);
    }

    void smallestWindowHoldsAndScrolls() {
        Window window(writeHeldTool(dir_.path(), release()));
        const QRect screen = window.root.screen()->availableGeometry();
        window.root.resize(100, 100);
        const QSize smallest = window.root.size();
        // 700 x 600 where the screen has room for it; never more than the screen.
        if (screen.width() >= 700 && screen.height() >= 700)
            QCOMPARE(smallest, QSize(700, 600));
        QVERIFY(screen.contains(window.root.frameGeometry()));

        bringTo(window, State::busy);
        for (int i = 0; i < 50; ++i)
            window.view.appendDebugLog(QStringLiteral("satır %1").arg(i));
        QVERIFY(drainPostedTasks(&window.view));
        QCOMPARE(window.root.size(), smallest);
        auto* reset = window.find<QPushButton>("resetButton");
        QVERIFY(scrollIntoView(window, reset));
        QTest::mouseClick(reset, Qt::LeftButton);
        QVERIFY(!window.view.isProcessing());
    }

    void noTextIsCutAtALargerFont_data() {
        QTest::addColumn<State>("state");
        QTest::newRow("fresh") << State::fresh;
        QTest::newRow("busy") << State::busy;
        QTest::newRow("succeeded") << State::succeeded;
    }

    void noTextIsCutAtALargerFont() {
        // As a desktop whose font is half as large again as the default.
        QFETCH(State, state);
        const QFont original = QApplication::font();
        QFont larger = original;
        larger.setPointSizeF(original.pointSizeF() * 1.5);
        QApplication::setFont(larger);
        const auto restore = qScopeGuard([&] { QApplication::setFont(original); });
        Window window(state == State::busy ? writeHeldTool(dir_.path(), release())
                                           : QStringLiteral("/usr/bin/openssl"));
        bringTo(window, state);
        QCoreApplication::processEvents();
        QCOMPARE(cutTexts(&window.root), QStringList());
        QVERIFY(window.root.screen()->availableGeometry().contains(window.root.frameGeometry()));
    }

    void theEndOfARunComesIntoView() {
        Window window;
        bringTo(window, State::failed);
        QWidget* banner = window.find("statusBanner");
        QWidget* viewport = window.find<QScrollArea>("columnScrollArea")->viewport();
        QTRY_VERIFY(viewport->rect().contains(
            QRect(banner->mapTo(viewport, QPoint(0, 0)), banner->size())));
    }

    void startingWorkFromTheKeyboardLeavesTheViewInPlace() {
        Window window(writeHeldTool(dir_.path(), release()));
        QVERIFY(QTest::qWaitForWindowActive(&window.root));
        auto* url = window.find<QLineEdit>("urlField");
        QTest::mouseClick(url, Qt::LeftButton);
        QTest::keyClicks(url, "localhost:1");
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.find("convertButton"));
        auto* area = window.find<QScrollArea>("columnScrollArea");
        const int before = area->verticalScrollBar()->value();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(drainPostedTasks(&window.view));
        QVERIFY(window.view.isProcessing());
        // The focused button went disabled; the window did not scroll after the focus.
        QCOMPARE(area->verticalScrollBar()->value(), before);
    }

    void longNameIsShownWhole() {
        Window window;
        // 150 characters, no blank: the status can only break inside the name.
        const QString name = QStringLiteral("sunucu-sertifikasi-").repeated(8).first(146) + ".der";
        window.dialogs.answerOpen(QUrl::fromLocalFile(certs_.leafPem));
        QTest::mouseClick(window.find("pickFileButton"), Qt::LeftButton);
        window.dialogs.answerSave(QUrl::fromLocalFile(dir_.filePath(name)));
        QTest::mouseClick(window.find("convertButton"), Qt::LeftButton);
        QVERIFY(waitForRunEnd(window.view));
        QCOMPARE(window.view.statusMessage(), succeededStatus(name));
        QCoreApplication::processEvents();

        auto* message = window.find<SelectableText>("statusMessage");
        QWidget* banner = window.find("statusBanner");
        QWidget* viewport = window.find<QScrollArea>("columnScrollArea")->viewport();
        QCOMPARE(window.shownStatus(), window.view.statusMessage());
        QVERIFY(message->fontMetrics().horizontalAdvance(name) > message->width());
        QVERIFY(message->height() >= message->heightForWidth(message->width()));
        // Every stroke of the text is drawn, none cut off at the edge: as much ink as the same
        // text leaves on one line where it has all the room it needs.
        QVERIFY(scrollIntoView(window, banner));
        const QImage shown = window.pixelsOf(message);
        QImage whole(QSize(message->fontMetrics().horizontalAdvance(message->text()) + 40,
                           message->fontMetrics().height() * 2) *
                         shown.devicePixelRatio(),
                     QImage::Format_RGB32);
        whole.setDevicePixelRatio(shown.devicePixelRatio());
        whole.fill(QColor(shown.pixel(shown.width() - 1, shown.height() - 1)));
        {
            QPainter painter(&whole);
            painter.setFont(message->font());
            painter.setPen(message->palette().color(QPalette::WindowText));
            painter.drawText(QPointF(10, message->fontMetrics().ascent() + 5), message->text());
        }
        const auto ink = [](const QImage& pixels) {
            const QColor paper(pixels.pixel(pixels.width() - 1, pixels.height() - 1));
            int strokes = 0;
            for (int y = 0; y < pixels.height(); ++y) {
                for (int x = 0; x < pixels.width(); ++x)
                    strokes += Theme::contrastRatio(QColor(pixels.pixel(x, y)), paper) > 2.0;
            }
            return strokes;
        };
        QVERIFY2(ink(shown) >= ink(whole) * 95 / 100,
                 qPrintable(QStringLiteral("%1 of %2").arg(ink(shown)).arg(ink(whole))));
        // All within the banner, the banner within the window.
        QVERIFY(
            banner->rect().contains(QRect(message->mapTo(banner, QPoint(0, 0)), message->size())));
        const QRect inViewport(banner->mapTo(viewport, QPoint(0, 0)), banner->size());
        QVERIFY(inViewport.left() >= 0 && inViewport.right() <= viewport->width());
    }

    void warningSignInTheLogIsInColour() {
        Window window;
        window.view.appendDebugLog(QStringLiteral("⚠️ hata (ilk 300 karakter):"));
        QVERIFY(drainPostedTasks(&window.view));
        auto* log = window.find<QPlainTextEdit>("logView");
        QTRY_COMPARE(log->toPlainText(), window.view.debugOutput());
        QTextCursor sign(log->document());
        sign.setPosition(int(window.view.debugOutput().indexOf(u'⚠')));
        QRect glyph = log->cursorRect(sign);
        sign.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 2);
        glyph = glyph.united(log->cursorRect(sign));
        const QImage pixels = log->viewport()->grab(glyph).toImage();
        int coloured = 0;
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x)
                coloured += QColor(pixels.pixel(x, y)).hsvSaturationF() > 0.5f;
        }
        QVERIFY2(coloured >= 10, qPrintable(QString::number(coloured)));
    }
};

QTEST_MAIN(LookTest)
#include "tst_look.moc"
