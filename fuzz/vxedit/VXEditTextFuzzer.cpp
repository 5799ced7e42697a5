// Typed text through the validating field's own handling: control characters out, and the
// check of every value kind against a lookup as the field runs it when the focus leaves.
// Input: the value kind, a byte of flags (CheckInList, Required), then the text in
// Windows-1250. Besides the sanitizers' findings, a broken promise stops the run.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "lookup/LookUpCtrls.h"
#include "platform/AnsiText.h"
#include "tools/CheckResult.h"
#include "tools/MessageBoxes.h"
#include "tools/TextRoutines.h"
#include "vxedit/VXEdit.h"
#include "vxedit/VXEditText.h"

using namespace tavo;

namespace {

void Require(bool Condition)
{
    if (!Condition)
        std::abort();
}

bool Presented = false;

lookup::TLookUp& Types()
{
    static lookup::TLookUp* types = [] {
        tools::CaptionErrorId = IdCaptionError;
        tools::MessagesEnabled = true;
        tools::SetMessagePresenter([](const tools::TMessageBoxRequest&) {
            Presented = true;
            return tools::IDOK;
        });
        tools::CheckResult = std::make_unique<tools::TCheckResult>();
        auto* lookup = new lookup::TLookUp;
        // Windows-1250: "Ogrzewanie podłogowe", a caption with a '|' and an empty one.
        for (const char* caption :
             {"Grzejniki", "Ogrzewanie pod\xB3ogowe", "Sum|Total", "", "&Wall", "o"})
            lookup->Items().Add(caption, {}, lookup->Count());
        return lookup;
    }();
    return *types;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    lookup::TLookUp& types = Types();
    if (Size < 2)
        return 0;
    const uint8_t kind = Data[0];
    const bool checkInList = (Data[1] & 1) != 0;
    const bool required = (Data[1] & 2) != 0;
    const std::string text(reinterpret_cast<const char*>(Data + 2), Size - 2);

    const QString typed = platform::FromAnsi(text);
    const QString clean = vxedit::WithoutControlChars(typed);
    Require(clean.size() == typed.size());
    for (QChar c : clean)
        Require(c.unicode() >= 32);

    const std::array<std::string, 2> logical = {"False", "True"};
    Presented = false;
    const vxedit::TCheckOutcome outcome =
        vxedit::CheckFieldText(kind, text, &types, checkInList, required, logical);
    Require(!Presented);
    Require(tools::MessagesEnabled);
    Require(outcome.Valid || !outcome.Reason.empty());
    Require(!outcome.Text || outcome.Valid);
    const bool blank = tools::IsBlank(text);
    switch (kind) {
    case vxedit::vkLogical:
    case vxedit::vkLogicalItem:
        Require(!outcome.Valid || blank == !outcome.Text);
        Require(!outcome.Text || *outcome.Text == logical[0] || *outcome.Text == logical[1]);
        Require(outcome.Valid || !blank || required);
        break;
    case vxedit::vkText:
    case vxedit::vkListText:
    case vxedit::vkLookUpText:
        Require(!outcome.Text);
        Require(outcome.Valid == (blank || (kind != vxedit::vkLookUpText && !checkInList) ||
                                  types.IndexOfCaption(text) >= 0));
        break;
    default:
        Require(outcome.Valid && !outcome.Text);
        break;
    }
    return 0;
}
