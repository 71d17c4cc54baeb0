#pragma once

#include "pipeline/DownloadTarget.h"
#include "pipeline/PemInspection.h"
#include "pipeline/Proxy.h"
#include "pipeline/ServiceGreeting.h"
#include "pipeline/ToolResult.h"

#include <QAbstractSocket>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

class PemText;
struct CertificateSummary;

// Why a run failed, in plain Turkish, for the line under the status. Each reason names the
// address or the file it is about; where only the tool's words tell, its error codes are looked
// up in one table, with a general reason as the fallback.
namespace FailureReasons {

// The typed text names no server.
QString address(const DownloadTarget& target);
// Whether what the service says first would tell why the tool printed no certificate: plain text
// came where TLS was expected, or the service did not take up STARTTLS.
bool needsGreeting(const ToolResult& result, const DownloadTarget& target);
// The tool printed no certificate for the target; `service`, where its greeting was read.
QString download(const ToolResult& result, const QString& toolPath, const DownloadTarget& target,
                 std::chrono::milliseconds timeout,
                 const std::optional<KnownService>& service = std::nullopt);
// No tunnel to the target through `proxy`: Qt's socket `error` says where it stopped.
QString tunnel(QAbstractSocket::SocketError error, const Proxy& proxy, const DownloadTarget& target,
               std::chrono::milliseconds timeout);
// The tool wrote no whole certificate to `destination`; `fileError` is the errno of making or
// placing its file there, if that failed.
QString conversion(const ToolResult& result, const QString& toolPath, const QString& destination,
                   int fileError, std::chrono::milliseconds timeout);
// An existing destination the person may not write; `error` is the errno of the check.
QString notWritable(const QString& destination, int error);
// Why no new file goes into the destination's folder, from newFileRefused()'s errno value.
QString folderRefused(const QString& destination, int error);
// A picked file that cannot be read as text.
QString unreadableFile(const QString& path);
// A file read as text that holds no whole certificate block.
QString noCertificate(const QString& path, const PemText& text);
// A first certificate block that does not decode as a certificate.
QString damagedCertificate(const QString& path, BlockFault fault);
QString damagedChainCertificate(int row, BlockFault fault);
// What to mind about the certificate itself, whatever the tool said, as warning lines: its dates
// held against `now`, and whether it was issued for `host` (the host typed; empty for a file).
QStringList certificateWarnings(const CertificateSummary& certificate, const QDateTime& now,
                                const QString& host);
// Why the server's chain did not verify, as a whole sentence; empty when the tool did not
// complain.
QString chainWarning(const ToolResult& result);
// The chain's warning, said of a save that went ahead all the same.
QString savedDespite(const QString& chainWarning);

} // namespace FailureReasons
