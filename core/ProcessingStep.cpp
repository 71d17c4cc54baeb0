#include "core/ProcessingStep.h"

#include <QCoreApplication>

QString rawValue(ProcessingStep step) {
    switch (step) {
    case ProcessingStep::none:
        return QString();
    case ProcessingStep::downloading:
        return QCoreApplication::translate("ProcessingStep", "Sertifika indiriliyor...");
    case ProcessingStep::downloaded:
        return QCoreApplication::translate("ProcessingStep", "Sertifika indirildi ✅");
    case ProcessingStep::converting:
        return QCoreApplication::translate("ProcessingStep", "DER formatına çevriliyor...");
    case ProcessingStep::completed:
        return QCoreApplication::translate("ProcessingStep", "İşlem tamamlandı ✅");
    case ProcessingStep::failed:
        return QCoreApplication::translate("ProcessingStep", "İşlem başarısız ❌");
    }
    return QString();
}
