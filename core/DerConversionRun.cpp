#include "core/DerConversionRun.h"

#include "core/FailureReasons.h"
#include "core/FileDialogs.h"
#include "core/ReportText.h"
#include "pipeline/SaveDestination.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

void DerConversionRun::convertPemFile(const QString& path, std::optional<PemText> known,
                                      Origin origin) {
    log(QCoreApplication::translate("DerConversionRun",
                                    "🔄 PEM'den DER'e dönüştürme başlatılıyor..."));
    step(ProcessingStep::converting, Progress::converting);
    // The name as it stood when the work started, whatever is typed while the file is read.
    const QString name = context.outputName;
    if (known) {
        convertSource(path, PemSource::inspect(std::move(known)), std::move(origin), name);
        return;
    }
    readPemFile(path, [this, path, origin = std::move(origin), name](const PemSource& source) {
        convertSource(path, source, origin, name);
    });
}

void DerConversionRun::convertSource(const QString& path, const PemSource& source, Origin origin,
                                     const QString& name) {
    using Outcome = RunReport::Outcome;
    if (!source.text) {
        fail(QCoreApplication::translate("DerConversionRun", "❌ PEM dosyası okunamadı"),
             Outcome::fileUnreadable, FailureReasons::unreadableFile(path));
        return;
    }
    if (source.blocks.isEmpty()) {
        fail(QCoreApplication::translate("DerConversionRun", "❌ PEM'de sertifika bloğu bulunamadı"),
             Outcome::noCertificateBlock, FailureReasons::noCertificate(path, *source.text));
        return;
    }
    // Known before anyone is asked where to save it: the tool would only fail on it later.
    if (!source.first.certificate) {
        fail(QCoreApplication::translate("DerConversionRun", "❌ İlk sertifika bloğu bozuk: ") +
                 path,
             Outcome::conversionFailed,
             FailureReasons::damagedCertificate(path, source.first.fault));
        return;
    }
    origin.certificatesInSource = source.blocks.size();
    // Listed again as it was when picked, one certificate too.
    chainToList_.emplace(*source.text, source.blocks);
    convertCertificate(source.text->text(source.blocks.front()), *source.first.certificate, origin,
                       name);
}

void DerConversionRun::convertCertificate(const QString& block,
                                          const CertificateSummary& certificate,
                                          const Origin& origin, const QString& name) {
    certificate_ = certificate;
    origin_ = origin;
    inputFile_ = folder.filePath(QStringLiteral("first_cert.pem"));
    const QString error =
        inputFile_.isEmpty() ? folder.error() : writeWorkingFile(inputFile_, block.toUtf8());
    if (!error.isEmpty()) {
        fail(QCoreApplication::translate("DerConversionRun", "❌ Geçici dosya yazılamadı: ") + error,
             RunReport::Outcome::workingFileFailed,
             QCoreApplication::translate("DerConversionRun",
                                         "Sertifika geçici klasöre yazılamadı: ") +
                 error);
        return;
    }
    askWhereToSave({QCoreApplication::translate("DerConversionRun", "DER Dosyasını Kaydet"),
                    QCoreApplication::translate(
                        "DerConversionRun",
                        "DER formatındaki sertifika dosyasını kaydedeceğiniz konumu seçin"),
                    proposedName(name, defaultOutputName, QStringLiteral("der")),
                    QStringLiteral("der")},
                   RunReport::Outcome::conversionFailed,
                   [this](const QString& destination) { convertToDer(destination); });
}

void DerConversionRun::answered() {
    if (chainToList_)
        Q_EMIT chainRead(chainToList_->first, chainToList_->second, origin_.host,
                         origin_.chainWarning);
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
    log(QCoreApplication::translate("DerConversionRun", "🔧 x509 dönüştürme sonucu: ") +
        outcomeWord(result));
    // The tool exits 0 even when it could not write (a full disk leaves an empty file), and
    // no certificate is empty in DER.
    QFile output(outputFile_);
    const QByteArray der =
        result.success && output.open(QIODevice::ReadOnly) ? output.readAll() : QByteArray();
    const int saveError = der.isEmpty() ? 0 : saveFile(destination, der);
    if (der.isEmpty() || saveError != 0) {
        // The tool converted; without this line the log would end as a success.
        if (saveError != 0)
            log(QCoreApplication::translate("DerConversionRun", "❌ DER dosyası yazılamadı: ") +
                destination);
        step(ProcessingStep::failed, Progress::ended);
        report(RunReport(RunReport::Outcome::conversionFailed,
                         FailureReasons::conversion(result, context.tool.program(), destination,
                                                    saveError, context.timings.conversion)));
        finishAfterResult();
        return;
    }
    log(QCoreApplication::translate("DerConversionRun", "📊 Çıktı DER dosya boyutu: ") +
        QString::number(QFileInfo(destination).size()) +
        QCoreApplication::translate("DerConversionRun", " bytes"));
    step(ProcessingStep::completed, Progress::ended);
    reportSaved(RunReport::Outcome::derSaved, destination);
}

void DerConversionRun::saveCertificatePem(const QString& block,
                                          const CertificateSummary& certificate,
                                          const Origin& origin, const QString& name) {
    certificate_ = certificate;
    origin_ = origin;
    const QByteArray pem = block.toUtf8();
    askWhereToSave({QCoreApplication::translate("DerConversionRun", "PEM Dosyasını Kaydet"),
                    QCoreApplication::translate(
                        "DerConversionRun",
                        "PEM formatındaki sertifika dosyasını kaydedeceğiniz konumu seçin"),
                    proposedName(name, defaultOutputName, QStringLiteral("pem")),
                    QStringLiteral("pem")},
                   RunReport::Outcome::saveFailed, [this, pem](const QString& destination) {
                       if (!savePemFile(destination, pem))
                           return;
                       step(ProcessingStep::completed, Progress::ended);
                       reportSaved(RunReport::Outcome::certificateSavedAsPem, destination);
                   });
}

void DerConversionRun::reportSaved(RunReport::Outcome outcome, const QString& destination) {
    // Only the first was issued for the host; those after it are its issuers.
    QStringList warnings = FailureReasons::certificateWarnings(
        certificate_, context.timings.now(), origin_.row == 0 ? origin_.host : QString());
    if (!origin_.chainWarning.isEmpty())
        warnings << FailureReasons::savedDespite(origin_.chainWarning);
    RunReport saved(outcome);
    saved.savedFile = destination;
    saved.certificate = certificate_;
    saved.row = origin_.row;
    saved.certificatesInSource = origin_.certificatesInSource;
    saved.warnings = warnings;
    report(saved);
    Q_EMIT chainRowSaved(origin_.row);
    finishAfterResult();
}
