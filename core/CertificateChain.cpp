#include "core/CertificateChain.h"

#include "core/CertificateDetails.h"
#include "pipeline/ShownTime.h"

#include <QCoreApplication>

namespace {

QString undecodable() {
    return QCoreApplication::translate("CertificateChain", "Çözülemeyen sertifika bloğu");
}

} // namespace

QString CertificateChain::expiredMark() {
    return QCoreApplication::translate("CertificateChain", "(doldu)");
}

QString CertificateChain::notYetValidMark() {
    return QCoreApplication::translate("CertificateChain", "(henüz değil)");
}

void CertificateChain::show(const PemText& text, const QList<TextRange>& blocks,
                            const QString& host, const QString& chainWarning) {
    beginResetModel();
    text_ = text;
    blocks_ = blocks;
    host_ = host;
    chainWarning_ = chainWarning;
    saved_.clear();
    savedAsPem_.clear();
    read_.clear();
    names_.clear();
    endResetModel();
}

void CertificateChain::clear() {
    if (blocks_.isEmpty())
        return;
    show(PemText(), {});
}

void CertificateChain::markSaved(int row) {
    saved_.insert(row);
    const QModelIndex cell = index(row, stateColumn);
    Q_EMIT dataChanged(cell, cell);
}

void CertificateChain::markSavedAsPem(const QString& file) {
    savedAsPem_ = file;
    Q_EMIT savedAsPemChanged();
}

QString CertificateChain::block(int row) const {
    return text_.text(blocks_.at(row)).trimmed() + u'\n';
}

const CertificateBlock& CertificateChain::read(int row) const {
    auto found = read_.find(row);
    if (found == read_.end())
        found = read_.insert(row, readCertificateBlock(text_.bytes(blocks_.at(row))));
    return *found;
}

CertificateNames CertificateChain::names(int row) const {
    if (const auto whole = read_.constFind(row); whole != read_.cend())
        return whole->certificate
                   ? CertificateNames{whole->certificate->subject, whole->certificate->issuer}
                   : CertificateNames{undecodable(), QString()};
    auto found = names_.find(row);
    if (found == names_.end()) {
        const BlockBytes bytes = blockBytes(text_.bytes(blocks_.at(row)));
        found = names_.insert(row, readCertificateNames(bytes.der));
        if (found->subject.isEmpty())
            found->subject = undecodable();
    }
    return *found;
}

QByteArray CertificateChain::pem() const {
    QByteArray all;
    for (int row = 0; row < blocks_.size(); ++row)
        all += block(row).toUtf8();
    return all;
}

QString CertificateChain::details(int row) const {
    const std::optional<CertificateSummary>& certificate = read(row).certificate;
    return certificate ? certificateDetails(*certificate).join(u'\n') : undecodable();
}

int CertificateChain::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(blocks_.size());
}

int CertificateChain::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : stateColumn + 1;
}

QVariant CertificateChain::data(const QModelIndex& index, int role) const {
    if (!index.isValid() ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::ToolTipRole))
        return QVariant();
    // A name or a date cut short in its column is read whole from its tip.
    if (role == Qt::ToolTipRole && index.column() != subjectColumn &&
        index.column() != issuerColumn && index.column() != expiryColumn)
        return QVariant();
    const int row = index.row();
    // Heard a cell at a time: each says what it is, the row its place and whether it was saved.
    const bool spoken = role == Qt::AccessibleTextRole;
    if (index.column() == numberColumn) {
        return spoken ? QStringLiteral("%1 / %2").arg(row + 1).arg(blocks_.size())
                      : QString::number(row + 1);
    }
    if (index.column() == stateColumn) {
        if (spoken)
            return saved_.contains(row)
                       ? QCoreApplication::translate("CertificateChain", "Kaydedildi")
                       : QCoreApplication::translate("CertificateChain", "Kaydedilmedi");
        return saved_.contains(row) ? QCoreApplication::translate("CertificateChain", "Kaydedildi")
                                    : QString();
    }
    const QString shown = [&] {
        const std::optional<CertificateSummary>& certificate = read(row).certificate;
        if (!certificate)
            return index.column() == subjectColumn ? undecodable() : QString();
        switch (index.column()) {
        case subjectColumn:
            return certificate->subject;
        case issuerColumn:
            return certificate->issuer;
        default:
            // The day is enough in a row; the details give the time. Out of its dates is said
            // in words, whatever colour the row has.
            const QDateTime now = now_();
            if (certificate->expiry.isValid() && certificate->expiry < now)
                return shownDay(certificate->expiry) + u' ' + expiredMark();
            if (certificate->effective.isValid() && now < certificate->effective)
                return shownDay(certificate->expiry) + u' ' + notYetValidMark();
            return shownDay(certificate->expiry);
        }
    }();
    if (!spoken || shown.isEmpty())
        return shown;
    return headerData(index.column(), Qt::Horizontal).toString() + QStringLiteral(": ") + shown;
}

QVariant CertificateChain::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case numberColumn:
        return QStringLiteral("#");
    case subjectColumn:
        return QCoreApplication::translate("CertificateChain", "Konu");
    case issuerColumn:
        return QCoreApplication::translate("CertificateChain", "Veren");
    case expiryColumn:
        return QCoreApplication::translate("CertificateChain", "Geçerlilik sonu");
    case stateColumn:
        return QCoreApplication::translate("CertificateChain", "Durum");
    default:
        return QVariant();
    }
}
