#include "core/ProcessingStep.h"

QString rawValue(ProcessingStep step) {
    switch (step) {
    case ProcessingStep::none:
        return QString();
    case ProcessingStep::downloading:
        return QStringLiteral("Sertifika indiriliyor...");
    case ProcessingStep::downloaded:
        return QStringLiteral("Sertifika indirildi ✅");
    case ProcessingStep::converting:
        return QStringLiteral("DER formatına çevriliyor...");
    case ProcessingStep::completed:
        return QStringLiteral("İşlem tamamlandı ✅");
    case ProcessingStep::failed:
        return QStringLiteral("İşlem başarısız ❌");
    }
    return QString();
}
