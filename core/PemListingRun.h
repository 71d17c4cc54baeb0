#pragma once

#include "core/Run.h"
#include "pipeline/PemSource.h"

// Lists the certificates of a file the person picked, as soon as it is picked: nothing is
// logged, asked or saved, and a file without any lists nothing (the conversion says why).
class PemListingRun : public Run {
    Q_OBJECT

public:
    PemListingRun(quint64 serial, const RunContext& context, const QString& path, QObject* parent)
        : Run(serial, context, parent)
        , path_(path) {}

    void start() override {
        readPemFile(path_, [this](const PemSource& source) {
            if (source.text && !source.blocks.isEmpty())
                Q_EMIT chainRead(*source.text, source.blocks, QString(), QString());
            finish();
        });
    }

private:
    const QString path_;
};
