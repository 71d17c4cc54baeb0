#pragma once

#include "core/CertificateChain.h"
#include "core/DerConversionRun.h"

// Saves one certificate of the listed chain, as DER or as its PEM block.
class ChainCertificateRun : public DerConversionRun {
    Q_OBJECT

public:
    enum class Format { der, pem };

    ChainCertificateRun(quint64 serial, const RunContext& context, int row,
                        const CertificateChain& chain, Format format, QObject* parent);

    void start() override;

private:
    const QString block_;
    const CertificateBlock read_;
    const Origin origin_;
    const Format format_;
};
