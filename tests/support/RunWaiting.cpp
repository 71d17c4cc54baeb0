#include "support/RunWaiting.h"

#include "core/ContentView.h"
#include "core/ReportText.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>
#include <memory>

QStringList detailTexts(const ContentView& view) {
    QStringList texts;
    for (const ReportLine& line : detailLines(view.report()))
        texts << line.text;
    return texts;
}

bool drainPostedTasks(QObject* context, int timeoutMs) {
    // The queue is a FIFO, so a marker posted last runs last. Shared, because after a timeout
    // the marker may still run once this frame is gone.
    const auto reached = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        context, [reached] { *reached = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([reached] { return *reached; }, timeoutMs);
}

bool waitForRunEnd(ContentView& view, int timeoutMs) {
    return QTest::qWaitFor([&view] { return !view.statusMessage().isEmpty(); }, timeoutMs) &&
           drainPostedTasks(&view);
}

QStringList workingFolders(const QString& tmpdir) {
    QStringList folders;
    const QDir dir(tmpdir);
    for (const QString& name :
         dir.entryList({QStringLiteral("ruvelta-*")}, QDir::Dirs | QDir::NoDotAndDotDot))
        folders << dir.filePath(name);
    return folders;
}

QString logMessage(const QString& line) {
    static const QRegularExpression stamp(QStringLiteral("^\\[[^\\]]+\\] "));
    QString message = QString(line).remove(stamp);
    if (message.endsWith(u'\n'))
        message.chop(1);
    return message;
}

namespace {

bool matchesFrom(const QStringList& log, const QStringList& pattern, qsizetype i, qsizetype j) {
    if (j == pattern.size())
        return i == log.size();
    if (pattern[j] == u'*') {
        for (qsizetype k = i; k <= log.size(); ++k)
            if (matchesFrom(log, pattern, k, j + 1))
                return true;
        return false;
    }
    return i < log.size() && log[i] == pattern[j] && matchesFrom(log, pattern, i + 1, j + 1);
}

} // namespace

bool matchesLog(const QStringList& log, const QStringList& pattern) {
    return matchesFrom(log, pattern, 0, 0);
}

QString succeededStatus(const QString& fileName) {
    return QStringLiteral("✅ DER dosyası başarıyla oluşturuldu → ") + fileName;
}

LogRecorder::LogRecorder(ContentView& view) {
    connect(&view, &ContentView::debugLineAppended, this,
            [this](const QString& line) { messages << logMessage(line); });
}

void verifyInitialState(const ContentView& view) {
    QVERIFY(view.urlString().isEmpty());
    QCOMPARE(view.outputName(), QStringLiteral("certificate"));
    QVERIFY(view.statusMessage().isEmpty());
    QVERIFY(view.selectedPemFile().isEmpty());
    QVERIFY(!view.isProcessing());
    QVERIFY(view.debugOutput().isEmpty());
    QCOMPARE(view.currentStep(), ProcessingStep::none);
    QCOMPARE(view.progress(), 0.0);
}
