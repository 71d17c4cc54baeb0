#include "core/ChainCertificateRun.h"

ChainCertificateRun::ChainCertificateRun(quint64 serial, const RunContext& context, int row,
                                         const CertificateChain& chain, QObject* parent)
    : DerConversionRun(serial, context, parent)
    , block_(chain.block(row))
    , summary_(chain.summary(row)) {
    chainRow = row;
    certificatesInSource = chain.size();
    // Warned of as the certificate saved with the download was.
    host = chain.host();
    chainWarning = chain.chainWarning();
}

void ChainCertificateRun::start() {
    log(QStringLiteral("📜 Zincirdeki %1. sertifika kaydediliyor: %2")
            .arg(chainRow + 1)
            .arg(summary_ ? summary_->subject : QStringLiteral("?")));
    step(ProcessingStep::converting, Progress::started);
    if (!summary_) {
        fail(QStringLiteral("❌ Sertifika bloğu bozuk: %1. sertifika").arg(chainRow + 1),
             QStringLiteral("❌ Dönüştürme başarısız"),
             QStringLiteral("Sertifika bozuk: zincirdeki %1. sertifika bloğu çözülemiyor.")
                 .arg(chainRow + 1));
        return;
    }
    // An issuer is saved under its own name, the first as the output name says.
    nameToPropose = chainRow == 0 || summary_->subjectName.trimmed().isEmpty()
                        ? context.outputName
                        : summary_->subjectName;
    certificate = *summary_;
    convertCertificate(block_);
}
