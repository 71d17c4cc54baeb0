#include "core/ContentView.h"
#include "core/FileDialogs.h"
#include "pipeline/DerDestination.h"
#include "pipeline/PemText.h"
#include "pipeline/PrivateTempFiles.h"

void ContentView::convertPemFileToDer(const QUrl& fileUrl) {
    appendDebugLog(QStringLiteral("🔄 PEM'den DER'e dönüştürme başlatılıyor..."));
    setStep(ProcessingStep::converting, 0.95);

    const std::optional<PemText> pem = PemText::read(fileUrl.toLocalFile());
    if (!pem) {
        reportFailure(QStringLiteral("❌ PEM dosyası okunamadı"),
                      QStringLiteral("❌ PEM dosyası okunamadı"));
        return;
    }
    const QList<TextRange> blocks = pem->certificateBlocks();
    if (blocks.isEmpty()) {
        reportFailure(QStringLiteral("❌ PEM'de sertifika bloğu bulunamadı"),
                      QStringLiteral("❌ Sertifika bloğu bulunamadı"));
        return;
    }
    // The source is read already; only the shared temporary file has to wait its turn.
    firstCertificateGate_.enter(
        [this, block = pem->text(blocks.front())] { convertFirstCertificate(block); });
}

void ContentView::convertFirstCertificate(const QString& block) {
    const QString inputFile = privateTempFilePath(QStringLiteral("first_cert.pem"));
    if (const QString error = writePrivateTempFile(inputFile, block); !error.isEmpty()) {
        firstCertificateGate_.leave();
        reportFailure(QStringLiteral("❌ Geçici dosya yazılamadı: ") + error,
                      QStringLiteral("❌ Geçici dosya hatası"));
        return;
    }

    const std::optional<QUrl> chosen = dialogs_.chooseFileToSave(
        {QStringLiteral("DER Dosyasını Kaydet"),
         QStringLiteral("DER formatındaki sertifika dosyasını kaydedeceğiniz konumu seçin"),
         outputName_ + QStringLiteral(".der"), QStringLiteral("der")});
    if (!chosen || chosen->isEmpty()) {
        firstCertificateGate_.leave();
        appendDebugLog(QStringLiteral("⚠️ Kullanıcı dosya kaydetme işlemini iptal etti"));
        setStatusMessage(QStringLiteral("Kaydetme iptal edildi"));
        setStep(ProcessingStep::none, 0.0);
        setProcessing(false);
        return;
    }

    const QString destination = withDerExtension(chosen->toLocalFile());
    appendDebugLog(QStringLiteral("💾 Çıktı DER dosya yolu: ") + destination);
    workers_.start([this, inputFile, destination] { convertToDer(inputFile, destination); });
}
