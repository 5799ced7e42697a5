#include "ShellExecute.h"

#include <QDesktopServices>
#include <QUrl>

#include "AnsiText.h"

namespace tavo::platform {

namespace {

QUrl UrlFor(const std::string& Target)
{
    QString text = FromAnsi(Target);
    // "mailto:" addresses are taken as written; fromUserInput would treat the colon as a
    // host:port pair for some inputs.
    if (text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return QUrl(text, QUrl::TolerantMode);
    return QUrl::fromUserInput(text);
}

ShellExecutor& Executor()
{
    static ShellExecutor executor;
    return executor;
}

}  // namespace

bool ShellExecute(QWidget* Owner, const std::string& Verb, const std::string& Target)
{
    if (Executor())
        return Executor()(ShellExecuteRequest{Owner, Verb, Target});
    QUrl url = UrlFor(Target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

ShellExecutor SetShellExecutor(ShellExecutor Executor_)
{
    return std::exchange(Executor(), std::move(Executor_));
}

}  // namespace tavo::platform
