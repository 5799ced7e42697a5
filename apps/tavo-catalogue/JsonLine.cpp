#include "JsonLine.h"

#include <cstdio>

#include "platform/Codec.h"

namespace tavo::catalogue {

namespace {

// Length of the valid UTF-8 sequence at Text[I], or 0.
size_t Utf8Length(std::string_view Text, size_t I)
{
    size_t End = I;
    char32_t Code;
    return platform::DecodeUtf8(Text, End, Code) ? End - I : 0;
}

class TParser {
public:
    TParser(std::string_view Text, std::string& Error) : FText(Text), FError(Error) {}

    std::optional<TJsonObject> Object()
    {
        TJsonObject Result;
        Space();
        if (!Take('{'))
            return Fail("expected '{'");
        Space();
        if (!Take('}')) {
            for (;;) {
                Space();
                std::string Key;
                if (!String(Key))
                    return std::nullopt;
                for (const auto& [Name, Value] : Result)
                    if (Name == Key)
                        return Fail("the key '" + Key + "' occurs twice");
                Space();
                if (!Take(':'))
                    return Fail("expected ':'");
                Space();
                TJsonValue Value;
                if (!ScalarValue(Value))
                    return std::nullopt;
                Result.emplace_back(std::move(Key), std::move(Value));
                Space();
                if (Take('}'))
                    break;
                if (!Take(','))
                    return Fail("expected ',' or '}'");
            }
        }
        Space();
        if (FPos != FText.size())
            return Fail("text after the object");
        return Result;
    }

private:
    std::nullopt_t Fail(const std::string& Reason)
    {
        FError = Reason + " at column " + std::to_string(FPos + 1);
        return std::nullopt;
    }
    void Space()
    {
        while (FPos < FText.size() && (FText[FPos] == ' ' || FText[FPos] == '\t' ||
                                       FText[FPos] == '\r' || FText[FPos] == '\n'))
            ++FPos;
    }
    bool Take(char C)
    {
        if (FPos < FText.size() && FText[FPos] == C) {
            ++FPos;
            return true;
        }
        return false;
    }
    bool Word(std::string_view W)
    {
        if (FText.substr(FPos, W.size()) != W)
            return false;
        FPos += W.size();
        return true;
    }
    bool Hex4(uint32_t& Code)
    {
        if (FPos + 4 > FText.size())
            return false;
        Code = 0;
        for (int K = 0; K < 4; ++K) {
            const char C = FText[FPos++];
            Code <<= 4;
            if (C >= '0' && C <= '9')
                Code |= static_cast<uint32_t>(C - '0');
            else if (C >= 'a' && C <= 'f')
                Code |= static_cast<uint32_t>(C - 'a' + 10);
            else if (C >= 'A' && C <= 'F')
                Code |= static_cast<uint32_t>(C - 'A' + 10);
            else
                return false;
        }
        return true;
    }
    bool String(std::string& Out)
    {
        if (!Take('"')) {
            Fail("expected a text in quotes");
            return false;
        }
        while (FPos < FText.size()) {
            const char C = FText[FPos];
            if (C == '"') {
                ++FPos;
                return true;
            }
            if (static_cast<unsigned char>(C) < 0x20) {
                Fail("a control character inside a text");
                return false;
            }
            if (C != '\\') {
                const size_t Length = Utf8Length(FText, FPos);
                if (Length == 0) {
                    Fail("invalid UTF-8");
                    return false;
                }
                Out.append(FText.substr(FPos, Length));
                FPos += Length;
                continue;
            }
            ++FPos;
            if (FPos >= FText.size())
                break;
            const char E = FText[FPos++];
            switch (E) {
            case '"':
                Out += '"';
                break;
            case '\\':
                Out += '\\';
                break;
            case '/':
                Out += '/';
                break;
            case 'b':
                Out += '\b';
                break;
            case 'f':
                Out += '\f';
                break;
            case 'n':
                Out += '\n';
                break;
            case 'r':
                Out += '\r';
                break;
            case 't':
                Out += '\t';
                break;
            case 'u': {
                uint32_t Code = 0;
                if (!Hex4(Code)) {
                    Fail("a bad \\u escape");
                    return false;
                }
                if (Code >= 0xD800 && Code <= 0xDBFF) {
                    uint32_t Low = 0;
                    if (!Word("\\u") || !Hex4(Low) || Low < 0xDC00 || Low > 0xDFFF) {
                        Fail("a lone surrogate");
                        return false;
                    }
                    Code = 0x10000 + ((Code - 0xD800) << 10) + (Low - 0xDC00);
                } else if (Code >= 0xDC00 && Code <= 0xDFFF) {
                    Fail("a lone surrogate");
                    return false;
                }
                platform::AppendUtf8(Out, Code);
                break;
            }
            default:
                --FPos;
                Fail("a bad escape");
                return false;
            }
        }
        Fail("a text without its closing quote");
        return false;
    }
    bool Number(TJsonValue& Value)
    {
        const size_t Start = FPos;
        Take('-');
        const size_t DigitsStart = FPos;
        while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9')
            ++FPos;
        const size_t Digits = FPos - DigitsStart;
        if (Digits == 0 || (Digits > 1 && FText[DigitsStart] == '0')) {
            FPos = Start;
            Fail("a bad number");
            return false;
        }
        if (FPos < FText.size() &&
            (FText[FPos] == '.' || FText[FPos] == 'e' || FText[FPos] == 'E')) {
            Fail("a number that is not whole");
            return false;
        }
        // Up to 18 digits always fit; a longer one is out of every range the tool takes.
        if (Digits > 18) {
            FPos = Start;
            Fail("a number out of range");
            return false;
        }
        int64_t Result = 0;
        for (size_t I = DigitsStart; I < FPos; ++I)
            Result = Result * 10 + (FText[I] - '0');
        Value.Kind = TJsonValue::jvInteger;
        Value.Integer = FText[Start] == '-' ? -Result : Result;
        return true;
    }
    bool ScalarValue(TJsonValue& Value)
    {
        if (FPos >= FText.size()) {
            Fail("a value missing");
            return false;
        }
        const char C = FText[FPos];
        if (C == '"') {
            Value.Kind = TJsonValue::jvText;
            return String(Value.Text);
        }
        if (C == '-' || (C >= '0' && C <= '9'))
            return Number(Value);
        if (Word("true")) {
            Value.Kind = TJsonValue::jvBool;
            Value.Bool = true;
            return true;
        }
        if (Word("false")) {
            Value.Kind = TJsonValue::jvBool;
            return true;
        }
        if (Word("null"))
            return true;
        if (C == '{' || C == '[')
            Fail("nested objects and lists are not taken");
        else
            Fail("a bad value");
        return false;
    }

