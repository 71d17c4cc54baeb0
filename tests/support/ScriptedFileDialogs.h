#pragma once

#include "core/FileDialogs.h"

#include <QList>
#include <deque>
#include <functional>

// Stands in for the person at the dialogs: each dialog takes the next scripted answer and
// records what it was asked. A dialog without a scripted answer is cancelled.
class ScriptedFileDialogs : public FileDialogs {
public:
    using Answer = std::function<std::optional<QUrl>()>;

    void answerOpen(std::optional<QUrl> answer);
    void answerSave(std::optional<QUrl> answer);
    // The answer is computed while the dialog is "open", so it may run the event loop, as a
    // real modal dialog does.
    void answerSaveWith(Answer answer);

    std::optional<QUrl> chooseFileToOpen(const OpenDialogRequest& request) override;
    std::optional<QUrl> chooseFileToSave(const SaveDialogRequest& request) override;

    QList<OpenDialogRequest> openRequests;
    QList<SaveDialogRequest> saveRequests;
    int unscriptedDialogs = 0;

private:
    std::optional<QUrl> next(std::deque<Answer>& answers);

    std::deque<Answer> openAnswers_;
    std::deque<Answer> saveAnswers_;
};
