// The "Programs" tab: run the installer from the disc; start the installed program from
// the folder its profile file names, in its data folder.
#include <cstring>

#include "FMain.h"
#include "platform/CurrentFolder.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramStart.h"
#include "strings/StringIds.h"
#include "tools/MessageBoxes.h"

namespace tavo::shell {

namespace {

constexpr const char* kInstaller = "setup\\HD\\setuphd.exe";
constexpr const char* kProfileFile = "TAVHD3_2.ini";
constexpr const char* kProfileSection = "STARTUP";
constexpr const char* kProfileKey = "PROGPATH";

}  // namespace

bool TF_Main::SetCommandLine(const std::string& Command)
{
    if (Command.size() >= FCommandLine.size()) {
        tools::ErrorMessageFmt(IdCommandTooLong, {Command});
        return false;
    }
    std::memcpy(FCommandLine.data(), Command.data(), Command.size());
    FCommandLine[Command.size()] = '\0';
    return true;
}

void TF_Main::Sbtn_InstallHDClick()
{
    if (!SetCommandLine(FDiscFolder + kInstaller))
        return;
    // Run and forget: the installer shows its own windows; the shell stays open.
    platform::StartProgram(FCommandLine.data());
}

void TF_Main::Btn_HDClick()
{
    uint32_t read =
        platform::GetPrivateProfileString(kProfileSection, kProfileKey, "", FCommandLine.data(),
                                          static_cast<uint32_t>(FCommandLine.size()), kProfileFile);
    if (read > 0) {
        std::string folder(FCommandLine.data(), read);
        if (read >= FCommandLine.size() - 1) {
            // The value filled the buffer, so it may have been cut: never start a
            // program from a truncated path.
            tools::ErrorMessageFmt(IdCommandTooLong, {folder});
            return;
        }
        // Raises the input/output error when the folder cannot be entered; the
        // application's handler shows it and nothing is started.
        platform::SetCurrentFolder(folder + "\\data");
        if (!SetCommandLine(folder + "\\HD.exe"))
            return;
        platform::StartProgram(FCommandLine.data());
    } else if (tools::AskYesNo(IdNotInstalled) == tools::IDYES) {
        Sbtn_InstallHDClick();
    }
}

}  // namespace tavo::shell
