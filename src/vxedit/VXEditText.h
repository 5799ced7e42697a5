#pragma once
// What the validating field does with typed and chosen text, apart from the widget: control
// characters out, and the check of the text when the focus leaves the field.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "strings/StringIds.h"

namespace tavo::lookup {
class TCustomLookUp;
}

namespace tavo::vxedit {

// Every character below 32 (tabs, line breaks) becomes a space.
QString WithoutControlChars(QString Text);

struct TCheckOutcome {
    bool Valid = true;
    // For a valid logical value: the logical text the field shows from now on.
    std::optional<std::string> Text;
    // For an invalid text: why, as the field's hint says it.
    std::string Reason;
};

// The check of a field's text (Windows-1250) by its value kind; other kinds pass. Message
// boxes are off while it runs, so the parsing routines report nothing.
TCheckOutcome CheckFieldText(uint8_t ValueKind, const std::string& Text,
                             lookup::TCustomLookUp* LookUp, bool CheckInList, bool Required,
                             const std::array<std::string, 2>& LogicalTexts);

}  // namespace tavo::vxedit
