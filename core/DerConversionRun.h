#pragma once

#include "core/Run.h"
#include "pipeline/CertificateSummary.h"
#include "pipeline/PemSource.h"

#include <optional>

// A run that ends by converting one certificate to DER: it asks where the file goes, has the
// tool convert it in the run's folder and puts the result in place. A download, a picked file
// and a certificate saved from the chain each lead here.
class DerConversionRun : public Run {
    Q_OBJECT

protected:
    using Run::Run;

    // Reads a PEM source as far as its first certificate: `known` text at once, a file off the
    // GUI thread (a big one would freeze the window), then converts that certificate.
    void convertPemFile(const QString& path, std::optional<PemText> known);
    // Converts `block`, whose certificate is `certificate`.
    void convertCertificate(const QString& block);

    // What the run tells on success, set by the kind of run.
    qsizetype certificatesInSource = 1;
    int chainRow = 0;      // which of them is converted
    QString chainWarning;  // why the server's chain did not verify, for a download
    QString host;          // the host typed, for a download
    QString nameToPropose; // what the save dialog proposes, without the extension
    CertificateSummary certificate;

private:
    void convertSource(const QString& path, const PemSource& source);
    void answered() override;
    void convertToDer(const QString& destination);
    void handleConversionResult(const ToolResult& result, const QString& destination);

    QString inputFile_;
    QString outputFile_;
    // The source's certificates, listed once the person has answered where the first goes.
    std::optional<std::pair<PemText, QList<TextRange>>> chainToList_;
};
