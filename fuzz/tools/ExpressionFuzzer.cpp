// Typed text through the expression evaluator and the conversions built on it, and the
// same bytes as a message template of a check result. Besides the sanitizers' findings,
// a broken promise of the conversions stops the run.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/CheckResult.h"
#include "tools/MessageBoxes.h"
#include "tools/NumberToText.h"
#include "tools/TextRoutines.h"
#include "tools/TextToNumber.h"

using namespace tavo::tools;

namespace {

void Require(bool Condition)
{
    if (!Condition)
        std::abort();
}

void Setup()
{
    CaptionErrorId = tavo::IdCaptionError;
    // The boxes go through the whole message path but show nothing.
    MessagesEnabled = true;
    SetMessagePresenter([](const TMessageBoxRequest&) { return IDOK; });
    CheckResult = std::make_unique<TCheckResult>();
}

void CheckConversions(const std::string& text)
{
    CheckResult->Failed = false;
    double value;
    bool ok = TextToReal(text, value);
    Require(ok == (value != NullReal));
    if (ok) {
        Require(std::isfinite(value));
        // The shortest text of a number reads back as the same number.
        if (std::fabs(value) >= 1E-20) {
            double again;
            Require(TextToReal(ShortNumber(value), again) && again == value);
        }
        for (int32_t width : {0, 3, 8, 12})
            Require(!FormatNumber(width, -1, value).empty() || width == 0);
    } else {
        // Every rejection of a typed text is recorded; only a blank one is not.
        Require(CheckResult->Failed == !IsBlank(text));
    }
    int32_t i;
    uint8_t b;
    TextToInt(text, i);
    Require(i != NullInt || !ok);
    TextToByte(text, b);
    uint8_t logical = 7;
    TextToLogicalRequired(text, "No", "Yes", logical);
}

void CheckRendering(const std::string& text, const uint8_t* data, size_t size)
{
    TCheckResult r;
    r.InputText = text;
    r.Symbol = text;
    r.CheckMessage = text;
    r.UnitText = text;
    r.TextParams = {text};
    for (size_t i = 0; i < size && i < 8; ++i) {
        r.IntParams.push_back(static_cast<int32_t>(data[i] * 16777619u));
        r.RealParams.push_back((data[i] - 128) * 1E-3 * std::pow(10.0, data[i] % 40 - 20));
        r.ItemParams.push_back({data[i], static_cast<int16_t>(data[i] - 2), data[i] * 99991});
    }
    r.RenderText(text);
    for (int32_t kind = 0; kind <= 12; ++kind) {
        r.MsgId = kind;
        r.SubCode = static_cast<uint8_t>(size);
        std::string message;
        r.GetMessage(message);
    }
    r.MsgId = 20036 + static_cast<int32_t>(size % 45);
    r.MsgId2 = size > 0 ? 10096 + data[0] : 0;
    r.Message();
}

}  // namespace

// A template of a few kilobytes of "%F99.99" renders to a hundred kilobytes, hundreds of
// times a second; ASan's default quarantine of 256 MB of freed blocks then pushes the
// process past the 256 MB limit between libFuzzer's purges. A smaller quarantine still
// catches the use of a block freed recently.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static bool ready = (Setup(), true);
    (void)ready;
    std::string text(reinterpret_cast<const char*>(Data), Size);
    CheckConversions(text);
    CheckRendering(text, Data, Size);
    return 0;
}
