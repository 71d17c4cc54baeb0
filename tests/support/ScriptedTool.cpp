#include "support/ScriptedTool.h"

#include "support/TestFiles.h"

ScriptedTool::Answer ScriptedTool::writing(std::optional<QByteArray> bytes) {
    return [bytes](const ToolRequest& request) {
        if (bytes)
            writeTestFile(request.output, *bytes);
        ToolResult result;
        result.success = true;
        return result;
    };
}

void ScriptedTool::run(QObject* owner, const ToolRequest& request,
                       std::function<void(const ToolResult&)> done) {
    requests << request;
    if (answers_.empty())
        return;
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    QMetaObject::invokeMethod(
        owner, [answer, request, done] { done(answer(request)); }, Qt::QueuedConnection);
}
