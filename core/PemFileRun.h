#pragma once

#include "core/DerConversionRun.h"

// Converts the first certificate of a PEM file the person picked.
class PemFileRun : public DerConversionRun {
    Q_OBJECT

public:
    PemFileRun(quint64 serial, const RunContext& context, const QString& path, QObject* parent)
        : DerConversionRun(serial, context, parent)
        , path_(path) {}

    void start() override {
        step(ProcessingStep::converting, Progress::started);
        convertPemFile(path_, std::nullopt, {});
    }

private:
    const QString path_;
};
