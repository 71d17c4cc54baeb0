#include "core/ChainPemRun.h"

#include "core/FailureReasons.h"
#include "core/FileDialogs.h"
#include "pipeline/SaveDestination.h"

#include <QFileInfo>

void ChainPemRun::start() {
    log(QStringLiteral("📦 Zincir PEM olarak kaydediliyor: %1 sertifika").arg(certificates_));
    step(ProcessingStep::converting, Progress::started);
    const QString name =
        context.outputName.trimmed().isEmpty() ? defaultOutputName : context.outputName.trimmed();
    askWhereToSave(
        {QStringLiteral("PEM Zincirini Kaydet"),
         QStringLiteral("Sertifika zincirinin tamamını kaydedeceğiniz PEM dosyasının konumunu "
                        "seçin"),
         proposedName(name + QStringLiteral("-zincir"), defaultOutputName, QStringLiteral("pem")),
         QStringLiteral("pem")},
        RunReport::Outcome::saveFailed, [this](const QString& destination) { save(destination); });
}

void ChainPemRun::save(const QString& destination) {
    if (const int error = saveFile(destination, pem_); error != 0) {
        fail(QStringLiteral("❌ PEM dosyası yazılamadı: ") + destination,
             RunReport::Outcome::saveFailed,
             FailureReasons::conversion(ToolResult(), context.tool.program(), destination, error,
                                        context.timings.conversion));
        return;
    }
    log(QStringLiteral("📊 Çıktı PEM dosya boyutu: ") +
        QString::number(QFileInfo(destination).size()) + QStringLiteral(" bytes"));
    step(ProcessingStep::completed, Progress::ended);
    RunReport saved(RunReport::Outcome::chainSavedAsPem);
    saved.savedFile = destination;
    saved.certificatesInSource = certificates_;
    if (!chainWarning_.isEmpty())
        saved.warnings << chainWarning_;
    report(saved);
    Q_EMIT chainSavedAsPem(destination);
    finishAfterResult();
}
