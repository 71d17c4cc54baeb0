#include "core/ChainCertificateRun.h"

#include "core/FailureReasons.h"

#include <QCoreApplication>

ChainCertificateRun::ChainCertificateRun(quint64 serial, const RunContext& context, int row,
                                         const CertificateChain& chain, Format format,
                                         QObject* parent)
    : DerConversionRun(serial, context, parent)
    , block_(chain.block(row))
    , read_(chain.read(row))
    // Warned of as the certificate saved with the download was.
    , origin_{chain.host(), chain.chainWarning(), row, chain.size()}
    , format_(format) {}

void ChainCertificateRun::start() {
    log(QCoreApplication::translate("ChainCertificateRun",
                                    "📜 Zincirdeki %1. sertifika kaydediliyor: %2")
            .arg(origin_.row + 1)
            .arg(read_.certificate ? read_.certificate->subject : undecodedField()));
    step(ProcessingStep::converting, Progress::started);
    if (!read_.certificate) {
        fail(QCoreApplication::translate("ChainCertificateRun",
                                         "❌ Sertifika bloğu bozuk: %1. sertifika")
                 .arg(origin_.row + 1),
             RunReport::Outcome::conversionFailed,
             FailureReasons::damagedChainCertificate(origin_.row, read_.fault));
        return;
    }
    // An issuer is saved under its own name, the first as the output name says.
    const QString name = origin_.row == 0 || read_.certificate->subjectName.trimmed().isEmpty()
                             ? context.outputName
                             : read_.certificate->subjectName;
    if (format_ == Format::der)
        convertCertificate(block_, *read_.certificate, origin_, name);
    else
        saveCertificatePem(block_, *read_.certificate, origin_, name);
}
