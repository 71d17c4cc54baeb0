#include "core/ChainCertificateRun.h"

#include "core/FailureReasons.h"

ChainCertificateRun::ChainCertificateRun(quint64 serial, const RunContext& context, int row,
                                         const CertificateChain& chain, QObject* parent)
    : DerConversionRun(serial, context, parent)
    , block_(chain.block(row))
    , read_(chain.read(row)) {
    chainRow = row;
    certificatesInSource = chain.size();
    // Warned of as the certificate saved with the download was.
    host = chain.host();
    chainWarning = chain.chainWarning();
}

void ChainCertificateRun::start() {
    log(QStringLiteral("📜 Zincirdeki %1. sertifika kaydediliyor: %2")
            .arg(chainRow + 1)
            .arg(read_.certificate ? read_.certificate->subject : undecodedField.toString()));
    step(ProcessingStep::converting, Progress::started);
    if (!read_.certificate) {
        fail(QStringLiteral("❌ Sertifika bloğu bozuk: %1. sertifika").arg(chainRow + 1),
             QStringLiteral("❌ Dönüştürme başarısız"),
             FailureReasons::damagedChainCertificate(chainRow, read_.fault));
        return;
    }
    // An issuer is saved under its own name, the first as the output name says.
    nameToPropose = chainRow == 0 || read_.certificate->subjectName.trimmed().isEmpty()
                        ? context.outputName
                        : read_.certificate->subjectName;
    certificate = *read_.certificate;
    convertCertificate(block_);
}
