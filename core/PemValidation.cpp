#include "core/ContentView.h"
#include "pipeline/PemText.h"

bool ContentView::validatePemFile(const QUrl& fileUrl) {
    return validatePemFile(nullptr, fileUrl);
}

bool ContentView::validatePemFile(const RunHandle& run, const QUrl& fileUrl) {
    const QString path = fileUrl.toLocalFile();
    const std::optional<PemText> text = PemText::read(path);
    if (!text || text->isEmpty()) {
        appendDebugLog(run, QStringLiteral("⚠️ PEM dosyası boş veya okunamıyor: ") + path);
        return false;
    }
    if (!text->contains(beginCertificateMarker)) {
        appendDebugLog(run, QStringLiteral("❌ BEGIN CERTIFICATE satırı bulunamadı"));
        return false;
    }
    if (!text->contains(endCertificateMarker)) {
        appendDebugLog(run, QStringLiteral("❌ END CERTIFICATE satırı bulunamadı"));
        return false;
    }
    appendDebugLog(run, QStringLiteral("✅ PEM dosyası doğrulaması başarılı"));
    return true;
}
