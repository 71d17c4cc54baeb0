// Start-up: process start to the first frame of the window, against a bare Qt window.
#include "BenchTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

void startWindow(benchmark::State& state, const char* kind) {
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/window_probe");
    double peakRssKb = 0;
    for (auto _ : state) {
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(probe, {QString::fromLatin1(kind)});
        QByteArray report;
        while (!report.contains('\n') && process.waitForReadyRead(10000))
            report += process.readAllStandardOutput();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        process.waitForFinished();
        const QList<QByteArray> words = report.trimmed().split(' ');
        if (words.size() != 2 || words[0] != "frame") {
            state.SkipWithError("the probe reported no frame");
            return;
        }
        peakRssKb = words[1].toDouble();
    }
    state.counters["peak_rss_kb"] = peakRssKb;
}

const bool startupBenchmarksRegistered = [] {
    for (const char* kind : {"app", "bare", "static"}) {
        benchmark::RegisterBenchmark((std::string("startup/") + kind).c_str(), startWindow, kind)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(21)
            ->ReportAggregatesOnly(true);
    }
    compare({"start-up to first frame (ms)", "startup/app", "startup/bare", 1.2});
    compare({"start-up peak resident memory (kB)", "startup/app:peak_rss_kb",
             "startup/bare:peak_rss_kb", 1.2});
    // The truer floor: the same texts in the same fonts, without any logic.
    compare({"start-up against the same texts, static (ms)", "startup/app", "startup/static", 1.1});
    compare({"memory against the same texts, static (kB)", "startup/app:peak_rss_kb",
             "startup/static:peak_rss_kb", 1.1});
    return true;
}();

} // namespace
