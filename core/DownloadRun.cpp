#include "core/DownloadRun.h"

#include "core/FailureReasons.h"
#include "core/PemValidation.h"
#include "pipeline/GraphemeText.h"
#include "pipeline/PemInspection.h"

#include <QFileInfo>
#include <QUrl>

namespace {

constexpr qsizetype outputExcerptLength = 500;
constexpr qsizetype errorExcerptLength = 300;
const QString proxyPasswordVariable = QStringLiteral("RUVELTA_PROXY_PASSWORD");

} // namespace

DownloadRun::DownloadRun(quint64 serial, const RunContext& context, const QString& typed,
                         QObject* parent)
    : DerConversionRun(serial, context, parent)
    , target_(deriveDownloadTarget(typed)) {}

void DownloadRun::start() {
    step(ProcessingStep::downloading, Progress::idle);
    log(QStringLiteral("🔍 Girilen URL: '") + target_.trimmedText + u'\'');
    step(ProcessingStep::downloading, Progress::addressRead);
    if (target_.prefixAdded)
        log(QStringLiteral("🔧 https öneki eklendi: '") + target_.urlText + u'\'');
    if (!target_.isValid()) {
        fail(QStringLiteral("❌ URL ayrıştırılamadı: '") + target_.urlText + u'\'',
             QStringLiteral("❌ Geçersiz URL"), FailureReasons::address(target_));
        return;
    }
    log(QStringLiteral("🌐 Bağlanılan adres: ") + connectAddress(target_.host, target_.port));
    if (!target_.startTls.isEmpty())
        log(QStringLiteral("✉️ Önce düz metin, sonra STARTTLS: ") + target_.startTls);
    const ProxyChoice proxy = proxyFor(target_.host, QProcessEnvironment::systemEnvironment());
    if (!proxy.unusable.isEmpty()) {
        fail(QStringLiteral("❌ Proxy ayarı kullanılamıyor: ") + proxy.unusable,
             QStringLiteral("❌ Sertifika zinciri indirilemedi"),
             FailureReasons::unusableProxy(proxy.unusable));
        return;
    }
    proxy_ = proxy.proxy;
    if (proxy_)
        log(QStringLiteral("🛡️ Proxy üzerinden: %1 (%2)")
                .arg(proxy_->shown(), proxy_->variable));
    step(ProcessingStep::downloading, Progress::routeChosen);

    chainFile_ = folder.filePath(QStringLiteral("downloaded_chain.pem"));
    if (chainFile_.isEmpty()) {
        fail(QStringLiteral("❌ Yazma hatası: ") + folder.error(),
             QStringLiteral("❌ PEM dosyası kaydedilemedi"),
             QStringLiteral("Geçici klasör oluşturulamadı: ") + folder.error());
        return;
    }
    log(QStringLiteral("📁 Geçici dosya yolu: ") + chainFile_);
    fetch();
}

void DownloadRun::fetch() {
    log(QStringLiteral("📥 Sertifika indirimi başlatılıyor..."));
    step(ProcessingStep::downloading, Progress::started);
    QStringList arguments{QStringLiteral("s_client"),
                          QStringLiteral("-showcerts"),
                          QStringLiteral("-verify_return_error"),
                          QStringLiteral("-connect"),
                          connectAddress(target_.host, target_.port),
                          QStringLiteral("-servername"),
                          target_.host};
    if (!target_.startTls.isEmpty())
        arguments << QStringLiteral("-starttls") << target_.startTls;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (proxy_) {
        arguments << QStringLiteral("-proxy") << proxy_->address();
        if (!proxy_->user.isEmpty())
            arguments << QStringLiteral("-proxy_user") << proxy_->user;
        // Through the environment: an argument would show the password to every local user.
        if (!proxy_->password.isEmpty()) {
            environment.insert(proxyPasswordVariable, proxy_->password);
            arguments << QStringLiteral("-proxy_pass")
                      << QStringLiteral("env:") + proxyPasswordVariable;
        }
    }
    context.tool.run(this, {arguments, context.timings.download, QString(), environment},
                     [this](const ToolResult& result) { handleDownloadResult(result); });
}

void DownloadRun::handleDownloadResult(const ToolResult& result) {
    log(QStringLiteral("📥 İndirme sonucu: ") + outcomeWord(result));
    if (!result.output.isEmpty()) {
        log(QStringLiteral("📤 çıktı (ilk 500 karakter):\n") +
            graphemeExcerpt(result.output, outputExcerptLength));
    }
    if (!result.error.isEmpty()) {
        log(QStringLiteral("⚠️ hata (ilk 300 karakter):\n") +
            graphemeExcerpt(result.error, errorExcerptLength));
    }
    step(ProcessingStep::downloading, Progress::fetched);

    const QList<QString> blocks = extractCertificateBlocks(result.output);
    log(QStringLiteral("📜 Bulunan sertifika sayısı: ") + QString::number(blocks.size()));
    if (blocks.isEmpty()) {
        fail(QString(), QStringLiteral("❌ Sertifika zinciri indirilemedi"),
             FailureReasons::download(result, context.tool.program(), target_, proxy_,
                                      context.timings.download));
        return;
    }

    // Saved for the record; the conversion goes on from the chain in memory.
    QByteArray chain = blocks.join(u'\n').toUtf8();
    QString error = writeWorkingFile(chainFile_, chain);
    const QFileInfo saved(chainFile_);
    if (error.isEmpty() && !saved.exists())
        error = chainFile_ + QStringLiteral(": kaydedilen dosya bulunamadı");
    if (!error.isEmpty()) {
        fail(QStringLiteral("❌ Yazma hatası: ") + error,
             QStringLiteral("❌ PEM dosyası kaydedilemedi"),
             QStringLiteral("İndirilen zincir geçici klasöre kaydedilemedi: ") + error);
        return;
    }
    log(QStringLiteral("📊 Kaydedilen PEM dosya boyutu: ") + QString::number(saved.size()) +
        QStringLiteral(" bytes"));
    step(ProcessingStep::downloaded, Progress::chainSaved);

    PemText pem = PemText::fromUtf8(std::move(chain));
    const PemVerdict verdict = checkPem(pem, chainFile_);
    log(verdict.message);
    if (!verdict.valid) {
        fail(QString(), QStringLiteral("❌ İndirilen dosya geçerli bir PEM sertifikası değil"),
             QStringLiteral("Kaydedilen zincir dosyasında sertifika bulunamadı: ") + chainFile_);
        return;
    }
    step(ProcessingStep::converting, Progress::chainSaved);
    chainWarning = FailureReasons::chainWarning(result);
    host = target_.host;
    convertPemFile(chainFile_, std::move(pem));
}
