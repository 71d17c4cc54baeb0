#pragma once

#include <QString>

// A PEM bundle of about `bytes` bytes made of copies of one certificate, written once per run;
// returns its path, or an empty string when it could not be made.
QString pemBundle(qint64 bytes);
