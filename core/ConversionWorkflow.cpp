#include "core/ContentView.h"
#include "core/FailureReasons.h"
#include "core/FileDialogs.h"
#include "pipeline/DerDestination.h"
#include "pipeline/PemText.h"
#include "pipeline/PrivateTempFiles.h"
#include "pipeline/StagedFile.h"

void ContentView::convertPemFileToDer(const RunHandle& run, const QUrl& fileUrl,
                                      const QString& chainWarning) {
    appendDebugLog(run, QStringLiteral("🔄 PEM'den DER'e dönüştürme başlatılıyor..."));
    setStep(run, ProcessingStep::converting, 0.95);

    const QString path = fileUrl.toLocalFile();
    const std::optional<PemText> pem = PemText::read(path);
    if (!pem) {
        reportFailure(run, QStringLiteral("❌ PEM dosyası okunamadı"),
                      QStringLiteral("❌ PEM dosyası okunamadı"),
                      FailureReasons::unreadableFile(path));
        return;
    }
    const QList<TextRange> blocks = pem->certificateBlocks();
    if (blocks.isEmpty()) {
        reportFailure(run, QStringLiteral("❌ PEM'de sertifika bloğu bulunamadı"),
                      QStringLiteral("❌ Sertifika bloğu bulunamadı"),
                      FailureReasons::noCertificate(path, *pem));
        return;
    }
    Conversion conversion;
    conversion.certificatesInSource = blocks.size();
    conversion.chainWarning = chainWarning;
    // The source is read already; only the shared temporary file has to wait its turn.
    firstCertificateGate_.enter(
        boundTo(run, [this, run, block = pem->text(blocks.front()), conversion] {
            convertFirstCertificate(run, block, conversion);
        }));
}

void ContentView::convertFirstCertificate(const RunHandle& run, const QString& block,
                                          Conversion conversion) {
    conversion.inputFile = privateTempFilePath(QStringLiteral("first_cert.pem"));
    if (const QString error = writePrivateTempFile(conversion.inputFile, block); !error.isEmpty()) {
        firstCertificateGate_.leave();
        reportFailure(run, QStringLiteral("❌ Geçici dosya yazılamadı: ") + error,
                      QStringLiteral("❌ Geçici dosya hatası"),
                      QStringLiteral("Sertifika geçici klasöre yazılamadı: ") + error);
        return;
    }

    const std::optional<QUrl> chosen = dialogs_.chooseFileToSave(
        {QStringLiteral("DER Dosyasını Kaydet"),
         QStringLiteral("DER formatındaki sertifika dosyasını kaydedeceğiniz konumu seçin"),
         outputName_ + QStringLiteral(".der"), QStringLiteral("der")});
    // Reset while the dialog was open: the run is over, and the gate no longer its.
    if (run->abandoned)
        return;
    if (!chosen || chosen->isEmpty()) {
        firstCertificateGate_.leave();
        appendDebugLog(run,
                       QStringLiteral("⚠️ Kullanıcı dosya kaydetme işlemini iptal etti"));
        setStatusMessage(QStringLiteral("Kaydetme iptal edildi"), StatusKind::notice);
        setStep(run, ProcessingStep::none, 0.0);
        endBusyState(run);
        return;
    }

    conversion.destination = withDerExtension(chosen->toLocalFile());
    appendDebugLog(run, QStringLiteral("💾 Çıktı DER dosya yolu: ") + conversion.destination);
    conversion.output = std::make_shared<StagedFile>(conversion.destination);
    workers_.start([this, run, conversion] { convertToDer(run, conversion); });
}
