#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

// Every date and time the app shows. The log's stamps follow the person's own locale; the
// dates of certificates and files are written in Turkish, in local time.

// The pattern for the medium time style of a locale.
QString mediumTimeFormat(const QLocale& locale);
// A log line's stamp: hours, minutes and seconds as the person's locale writes them, without
// date, milliseconds or time zone.
QString logStamp(const QTime& time);
// A moment, with its zone; undecodedField() when it is not valid.
QString shownTime(const QDateTime& moment);
// The day alone, where a row has no room for more; undecodedField() when it is not valid.
QString shownDay(const QDateTime& moment);
