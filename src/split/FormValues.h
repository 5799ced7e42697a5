#pragma once
// Reading and writing the split's and the pane's values in the form stream: enumeration
// names, colours by name, and the bounds every control stores.
#include <cstddef>
#include <string>
#include <string_view>

#include "tools/Colors.h"
#include "tools/FormStream.h"

class QWidget;

namespace tavo::split::form {

extern const char* const StyleNames[8];
extern const char* const OrientationNames[6];
extern const char* const OptionNames[3];
extern const char* const BorderStyleNames[2];
extern const char* const DragModeNames[2];
extern const char* const DragKindNames[2];
extern const char* const CaptionStyleNames[3];
extern const char* const CaptionOrientationNames[2];

// The value named Ident; raises "Invalid property value" for any other name.
size_t IndexOfName(std::string_view Ident, const char* const* Names, size_t Count);
template <typename E, size_t N> E ReadEnum(tools::TReader& Reader, const char* const (&Names)[N])
{
    return static_cast<E>(IndexOfName(Reader.ReadIdent(), Names, N));
}

// Colours are written by name when they have one ("clBtnFace"), otherwise as numbers.
tools::TColor ReadColor(tools::TReader& Reader);
void WriteColor(tools::TWriter& Writer, tools::TColor Color);

// Left, Top, Width and Height: true when Name was one of them.
bool ReadControlProperty(QWidget& Control, std::string_view Name, tools::TReader& Reader);
void WriteControlProperties(const QWidget& Control, tools::TWriter& Writer);

}  // namespace tavo::split::form
