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

// Reads the UTF-8 sequence at Text[Pos] into CodePoint and moves Pos past it; false (Pos
// unchanged) for a cut, overlong or surrogate sequence or one beyond U+10FFFF.
bool DecodeUtf8(std::string_view Text, size_t& Pos, char32_t& CodePoint);
void AppendUtf8(std::string& Out, char32_t CodePoint);

// UTF-16 to UTF-8 and back (wide texts in forms); what cannot be converted becomes
// U+FFFD: an unpaired surrogate, or each byte of a malformed UTF-8 sequence.
std::string Utf16ToUtf8(std::u16string_view Text);
std::u16string Utf8ToUtf16(std::string_view Text);

}  // namespace tavo::platform
