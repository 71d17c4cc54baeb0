#include "core/ContentView.h"
#include "pipeline/StagedFile.h"
#include "pipeline/ToolRunner.h"

#include <QFileInfo>
#include <QTimer>

namespace {

constexpr double conversionTimeout = 10.0;
constexpr int busyStateLingerMs = 2000;

} // namespace

void ContentView::convertToDer(const RunHandle& run, const QString& inputFile,
                               const QString& destination, const Staged& output) {
    // Runs on a worker: it touches no state, only posts the result back. The tool writes beside
    // the destination, which it replaces only once the whole certificate is there.
    const QStringList arguments{QStringLiteral("x509"),
                                QStringLiteral("-outform"),
                                QStringLiteral("der"),
                                QStringLiteral("-in"),
                                inputFile,
                                QStringLiteral("-out"),
                                output->path()};
    const ToolResult result = runOpenSSL(toolPath_, arguments, conversionTimeout, &run->abandoned);
    post(run, [this, run, result, destination, output] {
        handleConversionResult(run, result, destination, output);
    });
}

void ContentView::handleConversionResult(const RunHandle& run, const ToolResult& result,
                                         const QString& destination, const Staged& output) {
    // The tool has read "first_cert.pem": the next run may replace it.
    firstCertificateGate_.leave();

    appendDebugLog(run, QStringLiteral("🔧 x509 dönüştürme sonucu: ") + outcomeWord(result));
    // The tool exits 0 even when it could not write (a full disk leaves an empty file), and
    // no certificate is empty in DER.
    const bool written = result.success && output->size() > 0 && output->commit().isEmpty();
    const QFileInfo saved(destination);
    if (written && saved.exists()) {
        appendDebugLog(run, QStringLiteral("📊 Çıktı DER dosya boyutu: ") +
                                QString::number(saved.size()) + QStringLiteral(" bytes"));
        setStep(run, ProcessingStep::completed, 1.0);
        setStatusMessage(QStringLiteral("✅ DER dosyası başarıyla oluşturuldu → ") +
                             saved.fileName(),
                         StatusKind::success);
    } else {
        setStep(run, ProcessingStep::failed, 1.0);
        setStatusMessage(QStringLiteral("❌ Dönüştürme başarısız"), StatusKind::failure);
    }
    // A coarse timer may fire up to 5 % early; the busy state lasts the full two seconds.
    QTimer::singleShot(busyStateLingerMs, Qt::PreciseTimer, this,
                       boundTo(run, [this, run] { endBusyState(run); }));
}
