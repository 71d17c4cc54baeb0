#include "core/DerConversionRun.h"

#include "core/FailureReasons.h"
#include "core/FileDialogs.h"
#include "pipeline/SaveDestination.h"
#include "pipeline/ShownTime.h"

#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrentRun>

namespace {

// What was saved, a line each: the certificate's names, its end and fingerprint, and which of the
// source's certificates it was.
QStringList savedDetail(const CertificateSummary& saved, qsizetype certificatesInSource, int row) {
    QStringList lines{QStringLiteral("Konu: ") + saved.subject,
                      QStringLiteral("Veren: ") + saved.issuer,
                      QStringLiteral("Geçerlilik sonu: ") + shownTime(saved.expiry),
                      QStringLiteral("SHA-256 parmak izi: ") + saved.sha256Fingerprint};
    if (certificatesInSource > 1) {
        lines << (row == 0
                      ? QStringLiteral("%1 sertifikadan ilki kaydedildi").arg(certificatesInSource)
                      : QStringLiteral("%1 sertifikadan %2. sertifika kaydedildi")
                            .arg(certificatesInSource)
                            .arg(row + 1));
    }
    return lines;
}

} // namespace

void DerConversionRun::convertPemFile(const QString& path, std::optional<PemText> known) {
    log(QStringLiteral("🔄 PEM'den DER'e dönüştürme başlatılıyor..."));
    step(ProcessingStep::converting, Progress::converting);
    // The name as it stood when the work started, whatever is typed while the file is read.
    nameToPropose = context.outputName;
    if (known) {
        convertSource(path, PemSource::inspect(std::move(known)));
        return;
    }
    // The watcher goes with the run; the run goes on from a queued call, outside the watcher's
    // signal.
    auto* reading = new QFutureWatcher<PemSource>(this);
    connect(
        reading, &QFutureWatcherBase::finished, this,
        [this, reading, path] { convertSource(path, reading->result()); }, Qt::QueuedConnection);
    reading->setFuture(
        QtConcurrent::run(&context.fileReading, [path] { return PemSource::read(path); }));
}

void DerConversionRun::convertSource(const QString& path, const PemSource& source) {
    if (!source.text) {
        fail(QStringLiteral("❌ PEM dosyası okunamadı"), QStringLiteral("❌ PEM dosyası okunamadı"),
             FailureReasons::unreadableFile(path));
        return;
    }
    if (source.blocks.isEmpty()) {
        fail(QStringLiteral("❌ PEM'de sertifika bloğu bulunamadı"),
             QStringLiteral("❌ Sertifika bloğu bulunamadı"),
             FailureReasons::noCertificate(path, *source.text));
        return;
    }
    // Known before anyone is asked where to save it: the tool would only fail on it later.
    if (!source.first.certificate) {
        fail(QStringLiteral("❌ İlk sertifika bloğu bozuk: ") + path,
             QStringLiteral("❌ Dönüştürme başarısız"),
             FailureReasons::damagedCertificate(path, source.first.fault));
        return;
    }
    certificatesInSource = source.blocks.size();
    // A download's chain is always worth a look; a file's, once it holds more than one.
    if (!host.isEmpty() || source.blocks.size() > 1)
        chainToList_.emplace(*source.text, source.blocks);
    certificate = *source.first.certificate;
    convertCertificate(source.text->text(source.blocks.front()));
}

void DerConversionRun::convertCertificate(const QString& block) {
    inputFile_ = folder.filePath(QStringLiteral("first_cert.pem"));
    const QString error =
        inputFile_.isEmpty() ? folder.error() : writeWorkingFile(inputFile_, block.toUtf8());
    if (!error.isEmpty()) {
        fail(QStringLiteral("❌ Geçici dosya yazılamadı: ") + error,
             QStringLiteral("❌ Geçici dosya hatası"),
             QStringLiteral("Sertifika geçici klasöre yazılamadı: ") + error);
        return;
    }
    askWhereToSave(
        {QStringLiteral("DER Dosyasını Kaydet"),
         QStringLiteral("DER formatındaki sertifika dosyasını kaydedeceğiniz konumu seçin"),
         proposedName(nameToPropose, defaultOutputName, QStringLiteral("der")),
         QStringLiteral("der")},
        QStringLiteral("❌ Dönüştürme başarısız"),
        [this](const QString& destination) { convertToDer(destination); });
}

void DerConversionRun::answered() {
    if (chainToList_)
        Q_EMIT chainRead(chainToList_->first, chainToList_->second, host, chainWarning);
}

void DerConversionRun::convertToDer(const QString& destination) {
    // The tool writes in the run's folder; the destination is replaced only by a whole
    // certificate.
    outputFile_ = folder.filePath(QStringLiteral("certificate.der"));
    const QStringList arguments{QStringLiteral("x509"),
                                QStringLiteral("-outform"),
                                QStringLiteral("der"),
                                QStringLiteral("-in"),
                                inputFile_,
                                QStringLiteral("-out"),
                                outputFile_};
    context.tool.run(this, {arguments, context.timings.conversion, outputFile_},
                     [this, destination](const ToolResult& result) {
                         handleConversionResult(result, destination);
                     });
}

void DerConversionRun::handleConversionResult(const ToolResult& result,
                                              const QString& destination) {
    log(QStringLiteral("🔧 x509 dönüştürme sonucu: ") + outcomeWord(result));
    // The tool exits 0 even when it could not write (a full disk leaves an empty file), and
    // no certificate is empty in DER.
    QFile output(outputFile_);
    const QByteArray der =
        result.success && output.open(QIODevice::ReadOnly) ? output.readAll() : QByteArray();
    const int saveError = der.isEmpty() ? 0 : saveFile(destination, der);
    if (der.isEmpty() || saveError != 0) {
        // The tool converted; without this line the log would end as a success.
        if (saveError != 0)
            log(QStringLiteral("❌ DER dosyası yazılamadı: ") + destination);
        step(ProcessingStep::failed, Progress::ended);
        report(QStringLiteral("❌ Dönüştürme başarısız"), StatusKind::failure,
               FailureReasons::conversion(result, context.tool.program(), destination, saveError,
                                          context.timings.conversion));
        finishAfterResult();
        return;
    }
    log(QStringLiteral("📊 Çıktı DER dosya boyutu: ") +
        QString::number(QFileInfo(destination).size()) + QStringLiteral(" bytes"));
    // Only the first was issued for the host; those after it are its issuers.
    QStringList warnings = FailureReasons::certificateWarnings(certificate, context.timings.now(),
                                                               chainRow == 0 ? host : QString());
    if (!chainWarning.isEmpty())
        warnings << chainWarning;
    step(ProcessingStep::completed, Progress::ended);
    reportSaved(QStringLiteral("✅ DER dosyası başarıyla oluşturuldu → ") +
                    QFileInfo(destination).fileName(),
                destination, savedDetail(certificate, certificatesInSource, chainRow), warnings);
    Q_EMIT chainRowSaved(chainRow);
    finishAfterResult();
}
