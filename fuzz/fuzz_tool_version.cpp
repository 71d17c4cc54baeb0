// What the tool says to "version", read to decide whether it may be run: only an OpenSSL whose
// answer starts with its dotted version gives one, and that version is the one written there.
#include "FuzzCheck.h"
#include "pipeline/ToolProcess.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString answer = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QVersionNumber> version = openSslVersion(answer);
    static const QRegularExpression written(QStringLiteral("^OpenSSL ([0-9]+(?:\\.[0-9]+)*)"));
    const QRegularExpressionMatch match = written.match(answer);
    // A number too large for any version gives none.
    static const QRegularExpression tooLarge(QStringLiteral("[0-9]{10}"));
    FUZZ_CHECK(!version || match.hasMatch());
    FUZZ_CHECK(version || !match.hasMatch() || match.captured(1).contains(tooLarge));
    if (version)
        FUZZ_CHECK(*version == QVersionNumber::fromString(match.captured(1)));
    return 0;
}
