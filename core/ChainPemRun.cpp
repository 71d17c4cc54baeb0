#include "core/ChainPemRun.h"

#include "core/FailureReasons.h"
#include "core/FileDialogs.h"
#include "pipeline/SaveDestination.h"

#include <QCoreApplication>
#include <QFileInfo>

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
    if (const int error = saveFile(destination, pem_); error != 0) {
        fail(QCoreApplication::translate("ChainPemRun", "❌ PEM dosyası yazılamadı: ") + destination,
             RunReport::Outcome::saveFailed,
             FailureReasons::conversion(ToolResult(), context.tool.program(), destination, error,
                                        context.timings.conversion));
        return;
    }
    log(QCoreApplication::translate("ChainPemRun", "📊 Çıktı PEM dosya boyutu: ") +
        QString::number(QFileInfo(destination).size()) +
        QCoreApplication::translate("ChainPemRun", " bytes"));
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
