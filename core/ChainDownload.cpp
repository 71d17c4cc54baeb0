#include "core/ContentView.h"
#include "core/FailureReasons.h"
#include "pipeline/DownloadTarget.h"
#include "pipeline/GraphemeText.h"
#include "pipeline/PemInspection.h"
#include "pipeline/PrivateTempFiles.h"
#include "pipeline/ToolRunner.h"

#include <QFileInfo>

namespace {

constexpr double chainDownloadTimeout = 20.0;
constexpr qsizetype outputExcerptLength = 500;
constexpr qsizetype errorExcerptLength = 300;

} // namespace

void ContentView::downloadCertificateChain(const RunHandle& run) {
    setProcessing(true);
    setStatusMessage(QString(), StatusKind::notice);
    setDebugOutput(QString());

    const DownloadTarget target = deriveDownloadTarget(urlString_);
    appendDebugLog(run, QStringLiteral("🔍 Girilen URL: '") + target.trimmedText + u'\'');
    setStep(run, ProcessingStep::downloading, 0.1);
    if (target.prefixAdded)
        appendDebugLog(run, QStringLiteral("🔧 https öneki eklendi: '") + target.urlText + u'\'');
    if (!target.isValid()) {
        reportFailure(run, QStringLiteral("❌ URL ayrıştırılamadı: '") + target.urlText + u'\'',
                      QStringLiteral("❌ Geçersiz URL"), FailureReasons::address(target));
        return;
    }
    appendDebugLog(run, QStringLiteral("🌐 Bağlanılan adres: ") +
                            connectAddress(target.host, target.port));
    setStep(run, ProcessingStep::downloading, 0.3);

    const QString chainFile = privateTempFilePath(QStringLiteral("downloaded_chain.pem"));
    appendDebugLog(run, QStringLiteral("📁 Geçici dosya yolu: ") + chainFile);
    startChainDownload(run, target.host, target.port, chainFile);
}

void ContentView::startChainDownload(const RunHandle& run, const QString& host, int port,
                                     const QString& chainFile) {
    appendDebugLog(run, QStringLiteral("📥 Sertifika indirimi başlatılıyor..."));
    setStep(run, ProcessingStep::downloading, 0.5);
    workers_.start([this, run, host, port, chainFile] { fetchChain(run, host, port, chainFile); });
}

void ContentView::fetchChain(const RunHandle& run, const QString& host, int port,
                             const QString& chainFile) {
    // Runs on a worker: it touches no state, only posts the result back.
    const QStringList arguments{QStringLiteral("s_client"),
                                QStringLiteral("-showcerts"),
                                QStringLiteral("-verify_return_error"),
                                QStringLiteral("-connect"),
                                connectAddress(host, port),
                                QStringLiteral("-servername"),
                                host};
    const ToolResult result =
        runOpenSSL(toolPath_, arguments, chainDownloadTimeout, &run->abandoned);
    post(run, [this, run, result, address = connectAddress(host, port), chainFile] {
        handleDownloadResult(run, result, address, chainFile);
    });
}

void ContentView::handleDownloadResult(const RunHandle& run, const ToolResult& result,
                                       const QString& address, const QString& chainFile) {
    appendDebugLog(run, QStringLiteral("📥 İndirme sonucu: ") + outcomeWord(result));
    if (!result.output.isEmpty()) {
        appendDebugLog(run, QStringLiteral("📤 çıktı (ilk 500 karakter):\n") +
                                graphemeExcerpt(result.output, outputExcerptLength));
    }
    if (!result.error.isEmpty()) {
        appendDebugLog(run, QStringLiteral("⚠️ hata (ilk 300 karakter):\n") +
                                graphemeExcerpt(result.error, errorExcerptLength));
    }
    setStep(run, ProcessingStep::downloading, 0.8);

    const QList<QString> blocks = extractCertificateBlocks(result.output);
    appendDebugLog(run,
                   QStringLiteral("📜 Bulunan sertifika sayısı: ") + QString::number(blocks.size()));
    if (blocks.isEmpty()) {
        reportFailure(run, QString(), QStringLiteral("❌ Sertifika zinciri indirilemedi"),
                      FailureReasons::download(result, toolPath_, address, chainDownloadTimeout));
        return;
    }

    // The file is written, checked and read by the conversion in this one stretch of GUI-thread
    // code, so a second download cannot replace it in between.
    QString error = writePrivateTempFile(chainFile, blocks.join(u'\n'));
    const QFileInfo saved(chainFile);
    if (error.isEmpty() && !saved.exists())
        error = chainFile + QStringLiteral(": kaydedilen dosya bulunamadı");
    if (!error.isEmpty()) {
        reportFailure(run, QStringLiteral("❌ Yazma hatası: ") + error,
                      QStringLiteral("❌ PEM dosyası kaydedilemedi"),
                      QStringLiteral("İndirilen zincir geçici klasöre kaydedilemedi: ") + error);
        return;
    }
    appendDebugLog(run, QStringLiteral("📊 Kaydedilen PEM dosya boyutu: ") +
                            QString::number(saved.size()) + QStringLiteral(" bytes"));
    setStep(run, ProcessingStep::downloaded, 0.9);

    const QUrl chainUrl = QUrl::fromLocalFile(chainFile);
    if (!validatePemFile(run, chainUrl)) {
        reportFailure(
            run, QString(), QStringLiteral("❌ İndirilen dosya geçerli bir PEM sertifikası değil"),
            QStringLiteral("Kaydedilen zincir dosyasında sertifika bulunamadı: ") + chainFile);
        return;
    }
    setStep(run, ProcessingStep::converting, 0.9);
    convertPemFileToDer(run, chainUrl, FailureReasons::chainWarning(result));
}
