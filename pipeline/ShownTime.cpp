#include "pipeline/ShownTime.h"

#include "pipeline/CertificateSummary.h"

namespace {

// Made once: a file dialog asks for a date per row as it paints.
QString inTurkish(const QDateTime& moment, QString format) {
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    const QDateTime local = moment.toLocalTime();
    // Qt counts no year 0, so its years before 1 are one short of those a certificate writes.
    if (const int year = local.date().year(); year < 1) {
        const QString written = QString::number(std::abs(year + 1)).rightJustified(4, u'0');
        format.replace(QStringLiteral("yyyy"),
                       u'\'' + (year + 1 < 0 ? u'-' + written : written) + u'\'');
    }
    return turkish.toString(local, format);
}

} // namespace

// Qt's long time format is the closest to the medium style but carries the zone ("t") and,
// in some locales, milliseconds ("z"); both are dropped outside quoted literals.
QString mediumTimeFormat(const QLocale& locale) {
    const QString longFormat = locale.timeFormat(QLocale::LongFormat);
    QString format;
    bool quoted = false;
    for (QChar c : longFormat) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && (c == u't' || c == u'z'))
            continue;
        format += c;
    }
    format = format.simplified();
    // A separator left dangling by a dropped token ("ss." or "ss,") goes too.
    while (!format.isEmpty() && (format.back() == u'.' || format.back() == u','))
        format.chop(1);
    return format.isEmpty() ? QStringLiteral("HH:mm:ss") : format;
}

QString logStamp(const QTime& time) {
    static const QString format = mediumTimeFormat(QLocale::system());
    return QLocale::system().toString(time, format);
}

QString shownTime(const QDateTime& moment) {
    if (!moment.isValid())
        return undecodedField();
    return inTurkish(moment, QStringLiteral("d MMMM yyyy HH:mm")) + u' ' +
           moment.toLocalTime().timeZoneAbbreviation();
}

QString shownDay(const QDateTime& moment) {
    return moment.isValid() ? inTurkish(moment, QStringLiteral("d MMM yyyy")) : undecodedField();
}
