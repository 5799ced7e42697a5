#include "vxedit/VXEditText.h"

#include <utility>

#include "lookup/LookUpCtrls.h"
#include "platform/Format.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/MessageBoxes.h"
#include "tools/TextRoutines.h"
#include "tools/TextToNumber.h"
#include "vxedit/VXEdit.h"

namespace tavo::vxedit {

namespace {

// Message boxes off for a scope, back as they were on every way out.
class TQuietMessages {
public:
    TQuietMessages() : FSaved(std::exchange(tools::MessagesEnabled, false)) {}
    ~TQuietMessages() { tools::MessagesEnabled = FSaved; }
    TQuietMessages(const TQuietMessages&) = delete;
    TQuietMessages& operator=(const TQuietMessages&) = delete;

private:
    bool FSaved;
};

}  // namespace

QString WithoutControlChars(QString Text)
{
    for (QChar& c : Text)
        if (c.unicode() < 32)
            c = QLatin1Char(' ');
    return Text;
}

TCheckOutcome CheckFieldText(uint8_t ValueKind, const std::string& Text,
                             lookup::TCustomLookUp* LookUp, bool CheckInList, bool Required,
                             const std::array<std::string, 2>& LogicalTexts)
{
    const TQuietMessages quiet;
    TCheckOutcome outcome;
    switch (ValueKind) {
    case vkText:
    case vkListText:
    case vkLookUpText:
        if ((ValueKind == vkLookUpText || CheckInList) && LookUp && !tools::IsBlank(Text) &&
            LookUp->IndexOfCaption(Text) < 0) {
            outcome.Valid = false;
            outcome.Reason = platform::Format(platform::LoadStr(SNotInList), {Text});
        }
        break;
    case vkLogical:
    case vkLogicalItem: {
        uint8_t value = 0;
        const bool blank = tools::IsBlank(Text);
        if (Required)
            outcome.Valid =
                tools::TextToLogicalRequired(Text, LogicalTexts[0], LogicalTexts[1], value);
        else
            outcome.Valid =
                blank || tools::TextToLogical(Text, LogicalTexts[0], LogicalTexts[1], value);
        if (outcome.Valid && !blank)
            outcome.Text = LogicalTexts[value != 0 ? 1 : 0];
        else if (!outcome.Valid)
            outcome.Reason = blank ? platform::LoadStr(SNoLogicalValue)
                                   : platform::Format(platform::LoadStr(SNotLogicalValue), {Text});
        break;
    }
    default:
        break;
    }
    return outcome;
}

}  // namespace tavo::vxedit
