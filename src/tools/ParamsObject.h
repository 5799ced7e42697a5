#pragma once
// A message with typed parameters: one or two string numbers whose texts carry
// placeholders, and the text, integer, real and item parameters that fill them.
#include <cstdint>
#include <string>
#include <vector>

#include "NullValues.h"

namespace tavo::tools {

// A named item with a two-part code, shown as "[name A/B]" with the codes in base 36.
struct TItemParam {
    int32_t StringId = 0;
    int16_t CodeA = -1;
    int32_t CodeB = NullInt;
};

class TParamsObject {
public:
    TParamsObject() = default;
    virtual ~TParamsObject() = default;

    int32_t MsgId = 0;
    // Appended after a space; 0 = none.
    int32_t MsgId2 = 0;
    std::vector<std::string> TextParams;
    std::vector<int32_t> IntParams;
    std::vector<double> RealParams;
    std::vector<TItemParam> ItemParams;

    void Clear();

    // Past the end: the empty text, NullInt, NullReal, an item without name or codes.
    std::string TextParam(int32_t I) const;
    int32_t IntParam(int32_t I) const;
    double RealParam(int32_t I) const;
    TItemParam ItemParam(int32_t I) const;

    virtual void GetMessage(std::string& Text) const;
    std::string Message() const;

    // Renders one message template with these parameters, counting from the first.
    std::string RenderText(const std::string& Template) const;

protected:
    // One set of counters serves both string numbers of a message.
    struct TCounters {
        int32_t Text = 0, Int = 0, Real = 0, Item = 0;
    };
    std::string Render(int32_t Id, TCounters& Used) const;
    std::string RenderTemplate(const std::string& Template, TCounters& Used) const;
};

}  // namespace tavo::tools
