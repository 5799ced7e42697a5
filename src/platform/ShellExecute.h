#pragma once
// Handing an address to the desktop: web addresses open in the user's browser, "mailto:"
// addresses in the mail program. Bare host names ("www.example.com") count as web
// addresses, as the Windows shell treats them.
#include <functional>
#include <string>

class QWidget;

namespace tavo::platform {

struct ShellExecuteRequest {
    QWidget* Owner = nullptr;  // the window the request comes from, or none
    std::string Verb;          // "" (the default verb) or "open"
    std::string Target;        // Windows-1250 text, passed on exactly as given
};

bool ShellExecute(QWidget* Owner, const std::string& Verb, const std::string& Target);

// Test seam, as for ProgramStart.h.
using ShellExecutor = std::function<bool(const ShellExecuteRequest&)>;
ShellExecutor SetShellExecutor(ShellExecutor Executor);

}  // namespace tavo::platform
