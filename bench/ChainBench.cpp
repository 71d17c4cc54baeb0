// Listing a source's certificates: 20,000 against a server's usual three.
#include "BenchTable.h"
#include "PemBundle.h"
#include "core/ContentView.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TestFiles.h"
#include "ui/ChainSection.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

// Enough 2 kB certificates for the longest list.
constexpr qint64 bundleBytes = 44 * 1024 * 1024;

// The bundle and the blocks of its first `count` certificates; nothing, and the benchmark
// skipped, where it holds fewer.
std::optional<std::pair<PemText, QList<TextRange>>> bundleOf(benchmark::State& state,
                                                             qsizetype count) {
    const QString path = pemBundle(bundleBytes);
    const std::optional<PemText> text = path.isEmpty() ? std::nullopt : PemText::read(path);
    const QList<TextRange> blocks = text ? text->certificateBlocks() : QList<TextRange>();
    if (blocks.size() < count) {
        state.SkipWithError("the bundle holds too few certificates");
        return std::nullopt;
    }
    return std::pair{*text, blocks.first(count)};
}

// A chain section of a column's width, over a view of its own.
struct Section {
    Section() { section.resize(652, 500); }
    ScriptedFileDialogs dialogs;
    ContentView view{dialogs};
    ChainSection section{view};
};

// From the list's model taking the certificates to the section drawn with them.
void listCertificates(benchmark::State& state) {
    const auto bundle = bundleOf(state, state.range(0));
    if (!bundle)
        return;
    const auto& [text, listed] = *bundle;
    Section shown;
    ContentView& view = shown.view;
    ChainSection& section = shown.section;
    for (auto _ : state) {
        view.chain().show(text, listed);
        section.repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        view.chain().clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// The system's CA bundle, its certificates repeated to `count`: names of every shape.
std::optional<std::pair<PemText, QList<TextRange>>> systemBundleOf(benchmark::State& state,
                                                                   qsizetype count) {
    const QByteArray one = readTestFile(QStringLiteral("/etc/ssl/certs/ca-certificates.crt"));
    const qsizetype blocks = certificateBlockRanges(one).size();
    if (blocks == 0) {
        state.SkipWithError("no system CA bundle");
        return std::nullopt;
    }
    QByteArray repeated;
    for (qsizetype held = 0; held < count; held += blocks)
        repeated += one;
    const PemText text = PemText::fromUtf8(repeated);
    return std::pair{text, text.certificateBlocks().first(count)};
}

// A search typed over the whole list, each time over a model just shown: every certificate is
// read for its names. "=" stands in every name, so every row must be found.
void searchCertificates(benchmark::State& state, bool system) {
    constexpr qsizetype count = 20000;
    const auto bundle = system ? systemBundleOf(state, count) : bundleOf(state, count);
    if (!bundle)
        return;
    Section shown;
    ContentView& view = shown.view;
    ChainSection& section = shown.section;
    auto* search = section.findChild<QLineEdit*>(QStringLiteral("chainFilter"));
    auto* list = section.findChild<QAbstractItemView*>();
    for (auto _ : state) {
        state.PauseTiming();
        search->clear();
        view.chain().show(bundle->first, bundle->second);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        search->setText(QStringLiteral("="));
        section.repaint();
        QCoreApplication::processEvents();
        if (list->model()->rowCount() != count) {
            state.SkipWithError("the search did not find every certificate");
            return;
        }
    }
}

// Each key typed once the names are read: all 20,000 rows filtered again, every one found.
void typeIntoSearch(benchmark::State& state) {
    const auto bundle = bundleOf(state, 20000);
    if (!bundle)
        return;
    Section shown;
    ContentView& view = shown.view;
    ChainSection& section = shown.section;
    view.chain().show(bundle->first, bundle->second);
    auto* search = section.findChild<QLineEdit*>(QStringLiteral("chainFilter"));
    search->setText(QStringLiteral("bundle"));
    QCoreApplication::processEvents();
    bool longer = true;
    for (auto _ : state) {
        search->setText(longer ? QStringLiteral("bundle.") : QStringLiteral("bundle"));
        longer = !longer;
        section.repaint();
        QCoreApplication::processEvents();
    }
}

const bool chainBenchmarksRegistered = [] {
    benchmark::RegisterBenchmark("chain/typing", typeIntoSearch)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    compare({"chain: a key typed in a search of 20,000 (ms)", "chain/typing", "", 1.0, 100.0});
    for (const bool system : {false, true}) {
        benchmark::RegisterBenchmark(system ? "chain/search/system-bundle" : "chain/search/bundle",
                                     searchCertificates, system)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    compare({"chain: first search over 20,000 certificates (ms)", "chain/search/bundle", "", 1.0,
             100.0});
    compare({"chain: first search over the system CA bundle to 20,000 (ms)",
             "chain/search/system-bundle", "", 1.0, 100.0});
    for (int certificates : {20000, 3}) {
        benchmark::RegisterBenchmark("chain/list", listCertificates)
            ->Arg(certificates)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(9)
            ->ReportAggregatesOnly(true);
    }
    compare({"chain: 20,000 certificates listed against 3 (ms)", "chain/list/20000", "chain/list/3",
             2.0});
    return true;
}();

} // namespace
