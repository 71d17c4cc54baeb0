#include "core/ContentView.h"
#include "core/FailureReasons.h"
#include "pipeline/StagedFile.h"

#include <QFileInfo>
#include <QTimer>

namespace {

// What was saved, a line each: the certificate's names, its end and fingerprint, and what the
// person might not expect.
QString savedDetail(const CertificateSummary& saved, qsizetype certificatesInSource, int row,
                    const QStringList& warnings) {
    QStringList lines{QStringLiteral("Konu: ") + saved.subject,
                      QStringLiteral("Veren: ") + saved.issuer,
                      QStringLiteral("Geçerlilik sonu: ") + shownTime(saved.expiry),
                      QStringLiteral("SHA-256 parmak izi: ") + saved.sha256Fingerprint};
    if (certificatesInSource > 1) {
        lines << (row == 0
                      ? QStringLiteral("%1 sertifikadan ilki kaydedildi").arg(certificatesInSource)
                      : QStringLiteral("%1 sertifikadan %2. sertifika kaydedildi")
                            .arg(certificatesInSource)
                            .arg(row + 1));
    }
    return (lines + warnings).join(u'\n');
}

} // namespace

void ContentView::convertToDer(Run* run, const Conversion& conversion) {
    // The tool writes beside the destination, which it replaces only once the whole certificate
    // is there.
    const QStringList arguments{QStringLiteral("x509"),   QStringLiteral("-outform"),
                                QStringLiteral("der"),    QStringLiteral("-in"),
                                conversion.inputFile,     QStringLiteral("-out"),
                                conversion.output->path()};
    runOpenSSL(run, toolPath_, arguments, timings_.conversion,
               [this, run, conversion](const ToolResult& result) {
                   handleConversionResult(run, result, conversion);
               });
}

void ContentView::handleConversionResult(Run* run, const ToolResult& result,
                                         const Conversion& conversion) {
    appendDebugLog(run, QStringLiteral("🔧 x509 dönüştürme sonucu: ") + outcomeWord(result));
    // The tool exits 0 even when it could not write (a full disk leaves an empty file), and
    // no certificate is empty in DER.
    const bool committed =
        result.success && conversion.output->size() > 0 && conversion.output->commit();
    const QFileInfo destination(conversion.destination);
    if (committed && destination.exists()) {
        appendDebugLog(run, QStringLiteral("📊 Çıktı DER dosya boyutu: ") +
                                QString::number(destination.size()) + QStringLiteral(" bytes"));
        // Only the first was issued for the host; those after it are its issuers.
        QStringList warnings = FailureReasons::certificateWarnings(
            conversion.certificate, timings_.now(),
            conversion.chainRow == 0 ? conversion.host : QString());
        if (!conversion.chainWarning.isEmpty())
            warnings << conversion.chainWarning;
        setStep(run, ProcessingStep::completed, 1.0);
        setStatusMessage(QStringLiteral("✅ DER dosyası başarıyla oluşturuldu → ") +
                             destination.fileName(),
                         StatusKind::success,
                         savedDetail(conversion.certificate, conversion.certificatesInSource,
                                     conversion.chainRow, warnings));
        if (conversion.chainRow < chain_.size())
            chain_.markSaved(conversion.chainRow);
    } else {
        setStep(run, ProcessingStep::failed, 1.0);
        setStatusMessage(QStringLiteral("❌ Dönüştürme başarısız"), StatusKind::failure,
                         FailureReasons::conversion(result, toolPath_, conversion.destination,
                                                    conversion.output->error(),
                                                    timings_.conversion));
    }
    finishRunAfterResult(run);
}

void ContentView::finishRunAfterResult(Run* run) {
    auto* busyEnd = new QTimer(run);
    busyEnd->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the busy state lasts the full time.
    busyEnd->setTimerType(Qt::PreciseTimer);
    connect(busyEnd, &QTimer::timeout, run, [this, run] { finishRun(run); });
    busyEnd->start(timings_.busyEnd);
}
