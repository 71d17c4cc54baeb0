#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

// The pattern for the medium time style of a locale.
QString mediumTimeFormat(const QLocale& locale);

// The time of day as the user's locale writes it in its medium style: hours, minutes and
// seconds, without date, milliseconds or time zone.
QString mediumTimeOfDay(const QTime& time);

// The log line for a message logged at the given (already formatted) time.
QString logLine(const QString& formattedTime, const QString& message);
