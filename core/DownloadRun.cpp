#include "core/DownloadRun.h"

#include "core/FailureReasons.h"
#include "core/PemValidation.h"
#include "core/ReportText.h"
#include "pipeline/GraphemeText.h"
#include "pipeline/PemInspection.h"
#include "pipeline/ProxyTunnel.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr qsizetype outputExcerptLength = 500;
constexpr qsizetype errorExcerptLength = 300;

} // namespace

DownloadRun::DownloadRun(quint64 serial, const RunContext& context, const QString& typed,
                         QObject* parent)
    : DerConversionRun(serial, context, parent)
    , target_(deriveDownloadTarget(typed)) {}

void DownloadRun::start() {
    step(ProcessingStep::downloading, Progress::idle);
    log(QCoreApplication::translate("DownloadRun", "🔍 Girilen URL: '") + target_.trimmedText +
        u'\'');
    step(ProcessingStep::downloading, Progress::addressRead);
    if (target_.prefixAdded)
        log(QCoreApplication::translate("DownloadRun", "🔧 https öneki eklendi: '") +
            target_.urlText + u'\'');
    if (!target_.isValid()) {
        fail(QCoreApplication::translate("DownloadRun", "❌ URL ayrıştırılamadı: '") +
                 target_.urlText + u'\'',
             RunReport::Outcome::invalidAddress, FailureReasons::address(target_));
        return;
    }
    log(QCoreApplication::translate("DownloadRun", "🌐 Bağlanılan adres: ") +
        connectAddress(target_.host, target_.port));
    if (!target_.startTls.isEmpty())
        log(QCoreApplication::translate("DownloadRun",
                                        "✉️ Önce düz metin, sonra STARTTLS: ") +
            target_.startTls);
    const ProxyChoice proxy =
        proxyFor(target_.host, target_.port, QProcessEnvironment::systemEnvironment());
    // As curl does, a proxy it cannot use is gone around.
    if (!proxy.unusable.isEmpty())
        log(QCoreApplication::translate(
                "DownloadRun",
                "⚠️ Proxy ayarı kullanılamıyor, doğrudan bağlanılıyor: ") +
            proxy.unusable);
    proxy_ = proxy.proxy;
    if (proxy_)
        log(QCoreApplication::translate("DownloadRun", "🛡️ Proxy üzerinden: %1 (%2)")
                .arg(proxy_->shown(), proxy_->variable));
    step(ProcessingStep::downloading, Progress::routeChosen);

    chainFile_ = folder.filePath(QStringLiteral("downloaded_chain.pem"));
    if (chainFile_.isEmpty()) {
        fail(QCoreApplication::translate("DownloadRun", "❌ Yazma hatası: ") + folder.error(),
             RunReport::Outcome::chainNotKept,
             QCoreApplication::translate("DownloadRun", "Geçici klasör oluşturulamadı: ") +
                 folder.error());
        return;
    }
    log(QCoreApplication::translate("DownloadRun", "📁 Geçici dosya yolu: ") + chainFile_);
    if (proxy_)
        openTunnel();
    else
        fetch();
}

void DownloadRun::openTunnel() {
    const QString address = connectAddress(target_.host, target_.port);
    tunnel_ = new ProxyTunnel(proxy_->networkProxy(), target_.host, quint16(target_.port), this);
    connect(tunnel_, &ProxyTunnel::opened, this, [this, address] {
        log(QCoreApplication::translate("DownloadRun", "🔌 Proxy tüneli açıldı: 127.0.0.1:%1 → %2")
                .arg(QString::number(tunnel_->localPort()), address));
        fetch();
    });
    connect(tunnel_, &ProxyTunnel::failed, this,
            [this, address](QAbstractSocket::SocketError error) {
                // Said in the log too: a copied log is what reaches whoever runs the proxy.
                const QString reason =
                    FailureReasons::tunnel(error, *proxy_, target_, context.timings.download);
                fail(QCoreApplication::translate("DownloadRun", "❌ Proxy tüneli açılamadı: ") +
                         address + u' ' + reason,
                     RunReport::Outcome::chainNotDownloaded, reason);
            });
    tunnel_->open(context.timings.download);
}

