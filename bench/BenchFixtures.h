#pragma once

#include "support/LoopbackServers.h"
#include "support/TestCertificates.h"

#include <QString>
#include <QTemporaryDir>

// Certificates and a loopback TLS server made once for the whole benchmark run. TMPDIR points
// into the same folder, so the program's working files stay there too.
struct BenchFixtures {
    static BenchFixtures& instance();

    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }

    QTemporaryDir folder;
    TestCertificates certificates;
    TlsServer server;
    QString problem; // empty when everything was made
};
