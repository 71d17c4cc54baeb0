#pragma once

#include "core/StatusKind.h"
#include "pipeline/CertificateSummary.h"

#include <QString>
#include <QStringList>
#include <optional>

// What a run came to, as data. The status text is composed from it; the window decides from it
// the mark, the colour, the words under the status and what is said.
struct RunReport {
    enum class Outcome {
        none,
        // Notices: nothing was saved, nothing failed.
        saveCancelled,
        stopped,
        // Successes: a file was saved.
        derSaved,
        chainSavedAsPem,
        certificateSavedAsPem,
        // A chain fetched and listed, nothing saved.
        chainListed,
        // Failures.
        invalidAddress,
        chainNotDownloaded,
        chainNotKept, // the downloaded chain could not be put in the working folder
        downloadNotPem,
        fileUnreadable,
        noCertificateBlock,
        conversionFailed,
        workingFileFailed,
        saveFailed,
    };

    RunReport() = default;
    explicit RunReport(Outcome outcome, QString reason = QString())
        : outcome(outcome)
        , reason(std::move(reason)) {}

    Outcome outcome = Outcome::none;
    QString reason;    // why it failed, in sentences
    QString savedFile; // what a success saved
    // The certificate a DER save held, and which of its source's certificates it was.
    std::optional<CertificateSummary> certificate;
    int row = 0;
    qsizetype certificatesInSource = 1; // also how many a saved or listed chain holds
    QStringList warnings; // what to mind about what was saved or listed, a sentence each

    // A success with warnings is a warning.
    StatusKind kind() const;
};
