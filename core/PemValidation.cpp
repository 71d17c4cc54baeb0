#include "core/PemValidation.h"

PemVerdict checkPem(const std::optional<PemText>& text, const QString& path) {
    if (!text || text->isEmpty())
        return {false, QStringLiteral("⚠️ PEM dosyası boş veya okunamıyor: ") + path};
    if (!text->contains(beginCertificateMarker))
        return {false, QStringLiteral("❌ BEGIN CERTIFICATE satırı bulunamadı")};
    if (!text->contains(endCertificateMarker))
        return {false, QStringLiteral("❌ END CERTIFICATE satırı bulunamadı")};
    return {true, QStringLiteral("✅ PEM dosyası doğrulaması başarılı")};
}
