#include "core/ChainFetchRun.h"

#include "core/FailureReasons.h"

#include <QCoreApplication>

void ChainFetchRun::chainFetched(PemText pem, Origin origin) {
    const PemSource source = PemSource::inspect(std::move(pem));
    log(QCoreApplication::translate("ChainFetchRun", "🔍 Zincir listelendi: %1 sertifika")
            .arg(source.blocks.size()));
    Q_EMIT chainRead(*source.text, source.blocks, origin.host, origin.chainWarning);
    step(ProcessingStep::completed, Progress::ended);
    RunReport listed(RunReport::Outcome::chainListed);
    listed.certificatesInSource = source.blocks.size();
    // Warned of as a download's first certificate is; one that does not decode is said so in
    // the list, where it is chosen.
    if (const std::optional<CertificateSummary>& first = source.first.certificate)
        listed.warnings =
            FailureReasons::certificateWarnings(*first, context.timings.now(), origin.host);
    if (!origin.chainWarning.isEmpty())
        listed.warnings << origin.chainWarning;
    report(listed);
    finishAfterResult();
}
