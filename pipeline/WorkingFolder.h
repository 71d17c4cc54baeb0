#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A folder of one's own under the temporary directory (TMPDIR) for working files, made on first
// use, readable by the user alone (mode 0700), and removed with everything in it when the object
// goes. Nothing in it is shared with another run, window or user.
class WorkingFolder {
public:
    // Where the working file `name` goes; empty when the folder cannot be made (error() says
    // why).
    QString filePath(const QString& name);
    const QString& error() const { return error_; }

private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString error_;
};

// Replaces the file with `bytes` in one step. Returns the error description, empty on success.
QString writeWorkingFile(const QString& path, const QByteArray& bytes);
