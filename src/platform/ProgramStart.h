#pragma once
// Starting a program without waiting for it. The path is passed as the program itself,
// never to a shell, so spaces, quotes or semicolons in it cannot run anything else.
// The program inherits the current folder.
#include <functional>
#include <string>

namespace tavo::platform {

// Windows-style paths are accepted ('\' separators, letter case as on a Windows disc).
// False when the program could not be started; callers that follow the "run and forget"
// rule may ignore it.
bool StartProgram(const std::string& Program);

// Test seam: replaces the real starter and returns the previous one; an empty function
// restores the real one.
using ProgramStarter = std::function<bool(const std::string& Program)>;
ProgramStarter SetProgramStarter(ProgramStarter Starter);

}  // namespace tavo::platform
