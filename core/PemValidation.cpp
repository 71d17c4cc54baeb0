#include "core/PemValidation.h"

#include <QCoreApplication>

PemVerdict checkPem(const std::optional<PemText>& text, const QString& path) {
    if (!text || text->isEmpty())
        return {false, QCoreApplication::translate("PemValidation",
                                                   "⚠️ PEM dosyası boş veya okunamıyor: ") +
                           path};
    if (!text->contains(beginCertificateMarker))
        return {false, QCoreApplication::translate("PemValidation",
                                                   "❌ BEGIN CERTIFICATE satırı bulunamadı")};
    if (!text->contains(endCertificateMarker))
        return {false, QCoreApplication::translate("PemValidation",
                                                   "❌ END CERTIFICATE satırı bulunamadı")};
    return {true,
            QCoreApplication::translate("PemValidation", "✅ PEM dosyası doğrulaması başarılı")};
}
