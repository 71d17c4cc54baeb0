// The activity log: lines appended through the converter into the debug panel's view.
#include "BenchTable.h"
#include "Heartbeat.h"
#include "core/ContentView.h"
#include "support/ScriptedFileDialogs.h"
#include "ui/DebugPanel.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

// Lines arrive in bursts, as from a chatty run: a burst per turn of the event loop.
constexpr int linesPerBurst = 1000;

void appendLines(benchmark::State& state) {
    const int lines = int(state.range(0));
    ScriptedFileDialogs dialogs;
    ContentView view(dialogs);
    DebugPanel panel(view);
    panel.resize(652, 300);
    panel.show();
    const QString message =
        QStringLiteral("📜 Bulunan sertifika sayısı: 3 — an ordinary log line of some length");

    double worstStallMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        view.clearDebugLog();
        QCoreApplication::processEvents();
        state.ResumeTiming();

        const Heartbeat heartbeat;

        QEventLoop loop;
        int sent = 0;
        QTimer producer;
        producer.setInterval(0);
        QObject::connect(&producer, &QTimer::timeout, [&] {
            for (int i = 0; i < linesPerBurst && sent < lines; ++i, ++sent)
                view.appendDebugLog(message);
            if (sent == lines) {
                producer.stop();
                // Runs after every line posted before it.
                QMetaObject::invokeMethod(
                    &view, [&loop] { loop.quit(); }, Qt::QueuedConnection);
            }
        });
        producer.start();
        loop.exec();
        // Let the view catch up with what it was given.
        QCoreApplication::processEvents();
        worstStallMs = std::max(worstStallMs, heartbeat.worstStallMs());
        benchmark::DoNotOptimize(view.debugOutput().size());
    }
    state.counters["worst_stall_ms"] = worstStallMs;
}

const bool logBenchmarksRegistered = [] {
    for (int lines : {10000, 100000}) {
        benchmark::RegisterBenchmark("log/append", appendLines)
            ->Arg(lines)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    compare(
        {"log: 100,000 lines against 10,000 (ms)", "log/append/100000", "log/append/10000", 12.0});
    compare({"log: worst event-loop stall, 100,000 lines (ms)", "log/append/100000:worst_stall_ms",
             "", 1.0, 50.0});
    return true;
}();

} // namespace
