#pragma once
// Helpers for widget tests: recorded message boxes and waiting on the event loop.
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "tools/MessageBoxes.h"

namespace tavo::test {

// Replaces the message presenter for its lifetime; records every box and answers with
// Answer (or with what AnswerFor returns).
class RecordedMessages {
public:
    explicit RecordedMessages(int Answer = tools::IDOK);
    ~RecordedMessages();
    RecordedMessages(const RecordedMessages&) = delete;
    RecordedMessages& operator=(const RecordedMessages&) = delete;

    std::vector<tools::TMessageBoxRequest> Shown;
    int Answer;
    std::function<int(const tools::TMessageBoxRequest&)> AnswerFor;

private:
    tools::TMessagePresenter FPrevious;
    bool FPreviousEnabled;
};

// Processes events until Condition holds or TimeoutMs passes; returns Condition().
bool WaitFor(const std::function<bool()>& Condition, int TimeoutMs = 5000);

}  // namespace tavo::test
