#pragma once
// Where the numbered string table meets the translators: LoadStr passes each English text
// through the function set here.
#include <cstdint>
#include <string>

namespace tavo::platform {

// Turns the English text of string Id into the user's language (both Windows-1250). Set
// once at start-up, before any thread asks for a string; null keeps the English table.
using TStringTranslator = std::string (*)(int32_t Id, const std::string& Source);
void SetStringTranslator(TStringTranslator Translator);

}  // namespace tavo::platform
