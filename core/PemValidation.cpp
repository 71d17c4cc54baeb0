#include "core/ContentView.h"

bool ContentView::validatePemFile(const QUrl& fileUrl) {
    const QString path = fileUrl.toLocalFile();
    return validatePem(nullptr, PemText::read(path), path);
}

bool ContentView::validatePem(Run* run, const std::optional<PemText>& text, const QString& path) {
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
