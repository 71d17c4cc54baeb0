#pragma once

#include "core/DerConversionRun.h"
#include "pipeline/DownloadTarget.h"
#include "pipeline/Proxy.h"
#include "pipeline/ServiceGreeting.h"

class ProxyTunnel;

// Fetches the certificate chain of the address typed with the tool, keeps it in the run's folder
// and converts its first certificate.
class DownloadRun : public DerConversionRun {
    Q_OBJECT

public:
    DownloadRun(quint64 serial, const RunContext& context, const QString& typed, QObject* parent);

    void start() override;

protected:
    // The chain as fetched, checked as PEM; a download converts its first certificate.
    virtual void chainFetched(PemText pem, Origin origin);

private:
    void openTunnel();
    void fetch();
    void handleDownloadResult(const ToolResult& result);
    void readGreeting(const ToolResult& result);

    const DownloadTarget target_;
    std::optional<Proxy> proxy_;
    ProxyTunnel* tunnel_ = nullptr;
    std::optional<KnownService> service_; // what a plain-text service said first
    QString chainFile_;
};
