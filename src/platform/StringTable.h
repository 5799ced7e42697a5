#pragma once
// The program's numbered string table: every user-visible text that is not part of a
// window's design. Texts are 8-bit Windows-1250 strings, as the libraries keep them.
#include <cstdint>
#include <string>

namespace tavo::platform {

// The text of string Id; a number missing from the table loads as the empty text.
std::string LoadStr(int32_t Id);

// True when the table holds string Id (an empty text still counts as present).
bool StringExists(int32_t Id);

}  // namespace tavo::platform
