#include "core/ContentView.h"
#include "pipeline/ShownTime.h"
#include "support/RunWaiting.h"
#include "support/ScriptedFileDialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

class CoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void constructionStartsAtInitialValuesAndDoesNoWork() {
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        QSignalSpy logSpy(&view, &ContentView::debugOutputChanged);
        QSignalSpy stepSpy(&view, &ContentView::currentStepChanged);
        QVERIFY(drainPostedTasks(&view));
        verifyInitialState(view);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(logSpy.count(), 0);
        QCOMPARE(stepSpy.count(), 0);
    }

    void mediumTimeHasHoursMinutesAndSecondsOnly_data() {
        QTest::addColumn<QLocale>("locale");
        for (const char* name : {"en_US", "tr_TR", "C", "de_DE", "ja_JP"})
            QTest::newRow(name) << QLocale(QString::fromLatin1(name));
    }

    void mediumTimeHasHoursMinutesAndSecondsOnly() {
        // Each Qt has its own locale tables: the patterns differ, the parts shown do not.
        QFETCH(QLocale, locale);
        const QString shown = locale.toString(QTime(14, 5, 9, 789), mediumTimeFormat(locale));
        const bool hour = shown.contains(QStringLiteral("14")) || shown.contains(u'2');
        QVERIFY2(hour && shown.contains(QStringLiteral("05")) &&
                     shown.contains(QStringLiteral("09")),
                 qPrintable(shown));
        QVERIFY2(!shown.contains(QStringLiteral("789")) && !shown.contains(QStringLiteral("UTC")) &&
                     !shown.contains(QStringLiteral("GMT")) && !shown.contains(u'+'),
                 qPrintable(shown));
    }

    void logLineIsStampedMessageAndLineFeed() {
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        view.appendDebugLog(QStringLiteral("first"));
        view.appendDebugLog(QString());
        view.appendDebugLog(QStringLiteral("two\nlines "));
        QVERIFY(drainPostedTasks(&view));
        const QString time = logStamp(QTime::currentTime());
        const QRegularExpression format(QStringLiteral(
            "^\\[([^\\]]+)\\] first\\n\\[([^\\]]+)\\] \\n\\[([^\\]]+)\\] two\\nlines \\n$"));
        const QRegularExpressionMatch match = format.match(view.debugOutput());
        QVERIFY2(match.hasMatch(), qPrintable(view.debugOutput()));
        // Same shape as the clock gives now (the test may cross a second boundary).
        QCOMPARE(match.captured(1).size(), time.size());
    }

    void resetAllClearsEverythingAndLeavesItsOneLine() {
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        view.setUrlString(QStringLiteral("example.com"));
        view.setOutputName(QString());
        view.appendDebugLog(QStringLiteral("old line"));
        view.setStep(ProcessingStep::failed, 1.0);
        QVERIFY(drainPostedTasks(&view));
        QVERIFY(!view.debugOutput().isEmpty());

        view.resetAll();
        verifyInitialState(view);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(drainPostedTasks(&view));
        const QRegularExpression onlyReset(
            QStringLiteral("^\\[[^\\]]+\\] \\[Reset\\] Tüm veriler temizlendi\\n$"));
        QVERIFY2(onlyReset.match(view.debugOutput()).hasMatch(), qPrintable(view.debugOutput()));
    }

    void clearAndCopyTheLog() {
        ScriptedFileDialogs dialogs;
        ContentView view(dialogs);
        view.appendDebugLog(QStringLiteral("satır bir"));
        view.appendDebugLog(QStringLiteral("🔍 satır iki"));
        QVERIFY(drainPostedTasks(&view));
        QGuiApplication::clipboard()->setText(QStringLiteral("something held before"));
        view.copyDebugLog();
        QCOMPARE(QGuiApplication::clipboard()->text(), view.debugOutput());
        QVERIFY(view.debugOutput().endsWith(u'\n'));

        QSignalSpy replaced(&view, &ContentView::debugOutputReplaced);
        view.clearDebugLog();
        QVERIFY(view.debugOutput().isEmpty());
        QCOMPARE(replaced.count(), 1);
        QVERIFY(drainPostedTasks(&view));
        QVERIFY(view.debugOutput().isEmpty());
    }
};

QTEST_MAIN(CoreTest)
#include "tst_core.moc"
