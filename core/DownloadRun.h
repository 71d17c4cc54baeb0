#pragma once

#include "core/DerConversionRun.h"
#include "pipeline/DownloadTarget.h"
#include "pipeline/HttpProxy.h"

// Fetches the certificate chain of the address typed with the tool, keeps it in the run's folder
// and converts its first certificate.
class DownloadRun : public DerConversionRun {
    Q_OBJECT

public:
    DownloadRun(quint64 serial, const RunContext& context, const QString& typed, QObject* parent);

    void start() override;

private:
    void fetch();
    void handleDownloadResult(const ToolResult& result);

    const DownloadTarget target_;
    std::optional<HttpProxy> proxy_;
    QString chainFile_;
};
