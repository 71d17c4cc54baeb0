#pragma once

#include <QString>

// Where a tool writes a file meant for `destination`: a new file beside it, which replaces the
// destination in one step (a rename) once committed, and is removed when dropped uncommitted. A
// write that fails half-way leaves an existing destination as it was.
class StagedFile {
public:
    explicit StagedFile(const QString& destination);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const QString& path() const { return path_; }
    // The bytes written so far; 0 when there is no file.
    qint64 size() const;
    // Puts the staged file in the destination's place, with the permissions (and, where it may,
    // the owner and group) of the file it replaces.
    bool commit();
    // Why making the staged file, or putting it in place, failed: an errno value, 0 if neither
    // did.
    int error() const { return error_; }

private:
    QString target_; // the destination, or the file a link there points to
    QString path_;
    bool committed_ = false;
    int error_ = 0;
};
