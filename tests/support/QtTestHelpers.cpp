#include "QtTestHelpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace tavo::test {

RecordedMessages::RecordedMessages(int Answer_) : Answer(Answer_)
{
    FPreviousEnabled = std::exchange(tools::MessagesEnabled, true);
    FPrevious = tools::SetMessagePresenter([this](const tools::TMessageBoxRequest& r) {
        Shown.push_back(r);
        return AnswerFor ? AnswerFor(r) : Answer;
    });
}

RecordedMessages::~RecordedMessages()
{
    tools::SetMessagePresenter(FPrevious);
    tools::MessagesEnabled = FPreviousEnabled;
}

bool WaitFor(const std::function<bool()>& Condition, int TimeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!Condition()) {
        if (timer.elapsed() > TimeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

}  // namespace tavo::test
