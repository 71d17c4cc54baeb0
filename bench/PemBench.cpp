// Reading a big PEM bundle and cutting out its blocks, against a bare scan for the markers.
#include "BenchTable.h"
#include "PemBundle.h"
#include "pipeline/PemText.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr qint64 bigBundle = 32 * 1024 * 1024;
constexpr qint64 smallBundle = 1024;

QString bundleOrSkip(benchmark::State& state) {
    const QString path = pemBundle(state.range(0));
    if (path.isEmpty())
        state.SkipWithError("the bundle could not be made");
    return path;
}

// The memory the program's reading takes, measured in a process of its own.
void reportPeakMemory(benchmark::State& state, const QString& path) {
    QProcess probe;
    probe.start(QCoreApplication::applicationDirPath() + QStringLiteral("/pem_probe"), {path});
    probe.waitForFinished(60000);
    const QList<QByteArray> words = probe.readAllStandardOutput().trimmed().split(' ');
    if (words.size() != 6) {
        state.SkipWithError("pem_probe failed");
        return;
    }
    state.counters["extra_memory_kb"] = words[5].toDouble() - words[3].toDouble();
    state.counters["file_kb"] = double(QFile(path).size()) / 1024.0;
}

void readAndExtract(benchmark::State& state) {
    const QString path = bundleOrSkip(state);
    if (path.isEmpty())
        return;
    for (auto _ : state) {
        // What a conversion does with a picked file: read, check, find the blocks, take the first.
        const std::optional<PemText> text = PemText::read(path);
        const QList<TextRange> blocks = text ? text->certificateBlocks() : QList<TextRange>();
        benchmark::DoNotOptimize(blocks.isEmpty() ? QString() : text->text(blocks.front()));
    }
    reportPeakMemory(state, path);
}

void scanMarkers(benchmark::State& state) {
    const QString path = bundleOrSkip(state);
    if (path.isEmpty())
        return;
    static const char begin[] = "-----BEGIN CERTIFICATE-----";
    static const char end[] = "-----END CERTIFICATE-----";
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        const char* at = bytes.constData();
        const char* stop = at + bytes.size();
        qsizetype found = 0;
        while (const void* b = memmem(at, size_t(stop - at), begin, sizeof begin - 1)) {
            at = static_cast<const char*>(b) + sizeof begin - 1;
            const void* e = memmem(at, size_t(stop - at), end, sizeof end - 1);
            if (!e)
                break;
            at = static_cast<const char*>(e) + sizeof end - 1;
            ++found;
        }
        benchmark::DoNotOptimize(found);
    }
}

const bool pemBenchmarksRegistered = [] {
    for (qint64 size : {bigBundle, smallBundle}) {
        const std::string suffix = size == bigBundle ? "32MB" : "1KB";
        benchmark::RegisterBenchmark(("pem/read_and_extract/" + suffix).c_str(), readAndExtract)
            ->Arg(size)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(9)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(("pem/memmem_scan/" + suffix).c_str(), scanMarkers)
            ->Arg(size)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(9)
            ->ReportAggregatesOnly(true);
        compare({"PEM " + suffix + ": read, decode, extract (ms)",
                 "pem/read_and_extract/" + suffix + "/" + std::to_string(size),
                 "pem/memmem_scan/" + suffix + "/" + std::to_string(size), 2.0});
    }
    compare({"PEM 32MB: extra memory against file size (kB)",
             "pem/read_and_extract/32MB/" + std::to_string(bigBundle) + ":extra_memory_kb",
             "pem/read_and_extract/32MB/" + std::to_string(bigBundle) + ":file_kb", 4.0});
    return true;
}();

} // namespace