void DownloadRun::fetch() {
    log(QCoreApplication::translate("DownloadRun", "📥 Sertifika indirimi başlatılıyor..."));
    step(ProcessingStep::downloading, Progress::started);
    // Through a proxy, the tool reaches the server by the tunnel; the name it asks for stays.
    const QString connect = tunnel_
                                ? connectAddress(QStringLiteral("127.0.0.1"), tunnel_->localPort())
                                : connectAddress(target_.host, target_.port);
    QStringList arguments{QStringLiteral("s_client"),
                          QStringLiteral("-showcerts"),
                          QStringLiteral("-verify_return_error"),
                          QStringLiteral("-connect"),
                          connect,
                          QStringLiteral("-servername"),
                          target_.host};
    if (!target_.startTls.isEmpty())
        arguments << QStringLiteral("-starttls") << target_.startTls;
    // XMPP names the server in its stream, from the address connected to unless told.
    if (tunnel_ && target_.startTls == QLatin1String("xmpp"))
        arguments << QStringLiteral("-xmpphost") << target_.host;
    context.tool.run(this, {arguments, context.timings.download},
                     [this](const ToolResult& result) { handleDownloadResult(result); });
}

void DownloadRun::handleDownloadResult(const ToolResult& result) {
    const QList<QString> blocks = extractCertificateBlocks(result.output);
    // Heard before anything is said of the result, which then ends as any other.
    if (blocks.isEmpty() && !service_ && FailureReasons::needsGreeting(result, target_)) {
        readGreeting(result);
        return;
    }
    log(QCoreApplication::translate("DownloadRun", "📥 İndirme sonucu: ") + outcomeWord(result));
    if (!result.output.isEmpty()) {
        log(QCoreApplication::translate("DownloadRun", "📤 çıktı (ilk 500 karakter):\n") +
            graphemeExcerpt(result.output, outputExcerptLength));
    }
    if (!result.error.isEmpty()) {
        log(QCoreApplication::translate("DownloadRun", "⚠️ hata (ilk 300 karakter):\n") +
            graphemeExcerpt(result.error, errorExcerptLength));
    }
    step(ProcessingStep::downloading, Progress::fetched);

    log(QCoreApplication::translate("DownloadRun", "📜 Bulunan sertifika sayısı: ") +
        QString::number(blocks.size()));
    if (blocks.isEmpty()) {
        fail(QString(), RunReport::Outcome::chainNotDownloaded,
             FailureReasons::download(result, context.tool.program(), target_,
                                      context.timings.download, service_));
        return;
    }

    // Saved for the record; the conversion goes on from the chain in memory.
    QByteArray chain = blocks.join(u'\n').toUtf8();
    QString error = writeWorkingFile(chainFile_, chain);
    const QFileInfo saved(chainFile_);
    if (error.isEmpty() && !saved.exists())
        error = chainFile_ +
                QCoreApplication::translate("DownloadRun", ": kaydedilen dosya bulunamadı");
    if (!error.isEmpty()) {
        fail(QCoreApplication::translate("DownloadRun", "❌ Yazma hatası: ") + error,
             RunReport::Outcome::chainNotKept,
             QCoreApplication::translate("DownloadRun",
                                         "İndirilen zincir geçici klasöre kaydedilemedi: ") +
                 error);
        return;
    }
    log(QCoreApplication::translate("DownloadRun", "📊 Kaydedilen PEM dosya boyutu: ") +
        QString::number(saved.size()) + QCoreApplication::translate("DownloadRun", " bytes"));
    step(ProcessingStep::downloaded, Progress::chainSaved);

    PemText pem = PemText::fromUtf8(std::move(chain));
    const PemVerdict verdict = checkPem(pem, chainFile_);
    log(verdict.message);
    if (!verdict.valid) {
        fail(QString(), RunReport::Outcome::downloadNotPem,
             QCoreApplication::translate("DownloadRun",
                                         "Kaydedilen zincir dosyasında sertifika bulunamadı: ") +
                 chainFile_);
        return;
    }
    chainFetched(std::move(pem), {target_.host, FailureReasons::chainWarning(result)});
}

void DownloadRun::chainFetched(PemText pem, Origin origin) {
    step(ProcessingStep::converting, Progress::chainSaved);
    convertPemFile(chainFile_, std::move(pem), std::move(origin));
}

// The service's own first words tell what it is, and which address would fetch its chain. They
// go into the reason only: the log of a fetch stays as it is.
void DownloadRun::readGreeting(const ToolResult& result) {
    auto* greeting = new ServiceGreeting(
        target_.host, quint16(target_.port),
        proxy_ ? proxy_->networkProxy() : QNetworkProxy(QNetworkProxy::NoProxy), this);
    connect(greeting, &ServiceGreeting::heard, this, [this, result](const QByteArray& bytes) {
        service_ = identifyService(bytes);
        handleDownloadResult(result);
    });
    greeting->read(context.timings.greeting / 2, context.timings.greeting);
}
