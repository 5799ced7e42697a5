#pragma once
// The text form of the form stream, as a form file shows it:
//
//   object DM_DocItem: TDM_DocItem
//     object LUp_Types: TLookUp
//       DrawStyle = ldsStandard
//       Images = Glyphs
//       Items.Items = ('' '' 'USER' -2147483647 True -1 False)
//     end
//   end
//
// Values: integers in decimal ($hex is read too); reals with a '.' or an exponent, with the
// suffix 's' for single, 'c' for currency and 'd' for dates; identifiers bare, among them
// False, True, nil and Null; texts in quotes with '' for a quote, pieces joined directly or
// by '+'; sets [a, b]; lists (v v v); binary data {hex}; collections <item ... end>.
// "inherited" and "inline" stand for the component flags, "[n]" for a child position.
//
// The text is Windows-1250, like every library text: bytes from 0x20 up stand for
// themselves inside quotes, control characters are written #n. A #n of 128 or more makes
// the text wide (n is then a UTF-16 code unit) and is how wide texts keep their characters.
// The writer's output is canonical: reading it back and writing again gives the same text.
#include <string>
#include <string_view>

#include "tools/FormStream.h"

namespace tavo::tools {

// Both raise EReadError (EParserError with the line for the text) on bad input.
std::string ObjectBinaryToText(std::string_view Binary);
std::string ObjectTextToBinary(std::string_view Text);

// A whole form straight from its text into Root and the components it holds, and back.
void ReadComponentText(std::string_view Text, TFormComponent& Root);
std::string WriteComponentText(TFormComponent& Root);

}  // namespace tavo::tools
