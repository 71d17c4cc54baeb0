#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The first `limit` user-perceived characters of `text`, followed by "..." when it had more.
QString graphemeExcerpt(QStringView text, qsizetype limit);
