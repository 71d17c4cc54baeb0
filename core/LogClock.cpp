#include "core/LogClock.h"

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

QString mediumTimeOfDay(const QTime& time) {
    static const QString format = mediumTimeFormat(QLocale::system());
    return QLocale::system().toString(time, format);
}

QString logLine(const QString& formattedTime, const QString& message) {
    return u'[' + formattedTime + QStringLiteral("] ") + message + u'\n';
}
