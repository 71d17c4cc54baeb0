#pragma once

#include "core/CertificateChain.h"
#include "core/DerConversionRun.h"

// Saves one certificate of the listed chain as DER.
class ChainCertificateRun : public DerConversionRun {
    Q_OBJECT

public:
    ChainCertificateRun(quint64 serial, const RunContext& context, int row,
                        const CertificateChain& chain, QObject* parent);

    void start() override;

private:
    const QString block_;
    const CertificateBlock read_;
    const Origin origin_;
};
