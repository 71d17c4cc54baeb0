#pragma once

#include "core/DownloadRun.h"

// Fetches the chain of the address typed as a download does, and lists it without saving
// anything: the person looks first, then saves what they choose from the list.
class ChainFetchRun : public DownloadRun {
    Q_OBJECT

public:
    using DownloadRun::DownloadRun;

private:
    void chainFetched(PemText pem, Origin origin) override;
};
