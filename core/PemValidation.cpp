#include "core/ContentView.h"
#include "pipeline/PemText.h"

bool ContentView::validatePemFile(const QUrl& fileUrl) {
    const QString path = fileUrl.toLocalFile();
    const std::optional<PemText> text = PemText::read(path);
    if (!text || text->isEmpty()) {
        appendDebugLog(QStringLiteral("⚠️ PEM dosyası boş veya okunamıyor: ") + path);
        return false;
    }
    if (!text->contains(beginCertificateMarker)) {
        appendDebugLog(QStringLiteral("❌ BEGIN CERTIFICATE satırı bulunamadı"));
        return false;
    }
    if (!text->contains(endCertificateMarker)) {
        appendDebugLog(QStringLiteral("❌ END CERTIFICATE satırı bulunamadı"));
        return false;
    }
    appendDebugLog(QStringLiteral("✅ PEM dosyası doğrulaması başarılı"));
    return true;
}
