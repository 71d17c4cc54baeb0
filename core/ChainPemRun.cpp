#include "core/ChainPemRun.h"

#include "core/FailureReasons.h"
#include "core/FileDialogs.h"
#include "pipeline/SaveDestination.h"

#include <QCoreApplication>

void ChainPemRun::start() {
    log(QCoreApplication::translate("ChainPemRun", "📦 Zincir PEM olarak kaydediliyor: %1 sertifika")
            .arg(certificates_));
    step(ProcessingStep::converting, Progress::started);
    const QString name =
        context.outputName.trimmed().isEmpty() ? defaultOutputName : context.outputName.trimmed();
    askWhereToSave(
        {QCoreApplication::translate("ChainPemRun", "PEM Zincirini Kaydet"),
         QCoreApplication::translate(
             "ChainPemRun", "Sertifika zincirinin tamamını kaydedeceğiniz PEM dosyasının konumunu "
                            "seçin"),
         proposedName(name + QCoreApplication::translate("ChainPemRun", "-zincir"),
                      defaultOutputName, QStringLiteral("pem")),
         QStringLiteral("pem")},
        RunReport::Outcome::saveFailed, [this](const QString& destination) { save(destination); });
}

void ChainPemRun::save(const QString& destination) {
    if (!savePemFile(destination, pem_))
        return;
    step(ProcessingStep::completed, Progress::ended);
    RunReport saved(RunReport::Outcome::chainSavedAsPem);
    saved.savedFile = destination;
    saved.certificatesInSource = certificates_;
    if (!chainWarning_.isEmpty())
        saved.warnings << FailureReasons::savedDespite(chainWarning_);
    report(saved);
    Q_EMIT chainSavedAsPem(destination);
    finishAfterResult();
}
