#pragma once

#include <QString>
#include <QUrl>
#include <optional>

struct OpenDialogRequest {
    QString title;
    QString message;
};

struct SaveDialogRequest {
    QString title;
    QString message;
    QString proposedName;
    QString allowedType; // the one extension the dialog accepts, without the dot
};

// The modal file dialogs, behind a seam so that tests can answer them. An answer of nothing
// means the dialog was cancelled; an empty URL means it was accepted without naming a file.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<QUrl> chooseFileToOpen(const OpenDialogRequest& request) = 0;
    virtual std::optional<QUrl> chooseFileToSave(const SaveDialogRequest& request) = 0;
};
