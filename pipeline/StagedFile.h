#pragma once

#include <QByteArray>
#include <QString>

// Where a tool writes a file meant for `destination`, by QSaveFile's rules. Normally a new file
// beside it, which replaces the destination in one step (a rename) once committed, and is
// removed when dropped uncommitted. An existing destination the person may not write is refused
// before anything is written. Where the folder takes no new file but the destination is a file
// the person may write, the tool writes it in place, and its old bytes are put back if it is
// dropped uncommitted. Either way a write that fails half-way leaves the old file as it was.
class StagedFile {
public:
    explicit StagedFile(const QString& destination);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Whether the destination is a file the person may not write: no tool is to run.
    bool refused() const { return refused_; }
    const QString& path() const { return path_; }
    // The bytes written so far; 0 when there is no file.
    qint64 size() const;
    // Puts the written file in the destination's place, with the permissions (and, where it may,
    // the owner and group) of the file it replaces.
    bool commit();
    // Why the destination was refused, making the staged file failed, or putting it in place
    // failed: an errno value, 0 if none did.
    int error() const { return error_; }

private:
    QString target_; // the destination, or the file a link there points to
    QString path_;
    bool refused_ = false;
    bool inPlace_ = false;
    QByteArray previous_; // what a file written in place held before
    bool committed_ = false;
    int error_ = 0;
};
