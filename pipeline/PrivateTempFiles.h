#pragma once

#include <QString>

// The path of a working file in the program's own folder under the temporary directory
// (TMPDIR). The folder is private to the user: a shared /tmp would let another local user
// plant or swap files with these fixed names.
QString privateTempFilePath(const QString& fileName);

// Replaces the file atomically with `text` as UTF-8, creating the private folder (mode 0700)
// when needed. Refuses a folder that is a symbolic link or belongs to someone else. Returns the
// error description, empty on success.
QString writePrivateTempFile(const QString& path, const QString& text);
