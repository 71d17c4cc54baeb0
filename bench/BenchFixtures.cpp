#include "BenchFixtures.h"

BenchFixtures& BenchFixtures::instance() {
    static BenchFixtures fixtures;
    static const bool made = [] {
        qputenv("TMPDIR", QFile::encodeName(fixtures.folder.path()));
        fixtures.problem = fixtures.certificates.create(fixtures.folder.path());
        if (fixtures.problem.isEmpty()) {
            const TestCertificates& c = fixtures.certificates;
            fixtures.problem = fixtures.server.start(c.leafPem, c.leafKey, c.chainPem);
        }
        return true;
    }();
    Q_UNUSED(made);
    return fixtures;
}
