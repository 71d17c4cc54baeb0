#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

// Whether a certificate issued for these names covers `host`, as browsers decide: an IP address
// only by an equal IP entry; a name by an equal DNS entry, in any case, or by a wildcard that is
// the whole leftmost label and stands for exactly one label ("*.example.com" covers
// "www.example.com", not "example.com" nor "a.b.example.com"). Names are compared in their ASCII
// (punycode) form; a trailing dot is ignored.
bool namesCoverHost(const QStringList& dnsNames, const QList<QHostAddress>& ipAddresses,
                    const QString& host);
