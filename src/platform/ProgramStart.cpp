#include "ProgramStart.h"

#include <QProcess>
#include <QString>

#include "DiscPath.h"

namespace tavo::platform {

namespace {

bool StartDetached(const std::string& Program)
{
    // The resolved path is a local file name: UTF-8 on this platform.
    QString path = QString::fromStdString(ResolvePath(Program).string());
    return QProcess::startDetached(path, {});
}

ProgramStarter& Starter()
{
    static ProgramStarter starter;
    return starter;
}

}  // namespace

bool StartProgram(const std::string& Program)
{
    if (Starter())
        return Starter()(Program);
    return StartDetached(Program);
}

ProgramStarter SetProgramStarter(ProgramStarter Starter_)
{
    return std::exchange(Starter(), std::move(Starter_));
}

}  // namespace tavo::platform
