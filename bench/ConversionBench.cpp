// A whole conversion, from the start action to the final status, against bare runs of the tool.
#include "BenchFixtures.h"
#include "BenchTable.h"
#include "Heartbeat.h"
#include "PemBundle.h"
#include "core/ContentView.h"
#include "support/ScriptedFileDialogs.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

// Starts the conversion and returns the seconds until its final status shows.
double timeRun(ContentView& view) {
    QEventLoop loop;
    QObject::connect(&view, &ContentView::statusMessageChanged, &loop, [&] {
        if (!view.statusMessage().isEmpty())
            loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    view.startConversion();
    if (view.statusMessage().isEmpty())
        loop.exec();
    return double(clock.nsecsElapsed()) / 1e9;
}

bool fixturesReady(benchmark::State& state) {
    const BenchFixtures& fixtures = BenchFixtures::instance();
    if (!fixtures.problem.isEmpty())
        state.SkipWithError(fixtures.problem.toStdString().c_str());
    return fixtures.problem.isEmpty();
}

void convertPickedFile(benchmark::State& state) {
    if (!fixturesReady(state))
        return;
    const BenchFixtures& fixtures = BenchFixtures::instance();
    ScriptedFileDialogs dialogs;
    ContentView view(dialogs);
    for (auto _ : state) {
        view.resetAll();
        dialogs.answerOpen(QUrl::fromLocalFile(fixtures.certificates.leafPem));
        view.selectPemFile();
        dialogs.answerSave(QUrl::fromLocalFile(fixtures.path("picked.der")));
        state.SetIterationTime(timeRun(view));
        if (!view.statusMessage().startsWith(QStringLiteral("✅")))
            state.SkipWithError("the conversion failed");
    }
}

void bareX509(benchmark::State& state) {
    if (!fixturesReady(state))
        return;
    const BenchFixtures& fixtures = BenchFixtures::instance();
    const QStringList arguments{"x509",
                                "-outform",
                                "der",
                                "-in",
                                fixtures.certificates.leafPem,
                                "-out",
                                fixtures.path("bare.der")};
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const bool ok = runOpenSslTool(arguments).ok;
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!ok)
            state.SkipWithError("openssl x509 failed");
    }
}

void downloadAndConvert(benchmark::State& state) {
    if (!fixturesReady(state))
        return;
    const BenchFixtures& fixtures = BenchFixtures::instance();
    ScriptedFileDialogs dialogs;
    ContentView view(dialogs);
    view.setUrlString(QStringLiteral("localhost:%1").arg(fixtures.server.port()));
    for (auto _ : state) {
        dialogs.answerSave(QUrl::fromLocalFile(fixtures.path("downloaded.der")));
        state.SetIterationTime(timeRun(view));
        if (!view.statusMessage().startsWith(QStringLiteral("✅")))
            state.SkipWithError("the download or conversion failed");
    }
}

void bareClientThenX509(benchmark::State& state) {
    if (!fixturesReady(state))
        return;
    const BenchFixtures& fixtures = BenchFixtures::instance();
    const QString host = QStringLiteral("localhost");
    const QStringList client{"s_client",
                             "-showcerts",
                             "-verify_return_error",
                             "-connect",
                             host + u':' + QString::number(fixtures.server.port()),
                             "-servername",
                             host};
    const QStringList x509{"x509",
                           "-outform",
                           "der",
                           "-in",
                           fixtures.certificates.leafPem,
                           "-out",
                           fixtures.path("bare-downloaded.der")};
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        runOpenSslTool(client); // exits 1 on the untrusted chain, as for the program
        const bool ok = runOpenSslTool(x509).ok;
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!ok)
            state.SkipWithError("openssl x509 failed");
    }
}

// How long the window stops answering for a picked 100 MB file, read off the GUI thread,
// from the start action to the save dialog (cancelled here).
void pickedBigFileStall(benchmark::State& state) {
    const QString bundle = pemBundle(100 << 20);
    if (bundle.isEmpty()) {
        state.SkipWithError("the bundle could not be made");
        return;
    }
    ScriptedFileDialogs dialogs;
    ContentView view(dialogs);
    double worstStallMs = 0;
    for (auto _ : state) {
        view.pickPemFile(QUrl::fromLocalFile(bundle));
        const Heartbeat heartbeat;
        QEventLoop loop;
        // A little after the run's end, so that the heartbeat beats once more and sees the gap.
        QObject::connect(&view, &ContentView::statusMessageChanged, &loop,
                         [&loop] { QTimer::singleShot(20, &loop, &QEventLoop::quit); });
        QTimer::singleShot(10, &view, [&view] { view.startConversion(); });
        loop.exec();
        worstStallMs = std::max(worstStallMs, heartbeat.worstStallMs());
        if (view.statusMessage() != QStringLiteral("Kaydetme iptal edildi"))
            state.SkipWithError("the file was not read to its first certificate");
    }
    state.counters["worst_stall_ms"] = worstStallMs;
}

const bool conversionBenchmarksRegistered = [] {
    const auto settings = [](benchmark::internal::Benchmark* benchmark) {
        benchmark->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10)
            ->Repetitions(9)
            ->ReportAggregatesOnly(true);
    };
    settings(benchmark::RegisterBenchmark("convert/picked_file", convertPickedFile));
    settings(benchmark::RegisterBenchmark("convert/bare_x509", bareX509));
    settings(benchmark::RegisterBenchmark("download/localhost", downloadAndConvert));
    settings(benchmark::RegisterBenchmark("download/bare_s_client_x509", bareClientThenX509));
    benchmark::RegisterBenchmark("convert/picked_100MB_stall", pickedBigFileStall)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    compare({"picked 100 MB file: worst event-loop stall (ms)",
             "convert/picked_100MB_stall:worst_stall_ms", "", 1.0, 50.0});
    compare({"conversion of a picked file (ms)", "convert/picked_file", "convert/bare_x509", 1.15});
    compare(
        {"download and conversion (ms)", "download/localhost", "download/bare_s_client_x509", 1.1});
    return true;
}();

} // namespace
