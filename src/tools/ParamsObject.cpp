#include "ParamsObject.h"

#include <algorithm>
#include <cctype>

#include "NumberToText.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::tools {

namespace {

template <typename T> bool InRange(const std::vector<T>& v, int32_t I)
{
    return I >= 0 && static_cast<size_t>(I) < v.size();
}

bool IsDigit(const std::string& s, size_t i)
{
    return i < s.size() && s[i] >= '0' && s[i] <= '9';
}

// One or two digits at i; -1 when there are none.
int32_t ReadTwoDigits(const std::string& s, size_t& i)
{
    if (!IsDigit(s, i))
        return -1;
    int32_t n = s[i++] - '0';
    if (IsDigit(s, i))
        n = n * 10 + (s[i++] - '0');
    return n;
}

}  // namespace

void TParamsObject::Clear()
{
    TextParams.clear();
    IntParams.clear();
    IntParams.shrink_to_fit();
    RealParams.clear();
    RealParams.shrink_to_fit();
    ItemParams.clear();
    ItemParams.shrink_to_fit();
}

std::string TParamsObject::TextParam(int32_t I) const
{
    return InRange(TextParams, I) ? TextParams[static_cast<size_t>(I)] : std::string();
}

int32_t TParamsObject::IntParam(int32_t I) const
{
    return InRange(IntParams, I) ? IntParams[static_cast<size_t>(I)] : NullInt;
}

double TParamsObject::RealParam(int32_t I) const
{
    return InRange(RealParams, I) ? RealParams[static_cast<size_t>(I)] : NullReal;
}

TItemParam TParamsObject::ItemParam(int32_t I) const
{
    return InRange(ItemParams, I) ? ItemParams[static_cast<size_t>(I)] : TItemParam{};
}

void TParamsObject::GetMessage(std::string& Text) const
{
    TCounters used;
    Text = Render(MsgId, used);
    if (MsgId2 != 0)
        Text += " " + Render(MsgId2, used);
}

std::string TParamsObject::Message() const
{
    std::string text;
    GetMessage(text);
    return text;
}

std::string TParamsObject::RenderText(const std::string& Template) const
{
    TCounters used;
    return RenderTemplate(Template, used);
}

std::string TParamsObject::Render(int32_t Id, TCounters& Used) const
{
    std::string text = platform::LoadStr(Id);
    if (text.empty())
        return platform::LoadStr(SUnknownErrorNumber) + std::to_string(Id);
    return RenderTemplate(text, Used);
}

std::string TParamsObject::RenderTemplate(const std::string& Template, TCounters& Used) const
{
    std::string out;
    size_t i = 0;
    while (i < Template.size()) {
        char c = Template[i++];
        if (c != '%' || i >= Template.size()) {
            out += c;
            continue;
        }
        char type = static_cast<char>(std::toupper(static_cast<unsigned char>(Template[i])));
        switch (type) {
        case '%':
            out += '%';
            ++i;
            break;
        case 'D':
        case 'F': {
            ++i;
            int32_t width = ReadTwoDigits(Template, i);
            int32_t decimals = -1;
            // A '.' belongs to the placeholder only with digits after it: "Page %D." ends
            // a sentence.
            if (width >= 0 && i < Template.size() && Template[i] == '.' &&
                IsDigit(Template, i + 1)) {
                ++i;
                decimals = ReadTwoDigits(Template, i);
            }
            if (type == 'D') {
                int32_t v = IntParam(Used.Int++);
                if (width < 0)
                    out += IntToTextOrBlank(v, 0);
                else  // NullInt keeps its meaning: no value, blank field
                    out += FormatNumber(width, std::max(decimals, 0),
                                        v == NullInt ? NullReal : static_cast<double>(v));
            } else {
                double v = RealParam(Used.Real++);
                out += width < 0 ? FormatNumber(0, 0, v) : FormatNumber(width, decimals, v);
            }
            break;
        }
        case 'G': {
            ++i;
            double v = RealParam(Used.Real++);
            if (v != NullReal)
                out += platform::FormatGeneral(v);
            break;
        }
        case 'S':
            ++i;
            out += TextParam(Used.Text++);
            break;
        case 'I': {
            ++i;
            if (!InRange(ItemParams, Used.Item)) {
                out += "[/]";
                break;
            }
            TItemParam item = ItemParam(Used.Item++);
            out += '[';
            out += item.StringId < 1 ? " " : platform::LoadStr(item.StringId) + " ";
            out += item.CodeA == -1 ? "/" : Base36Word(item.CodeA, 0) + "/";
            if (item.CodeB != NullInt)
                out += Base36Text(item.CodeB, 0);
            out += ']';
            break;
        }
        default:
            // Not a placeholder: the '%' and what follows stay as they are.
            out += '%';
            break;
        }
    }
    return out;
}

}  // namespace tavo::tools
