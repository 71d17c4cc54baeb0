#include "core/ContentView.h"
#include "core/FailureReasons.h"
#include "pipeline/DownloadTarget.h"
#include "pipeline/GraphemeText.h"
#include "pipeline/HttpProxy.h"
#include "pipeline/PemInspection.h"

#include <QFileInfo>

namespace {

constexpr qsizetype outputExcerptLength = 500;
constexpr qsizetype errorExcerptLength = 300;
const QString proxyPasswordVariable = QStringLiteral("RUVELTA_PROXY_PASSWORD");

} // namespace

void ContentView::downloadCertificateChain(Run* run) {
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
    if (!target.startTls.isEmpty())
        appendDebugLog(run, QStringLiteral("✉️ Önce düz metin, sonra STARTTLS: ") +
                                target.startTls);
    const ProxyChoice proxy = proxyFor(target.host, QProcessEnvironment::systemEnvironment());
    if (!proxy.unusable.isEmpty()) {
        reportFailure(run, QStringLiteral("❌ Proxy ayarı kullanılamıyor: ") + proxy.unusable,
                      QStringLiteral("❌ Sertifika zinciri indirilemedi"),
                      FailureReasons::unusableProxy(proxy.unusable));
        return;
    }
    if (proxy.proxy) {
        appendDebugLog(run, QStringLiteral("🛡️ Proxy üzerinden: %1 (%2)")
                                .arg(proxy.proxy->shown(), proxy.proxy->variable));
    }
    setStep(run, ProcessingStep::downloading, 0.3);

    const QString chainFile = run->folder.filePath(QStringLiteral("downloaded_chain.pem"));
    if (chainFile.isEmpty()) {
        reportFailure(run, QStringLiteral("❌ Yazma hatası: ") + run->folder.error(),
                      QStringLiteral("❌ PEM dosyası kaydedilemedi"),
                      QStringLiteral("Geçici klasör oluşturulamadı: ") + run->folder.error());
        return;
    }
    appendDebugLog(run, QStringLiteral("📁 Geçici dosya yolu: ") + chainFile);
    startChainDownload(run, target, proxy.proxy, chainFile);
}

void ContentView::startChainDownload(Run* run, const DownloadTarget& target,
                                     const std::optional<HttpProxy>& proxy,
                                     const QString& chainFile) {
    appendDebugLog(run, QStringLiteral("📥 Sertifika indirimi başlatılıyor..."));
    setStep(run, ProcessingStep::downloading, 0.5);
    QStringList arguments{QStringLiteral("s_client"),
                          QStringLiteral("-showcerts"),
                          QStringLiteral("-verify_return_error"),
                          QStringLiteral("-connect"),
                          connectAddress(target.host, target.port),
                          QStringLiteral("-servername"),
                          target.host};
    if (!target.startTls.isEmpty())
        arguments << QStringLiteral("-starttls") << target.startTls;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (proxy) {
        arguments << QStringLiteral("-proxy") << proxy->address();
        if (!proxy->user.isEmpty())
            arguments << QStringLiteral("-proxy_user") << proxy->user;
        // Through the environment: an argument would show the password to every local user.
        if (!proxy->password.isEmpty()) {
            environment.insert(proxyPasswordVariable, proxy->password);
            arguments << QStringLiteral("-proxy_pass")
                      << QStringLiteral("env:") + proxyPasswordVariable;
        }
    }
    runOpenSSL(
        run, toolPath_, arguments, timings_.download,
        [this, run, target, proxy, chainFile](const ToolResult& result) {
            handleDownloadResult(run, result, target, proxy, chainFile);
        },
        environment);
}

void ContentView::handleDownloadResult(Run* run, const ToolResult& result,
                                       const DownloadTarget& target,
                                       const std::optional<HttpProxy>& proxy,
                                       const QString& chainFile) {
    const QString& host = target.host;
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
        reportFailure(
            run, QString(), QStringLiteral("❌ Sertifika zinciri indirilemedi"),
            FailureReasons::download(result, toolPath_, target, proxy, timings_.download));
        return;
    }

    // Saved for the record; the conversion goes on from the chain in memory.
    QByteArray chain = blocks.join(u'\n').toUtf8();
    QString error = writeWorkingFile(chainFile, chain);
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

    PemText pem = PemText::fromUtf8(std::move(chain));
    if (!validatePem(run, pem, chainFile)) {
        reportFailure(
            run, QString(), QStringLiteral("❌ İndirilen dosya geçerli bir PEM sertifikası değil"),
            QStringLiteral("Kaydedilen zincir dosyasında sertifika bulunamadı: ") + chainFile);
        return;
    }
    setStep(run, ProcessingStep::converting, 0.9);
    Conversion conversion;
    conversion.chainWarning = FailureReasons::chainWarning(result);
    conversion.host = host;
    convertPemFileToDer(run, QUrl::fromLocalFile(chainFile), std::move(pem), conversion);
}
