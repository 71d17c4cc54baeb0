#include "core/ContentView.h"

void ContentView::startConversion() {
    // The list belongs to the source converted last; a new one replaces it once it is read.
    chain_.clear();
    if (!selectedPemFile_.isEmpty()) {
        Run* const run = startRun();
        setStep(run, ProcessingStep::converting, 0.5);
        convertPemFileToDer(run, selectedPemFile_, std::nullopt, Conversion());
    } else if (!urlString_.isEmpty()) {
        // Not trimmed here: blanks only still start the download, which reports them.
        Run* const run = startRun();
        setStep(run, ProcessingStep::downloading, 0.0);
        downloadCertificateChain(run);
    }
}
