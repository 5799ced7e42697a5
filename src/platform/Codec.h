#pragma once
// The one place where 8-bit texts (Windows-1250, as the libraries and their files keep
// them) meet Unicode. The table is the code page itself, so no locale or ICU is involved.
#include <optional>
#include <string>
#include <string_view>

namespace tavo::platform {

// Windows-1250 bytes to UTF-8. The five bytes the code page leaves undefined map to the
// C1 control of the same number, so nothing is lost on the way back.
std::string AnsiToUtf8(std::string_view Ansi);

// UTF-8 to Windows-1250; none when a character has no byte in the code page or the
// input is not valid UTF-8.
std::optional<std::string> Utf8ToAnsi(std::string_view Utf8);

// As Utf8ToAnsi, but a character without a byte becomes '?' (for texts shown, never stored).
std::string Utf8ToAnsiLossy(std::string_view Utf8);

}  // namespace tavo::platform
