#include "support/ScriptedFileDialogs.h"

void ScriptedFileDialogs::answerOpen(std::optional<QUrl> answer) {
    openAnswers_.push_back([answer] { return answer; });
}

void ScriptedFileDialogs::answerSave(std::optional<QUrl> answer) {
    saveAnswers_.push_back([answer] { return answer; });
}

void ScriptedFileDialogs::answerSaveWith(Answer answer) {
    saveAnswers_.push_back(std::move(answer));
}

std::optional<QUrl> ScriptedFileDialogs::chooseFileToOpen(const OpenDialogRequest& request) {
    openRequests.append(request);
    return next(openAnswers_);
}

std::optional<QUrl> ScriptedFileDialogs::chooseFileToSave(const SaveDialogRequest& request) {
    saveRequests.append(request);
    return next(saveAnswers_);
}

std::optional<QUrl> ScriptedFileDialogs::next(std::deque<Answer>& answers) {
    if (answers.empty()) {
        ++unscriptedDialogs;
        return std::nullopt;
    }
    const Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer();
}