    std::string_view FText;
    std::string& FError;
    size_t FPos = 0;
};

}  // namespace

std::optional<TJsonObject> ParseJsonObject(std::string_view Line, std::string& Error)
{
    return TParser(Line, Error).Object();
}

std::string JsonText(std::string_view Utf8)
{
    std::string Out = "\"";
    for (size_t I = 0; I < Utf8.size();) {
        const auto B = static_cast<unsigned char>(Utf8[I]);
        if (B == '"' || B == '\\') {
            Out += '\\';
            Out += static_cast<char>(B);
            ++I;
            continue;
        }
        if (B < 0x20) {
            switch (B) {
            case '\n':
                Out += "\\n";
                break;
            case '\r':
                Out += "\\r";
                break;
            case '\t':
                Out += "\\t";
                break;
            default: {
                char Escape[8];
                std::snprintf(Escape, sizeof Escape, "\\u%04x", B);
                Out += Escape;
            }
            }
            ++I;
            continue;
        }
        const size_t Length = Utf8Length(Utf8, I);
        if (Length == 0) {
            Out += "\xEF\xBF\xBD";
            ++I;
            continue;
        }
        // C1 controls (the code page's undefined bytes) stay readable as escapes.
        if (Length == 2 && B == 0xC2 && static_cast<unsigned char>(Utf8[I + 1]) < 0xA0) {
            char Escape[8];
            std::snprintf(Escape, sizeof Escape, "\\u%04x",
                          static_cast<unsigned char>(Utf8[I + 1]));
            Out += Escape;
        } else {
            Out.append(Utf8.substr(I, Length));
        }
        I += Length;
    }
    Out += '"';
    return Out;
}

}  // namespace tavo::catalogue
