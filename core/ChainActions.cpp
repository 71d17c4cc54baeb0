#include "core/ContentView.h"
#include "core/FailureReasons.h"
#include "core/FileDialogs.h"
#include "pipeline/SaveDestination.h"
#include "pipeline/StagedFile.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <cerrno>

void ContentView::saveChainCertificate(int row) {
    if (isProcessing_ || row < 0 || row >= chain_.size())
        return;
    // Not busy, as a picked file's conversion is not: the window stays as it is around the list.
    Run* const run = startRun();
    const std::optional<CertificateSummary>& certificate = chain_.summary(row);
    appendDebugLog(run, QStringLiteral("📜 Zincirdeki %1. sertifika kaydediliyor: %2")
                            .arg(row + 1)
                            .arg(certificate ? certificate->subject : QStringLiteral("?")));
    setStep(run, ProcessingStep::converting, 0.5);
    if (!certificate) {
        reportFailure(run, QStringLiteral("❌ Sertifika bloğu bozuk: %1. sertifika").arg(row + 1),
                      QStringLiteral("❌ Dönüştürme başarısız"),
                      QStringLiteral("Sertifika bozuk: zincirdeki %1. sertifika bloğu "
                                     "çözülemiyor.")
                          .arg(row + 1));
        return;
    }
    Conversion conversion;
    conversion.certificatesInSource = chain_.size();
    conversion.chainRow = row;
    // An issuer is saved under its own name, the first as the output name says.
    conversion.proposedName = row == 0 || certificate->subjectName.trimmed().isEmpty()
                                  ? outputName_
                                  : certificate->subjectName;
    conversion.certificate = *certificate;
    convertCertificate(run, chain_.block(row), std::move(conversion));
}

void ContentView::saveChainAsPem() {
    if (isProcessing_ || chain_.size() == 0)
        return;
    Run* const run = startRun();
    appendDebugLog(
        run, QStringLiteral("📦 Zincir PEM olarak kaydediliyor: %1 sertifika").arg(chain_.size()));
    setStep(run, ProcessingStep::converting, 0.5);
    const QPointer<Run> stillRunning = run;
    const QString name =
        outputName_.trimmed().isEmpty() ? defaultOutputName : outputName_.trimmed();
    const std::optional<QUrl> chosen = dialogs_.chooseFileToSave(
        {QStringLiteral("PEM Zincirini Kaydet"),
         QStringLiteral("Sertifika zincirinin tamamını kaydedeceğiniz PEM dosyasının konumunu "
                        "seçin"),
         proposedName(name + QStringLiteral("-zincir"), defaultOutputName, QStringLiteral("pem")),
         QStringLiteral("pem")});
    if (!stillRunning)
        return;
    if (!chosen || chosen->isEmpty()) {
        cancelSave(run);
        return;
    }

    const QString destination = withExtension(chosen->toLocalFile(), QStringLiteral("pem"));
    appendDebugLog(run, QStringLiteral("💾 Çıktı PEM dosya yolu: ") + destination);
    StagedFile output(destination);
    if (output.refused()) {
        reportFailure(run, QStringLiteral("❌ Dosyayı değiştirme izni yok: ") + destination,
                      QStringLiteral("❌ Kaydetme başarısız"),
                      FailureReasons::notWritable(destination, output.error()));
        return;
    }
    const QByteArray pem = chain_.pem();
    QFile file(output.path());
    // The staged file could not be made: nothing is written in its stead.
    const bool written = output.error() == 0 && file.open(QIODevice::WriteOnly) &&
                         file.write(pem) == pem.size() && file.flush();
    const int writeError = written ? 0 : errno;
    file.close();
    if (!written || !output.commit()) {
        reportFailure(run, QStringLiteral("❌ PEM dosyası yazılamadı: ") + destination,
                      QStringLiteral("❌ Kaydetme başarısız"),
                      FailureReasons::conversion(ToolResult(), toolPath_, destination,
                                                 output.error() ? output.error() : writeError,
                                                 timings_.conversion));
        return;
    }
    appendDebugLog(run, QStringLiteral("📊 Çıktı PEM dosya boyutu: ") +
                            QString::number(QFileInfo(destination).size()) +
                            QStringLiteral(" bytes"));
    setStep(run, ProcessingStep::completed, 1.0);
    setStatusMessage(
        QStringLiteral("✅ PEM zinciri kaydedildi → ") + QFileInfo(destination).fileName(),
        StatusKind::success,
        QStringLiteral("%1 sertifika tek dosyada, kaynaktaki sırayla").arg(chain_.size()));
    finishRunAfterResult(run);
}

void ContentView::copyCertificateDetails(int row) {
    if (row >= 0 && row < chain_.size())
        QGuiApplication::clipboard()->setText(chain_.details(row));
}
