#pragma once

#include "core/Run.h"
#include "pipeline/CertificateSummary.h"
#include "pipeline/PemSource.h"

#include <optional>

// A run that ends by saving one certificate: it asks where the file goes, then has the tool
// convert it to DER in the run's folder and puts the result in place, or writes its PEM block as
// it stands. A download, a picked file and a certificate saved from the chain each lead here.
class DerConversionRun : public Run {
    Q_OBJECT

protected:
    using Run::Run;

    // Where a certificate comes from: what its save is checked against and warned of.
    struct Origin {
        QString host;         // the host typed for a download; empty for a file
        QString chainWarning; // why the server's chain did not verify
        int row = 0;          // which of the source's certificates it is
        qsizetype certificatesInSource = 1;
    };

    // Reads a PEM source as far as its first certificate: `known` text at once, a file off the
    // GUI thread, then converts that certificate. `origin`
    // gives the host and the chain's warning; the rest is read from the source.
    void convertPemFile(const QString& path, std::optional<PemText> known, Origin origin);
    // Converts `block`, whose certificate is `certificate`, proposing `name` for the file.
    void convertCertificate(const QString& block, const CertificateSummary& certificate,
                            const Origin& origin, const QString& name);
    // Saves `block`, on its own lines, as a PEM file, checked and warned of as a DER save is.
    void saveCertificatePem(const QString& block, const CertificateSummary& certificate,
                            const Origin& origin, const QString& name);

private:
    void convertSource(const QString& path, const PemSource& source, Origin origin,
                       const QString& name);
    void answered() override;
    void convertToDer(const QString& destination);
    void handleConversionResult(const ToolResult& result, const QString& destination);
    // The success of saving the certificate at `destination`, with what to mind about it.
    void reportSaved(RunReport::Outcome outcome, const QString& destination);

    Origin origin_;
    CertificateSummary certificate_;
    QString inputFile_;
    QString outputFile_;
    // The source's certificates, listed once the person has answered where the first goes.
    std::optional<std::pair<PemText, QList<TextRange>>> chainToList_;
};
