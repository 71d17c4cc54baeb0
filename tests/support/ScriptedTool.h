#pragma once

#include "pipeline/ToolProcess.h"

#include <QList>
#include <deque>
#include <functional>
#include <optional>

// Stands in for the tool: records what each run asked of it and answers with the next scripted
// result, from a queued call as the tool's end would come. The script may write the request's
// output file. A request without a scripted answer is never answered, as a tool that hangs.
class ScriptedTool : public ToolRunner {
public:
    using Answer = std::function<ToolResult(const ToolRequest&)>;

    ScriptedTool& answer(Answer answer) {
        answers_.push_back(std::move(answer));
        return *this;
    }
    // Exits 0 after writing `bytes` to the output file, or nothing at all.
    static Answer writing(std::optional<QByteArray> bytes);

    void run(QObject* owner, const ToolRequest& request,
             std::function<void(const ToolResult&)> done) override;

    QList<ToolRequest> requests;

private:
    std::deque<Answer> answers_;
};
