#pragma once

#include "pipeline/CertificateSummary.h"

#include <QString>
#include <QStringList>

// What a field is called where its value is shown.
QString fieldLabel(CertificateField field);
// The field as a "label: value" line.
QString detailLine(const CertificateSummary& certificate, CertificateField field);
// Every field, a line each, to read or copy.
QStringList certificateDetails(const CertificateSummary& certificate);
