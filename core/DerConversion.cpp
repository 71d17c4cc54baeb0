#include "core/ContentView.h"
#include "pipeline/ToolRunner.h"

#include <QFileInfo>
#include <QTimer>

namespace {

constexpr double conversionTimeout = 10.0;
constexpr int busyStateLingerMs = 2000;

} // namespace

void ContentView::convertToDer(const QString& inputFile, const QString& destination) {
    // Runs on a worker: it touches no state, only posts the result back.
    const QStringList arguments{QStringLiteral("x509"),
                                QStringLiteral("-outform"),
                                QStringLiteral("der"),
                                QStringLiteral("-in"),
                                inputFile,
                                QStringLiteral("-out"),
                                destination};
    const ToolResult result = runOpenSSL(toolPath_, arguments, conversionTimeout, &closing_);
    post([this, result, destination] { handleConversionResult(result, destination); });
}

void ContentView::handleConversionResult(const ToolResult& result, const QString& destination) {
    // The tool has read "first_cert.pem": the next run may replace it.
    firstCertificateGate_.leave();

    appendDebugLog(QStringLiteral("🔧 x509 dönüştürme sonucu: ") + outcomeWord(result));
    // The tool exits 0 even when it could not write (a full disk leaves an empty file), and
    // no certificate is empty in DER.
    const QFileInfo written(destination);
    if (result.success && written.exists() && written.size() > 0) {
        appendDebugLog(QStringLiteral("📊 Çıktı DER dosya boyutu: ") +
                       QString::number(written.size()) + QStringLiteral(" bytes"));
        setStep(ProcessingStep::completed, 1.0);
        setStatusMessage(QStringLiteral("✅ DER dosyası başarıyla oluşturuldu → ") +
                         written.fileName());
    } else {
        setStep(ProcessingStep::failed, 1.0);
        setStatusMessage(QStringLiteral("❌ Dönüştürme başarısız"));
    }
    // A coarse timer may fire up to 5 % early; the busy state lasts the full two seconds.
    QTimer::singleShot(busyStateLingerMs, Qt::PreciseTimer, this, [this] { setProcessing(false); });
}
