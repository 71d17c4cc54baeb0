#include "core/ReportText.h"

#include "core/CertificateDetails.h"

#include <QCoreApplication>
#include <QFileInfo>

QString headline(const RunReport& report) {
    using Outcome = RunReport::Outcome;
    const QString savedName = QFileInfo(report.savedFile).fileName();
    switch (report.outcome) {
    case Outcome::none:
        return QString();
    case Outcome::saveCancelled:
        return QCoreApplication::translate("ReportText", "Kaydetme iptal edildi");
    case Outcome::stopped:
        return QCoreApplication::translate("ReportText", "İşlem durduruldu");
    case Outcome::derSaved:
        return QCoreApplication::translate("ReportText", "DER dosyası başarıyla oluşturuldu → ") +
               savedName;
    case Outcome::chainSavedAsPem:
        return QCoreApplication::translate("ReportText", "PEM zinciri kaydedildi → ") + savedName;
    case Outcome::certificateSavedAsPem:
        return QCoreApplication::translate("ReportText", "PEM dosyası kaydedildi → ") + savedName;
    case Outcome::chainListed:
        return QCoreApplication::translate("ReportText",
                                           "Sertifika zinciri getirildi: %1 sertifika")
            .arg(report.certificatesInSource);
    case Outcome::invalidAddress:
        return QCoreApplication::translate("ReportText", "Geçersiz URL");
    case Outcome::chainNotDownloaded:
        return QCoreApplication::translate("ReportText", "Sertifika zinciri indirilemedi");
    case Outcome::chainNotKept:
        return QCoreApplication::translate("ReportText", "PEM dosyası kaydedilemedi");
    case Outcome::downloadNotPem:
        return QCoreApplication::translate("ReportText",
                                           "İndirilen dosya geçerli bir PEM sertifikası değil");
    case Outcome::fileUnreadable:
        return QCoreApplication::translate("ReportText", "PEM dosyası okunamadı");
    case Outcome::noCertificateBlock:
        return QCoreApplication::translate("ReportText", "Sertifika bloğu bulunamadı");
    case Outcome::conversionFailed:
        return QCoreApplication::translate("ReportText", "Dönüştürme başarısız");
    case Outcome::workingFileFailed:
        return QCoreApplication::translate("ReportText", "Geçici dosya hatası");
    case Outcome::saveFailed:
        return QCoreApplication::translate("ReportText", "Kaydetme başarısız");
    }
    return QString();
}

QString statusText(const RunReport& report) {
    // The marks are part of the status texts the system has always shown.
    switch (report.kind()) {
    case StatusKind::success:
    case StatusKind::warning:
        return QStringLiteral("✅ ") + headline(report);
    case StatusKind::failure:
        return QStringLiteral("❌ ") + headline(report);
    case StatusKind::notice:
        break;
    }
    return headline(report);
}

namespace {

// What was saved: the certificate, or how many the file holds.
void appendSavedLines(const RunReport& report, QList<ReportLine>& lines) {
    using Kind = ReportLine::Kind;
    const qsizetype count = report.certificatesInSource;
    if (const std::optional<CertificateSummary>& saved = report.certificate) {
        for (const CertificateField field :
             {CertificateField::subject, CertificateField::issuer, CertificateField::expiry})
            lines.append({Kind::saved, detailLine(*saved, field)});
        lines.append({Kind::fingerprint, detailLine(*saved, CertificateField::sha256Fingerprint)});
        if (count > 1)
            lines.append(
                {Kind::saved,
                 report.row == 0
                     ? QCoreApplication::translate("ReportText", "%1 sertifikadan ilki kaydedildi")
                           .arg(count)
                     : QCoreApplication::translate("ReportText",
                                                   "%1 sertifikadan %2. sertifika kaydedildi")
                           .arg(count)
                           .arg(report.row + 1)});
    } else {
        lines.append({Kind::saved, QCoreApplication::translate(
                                       "ReportText", "%1 sertifika tek dosyada, kaynaktaki sırayla")
                                       .arg(count)});
    }
}

} // namespace

QList<ReportLine> detailLines(const RunReport& report) {
    using Kind = ReportLine::Kind;
    QList<ReportLine> lines;
    if (!report.reason.isEmpty())
        lines.append({Kind::reason, report.reason});
    const bool saved = !report.savedFile.isEmpty();
    if (saved)
        appendSavedLines(report, lines);
    for (const QString& warning : report.warnings)
        lines.append({Kind::warning, warning});
    if (saved)
        lines.append({Kind::folder, QCoreApplication::translate("ReportText", "Klasör: ") +
                                        QFileInfo(report.savedFile).absolutePath()});
    return lines;
}

QString outcomeWord(const ToolResult& result) {
    return result.success ? QCoreApplication::translate("ReportText", "BAŞARILI")
                          : QCoreApplication::translate("ReportText", "BAŞARISIZ");
}
