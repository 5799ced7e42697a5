#pragma once
// Text routines shared by the forms: blank test and trimming (spaces only), filling and
// aligning, the "caption|hint" convention and accelerator marks. Texts are Windows-1250.
#include <cstdint>
#include <string>
#include <string_view>

namespace tavo::tools {

// Empty or spaces (0x20) only; a tab or a line break is not blank.
bool IsBlank(std::string_view Text);
// Removes leading and trailing spaces; a blank text becomes empty.
void TrimText(std::string& Text);
std::string Trimmed(std::string_view Text);
// Count spaces; empty when Count <= 0.
std::string Spaces(int32_t Count);
// Trimmed text padded on the left to Width, or cut to its first Width characters.
std::string AlignRight(std::string_view Text, int32_t Width);

// The part before the first '|' (not trimmed), or the whole text.
std::string HintCaption(std::string_view Text);
// The part after the first '|', or the whole text; trimmed.
std::string HintText(std::string_view Text);
// Removes every '&' (a doubled "&&" goes completely).
std::string StripAccelerators(std::string_view Text);

// Windows-1250 letter case, so that "ž" and "Ž" compare equal as they do for the user.
char AnsiUpperChar(char C);
// True when Text equals the first Text.size() characters of Name, ignoring letter case.
bool IsAnsiPrefixOf(std::string_view Text, std::string_view Name);

}  // namespace tavo::tools
