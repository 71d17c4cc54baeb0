#pragma once

#include "core/CertificateChain.h"
#include "core/Run.h"

// Saves every certificate of the listed chain in one PEM file, in the source's order, warning of
// what the download warned of the chain.
class ChainPemRun : public Run {
    Q_OBJECT

public:
    ChainPemRun(quint64 serial, const RunContext& context, const CertificateChain& chain,
                QObject* parent)
        : Run(serial, context, parent)
        , certificates_(chain.size())
        , pem_(chain.pem())
        , chainWarning_(chain.chainWarning()) {}

    void start() override;

private:
    void save(const QString& destination);

    const qsizetype certificates_;
    const QByteArray pem_;
    const QString chainWarning_;
};
