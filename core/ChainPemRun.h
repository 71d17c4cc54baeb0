#pragma once

#include "core/Run.h"

// Saves every certificate of the listed chain in one PEM file, in the source's order.
class ChainPemRun : public Run {
    Q_OBJECT

public:
    ChainPemRun(quint64 serial, const RunContext& context, qsizetype certificates,
                const QByteArray& pem, QObject* parent)
        : Run(serial, context, parent)
        , certificates_(certificates)
        , pem_(pem) {}

    void start() override;

private:
    void save(const QString& destination);

    const qsizetype certificates_;
    const QByteArray pem_;
};
