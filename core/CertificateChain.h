#pragma once

#include "pipeline/CertificateSummary.h"
#include "pipeline/PemText.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <optional>

// The certificates of the last source converted, in the order it holds them, as rows for item
// views. A row's certificate is read only when something asks for it, so that a bundle of tens
// of thousands lists at once.
class CertificateChain : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { numberColumn, subjectColumn, issuerColumn, expiryColumn, stateColumn };

    using QAbstractTableModel::QAbstractTableModel;

    // The clock a row's validity is held against.
    void setClock(QDateTime (*now)()) { now_ = now; }
    // What follows the expiry of a certificate out of its validity dates.
    static QString expiredMark();
    static QString notYetValidMark();

    // `host` and `chainWarning` are those of a download: what every save from the list is
    // checked against and warned of, as the first certificate's was.
    void show(const PemText& text, const QList<TextRange>& blocks, const QString& host = QString(),
              const QString& chainWarning = QString());
    void clear();
    // Marks the row as saved to a file.
    void markSaved(int row);
    // The whole list was saved as one PEM file; empty until it is, and again for a new list.
    void markSavedAsPem(const QString& file);
    const QString& savedAsPem() const { return savedAsPem_; }
    const QString& host() const { return host_; }
    const QString& chainWarning() const { return chainWarning_; }

    qsizetype size() const { return blocks_.size(); }
    // The row's PEM block, on its own lines.
    QString block(int row) const;
    // The row's certificate, or why its block holds none.
    const CertificateBlock& read(int row) const;
    // The subject and issuer the row shows, read alone where the certificate was not read whole.
    CertificateNames names(int row) const;
    // Every block, each on its own lines, as one PEM text.
    QByteArray pem() const;
    // What the certificate says of itself, a field a line, to read or copy.
    QString details(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void savedAsPemChanged();

private:
    QString savedAsPem_;
    QString host_;
    QString chainWarning_;
    PemText text_;
    QList<TextRange> blocks_;
    QSet<int> saved_;
    mutable QHash<int, CertificateBlock> read_;
    mutable QHash<int, CertificateNames> names_;
    QDateTime (*now_)() = &QDateTime::currentDateTimeUtc;
};
