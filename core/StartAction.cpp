#include "core/ContentView.h"

void ContentView::startConversion() {
    if (!selectedPemFile_.isEmpty()) {
        setStep(ProcessingStep::converting, 0.5);
        convertPemFileToDer(selectedPemFile_);
    } else if (!urlString_.isEmpty()) {
        // Not trimmed here: blanks only still start the download, which reports them.
        setStep(ProcessingStep::downloading, 0.0);
        downloadCertificateChain();
    }
}
