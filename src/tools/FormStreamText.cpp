#include "FormStreamText.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <vector>

#include "platform/Codec.h"
#include "platform/Format.h"
#include "platform/StringTable.h"

namespace tavo::tools {

using platform::Format;
using platform::LoadStr;

namespace {

constexpr std::string_view HexDigits = "0123456789ABCDEF";

int HexValue(char C)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    return -1;
}

bool SameKeyword(std::string_view Text, std::string_view Keyword)
{
    if (Text.size() != Keyword.size())
        return false;
    for (size_t i = 0; i < Text.size(); ++i) {
        char c = Text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != Keyword[i])
            return false;
    }
    return true;
}

// The shortest text that reads back as the same number, always with a '.' or an exponent.
template <typename T> std::string RealText(T Value)
{
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, Value);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

std::string CurrencyText(int64_t TenThousandths)
{
    bool negative = TenThousandths < 0;
    // Through unsigned arithmetic so that the smallest value keeps its digits.
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(TenThousandths)
                                  : static_cast<uint64_t>(TenThousandths);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (fraction.size() > 1 && fraction.back() == '0')
        fraction.pop_back();
    return (negative ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction + "c";
}

std::string QuotedAnsi(std::string_view Text)
{
    std::string out;
    bool quoted = false;
    for (char c : Text) {
        auto b = static_cast<uint8_t>(c);
        if (b < 0x20) {
            if (quoted)
                out += '\'';
            quoted = false;
            out += '#' + std::to_string(b);
        } else {
            if (!quoted)
                out += '\'';
            quoted = true;
            out += c;
            if (c == '\'')
                out += '\'';
        }
    }
    if (quoted)
        out += '\'';
    return out.empty() ? "''" : out;
}

std::string QuotedWide(std::u16string_view Text)
{
    std::string out;
    bool quoted = false;
    for (char16_t unit : Text) {
        if (unit < 0x20 || unit >= 0x80) {
            if (quoted)
                out += '\'';
            quoted = false;
            out += '#' + std::to_string(static_cast<unsigned>(unit));
        } else {
            if (!quoted)
                out += '\'';
            quoted = true;
            out += static_cast<char>(unit);
            if (unit == u'\'')
                out += '\'';
        }
    }
    if (quoted)
        out += '\'';
    return out.empty() ? "''" : out;
}

// ---- binary to text -------------------------------------------------------------------

class TTextWriter {
public:
    TTextWriter(TReader& Reader, std::string& Out) : FReader(Reader), FOut(Out) {}

    void Component(size_t Indent)
    {
        TReader::TNesting nesting(FReader);
        TReader::TComponentHeader header = FReader.ReadComponentHeader();
        FOut.append(Indent, ' ');
        FOut += (header.Flags & ffInline)      ? "inline "
                : (header.Flags & ffInherited) ? "inherited "
                                               : "object ";
        if (!header.Name.empty())
            FOut += header.Name + ": ";
        FOut += header.ClassName;
        if (header.Flags & ffChildPos)
            FOut += " [" + std::to_string(header.ChildPos) + "]";
        FOut += '\n';
        Properties(Indent + 2);
        while (!FReader.EndOfList())
            Component(Indent + 2);
        FReader.ReadListEnd();
        FOut.append(Indent, ' ');
        FOut += "end\n";
    }

private:
    void Properties(size_t Indent)
    {
        while (!FReader.EndOfList()) {
            FOut.append(Indent, ' ');
            FOut += FReader.ReadPropName() + " = ";
            Value(Indent);
            FOut += '\n';
        }
        FReader.ReadListEnd();
    }

    void Value(size_t Indent)
    {
        switch (FReader.NextValue()) {
        case TValueType::vaList: {
            TReader::TNesting nesting(FReader);
            FReader.ReadListBegin();
            FOut += '(';
            bool first = true;
            while (!FReader.EndOfList()) {
                if (!first)
                    FOut += ' ';
                first = false;
                Value(Indent);
            }
            FReader.ReadListEnd();
            FOut += ')';
            break;
        }
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32:
        case TValueType::vaInt64:
            FOut += std::to_string(FReader.ReadInt64());
            break;
        case TValueType::vaExtended:
            FOut += RealText(FReader.ReadFloat());
            break;
        case TValueType::vaSingle:
            FOut += RealText(FReader.ReadSingle()) + "s";
            break;
        case TValueType::vaCurrency:
            FOut += CurrencyText(FReader.ReadCurrency());
            break;
        case TValueType::vaDate:
            FOut += RealText(FReader.ReadDate()) + "d";
            break;
        case TValueType::vaString:
        case TValueType::vaLString:
            FOut += QuotedAnsi(FReader.ReadString());
            break;
        case TValueType::vaWString:
        case TValueType::vaUTF8String:
            FOut += QuotedWide(FReader.ReadWideString());
            break;
        case TValueType::vaIdent:
        case TValueType::vaFalse:
        case TValueType::vaTrue:
        case TValueType::vaNil:
        case TValueType::vaNull:
            FOut += FReader.ReadIdent();
            break;
        case TValueType::vaBinary: {
            std::string bytes = FReader.ReadBinary();
            FOut += '{';
            for (size_t i = 0; i < bytes.size(); ++i) {
                if (i % 32 == 0) {
                    FOut += '\n';
                    FOut.append(Indent + 2, ' ');
                }
                auto b = static_cast<uint8_t>(bytes[i]);
                FOut += HexDigits[b >> 4];
                FOut += HexDigits[b & 15];
            }
            FOut += '}';
            break;
        }
        case TValueType::vaSet: {
            std::vector<std::string> names = FReader.ReadSet();
            FOut += '[';
            for (size_t i = 0; i < names.size(); ++i)
                FOut += (i ? ", " : "") + names[i];
            FOut += ']';
            break;
        }
        case TValueType::vaCollection: {
            TReader::TNesting nesting(FReader);
            FReader.ReadValue();
            FOut += '<';
            while (!FReader.EndOfList()) {
                FOut += '\n';
                FOut.append(Indent + 2, ' ');
                FOut += "item";
                TValueType next = FReader.NextValue();
                if (next == TValueType::vaInt8 || next == TValueType::vaInt16 ||
                    next == TValueType::vaInt32)
                    FOut += " [" + std::to_string(FReader.ReadInteger()) + "]";
                FReader.ReadListBegin();
                FOut += '\n';
                Properties(Indent + 4);
                FOut.append(Indent + 2, ' ');
                FOut += "end";
            }
            FReader.ReadListEnd();
            FOut += '>';
            break;
        }
        }
    }

    TReader& FReader;
    std::string& FOut;
};

// ---- text to binary -------------------------------------------------------------------

class TTextParser {
public:
    TTextParser(std::string_view Text, TWriter& Writer) : FText(Text), FWriter(Writer) {}

    void Form()
    {
        FWriter.WriteSignature();
        SkipSpace();
        std::string keyword = Ident(false);
        Component(keyword);
        SkipSpace();
        if (FPos < FText.size())
            Error(LoadStr(SInvalidStreamFormat));
    }

private:
    [[noreturn]] void Error(const std::string& Message)
    {
        throw EParserError(Format(LoadStr(SParseErrorAtLine), {Message, int64_t{FLine}}));
    }

    [[noreturn]] void Expected(char C)
    {
        Error(Format(LoadStr(SCharExpected), {std::string(1, C)}));
    }

    char Peek() const { return FPos < FText.size() ? FText[FPos] : '\0'; }
    bool AtEnd() const { return FPos >= FText.size(); }

    void SkipSpace()
    {
        while (!AtEnd()) {
            char c = FText[FPos];
            if (c == '\n')
                ++FLine;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
            ++FPos;
        }
    }

    void Expect(char C)
    {
        SkipSpace();
        if (Peek() != C)
            Expected(C);
        ++FPos;
    }

    static bool IsStart(char C)
    {
        return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
    }
    static bool IsDigit(char C) { return C >= '0' && C <= '9'; }

    std::string Ident(bool Dotted)
    {
        SkipSpace();
        size_t start = FPos;
        for (;;) {
            if (!IsStart(Peek()))
                Error(LoadStr(SIdentifierExpected));
            while (IsStart(Peek()) || IsDigit(Peek()))
                ++FPos;
            if (!Dotted || Peek() != '.')
                break;
            ++FPos;
        }
        if (FPos - start > 255)
            Error(LoadStr(SIdentifierExpected));
        return std::string(FText.substr(start, FPos - start));
    }

    class TDepth {
    public:
        explicit TDepth(TTextParser& Parser) : FParser(Parser)
        {
            if (++FParser.FDepth > 200)
                FParser.Error(LoadStr(SNestedTooDeep));
        }
        ~TDepth() { --FParser.FDepth; }
        TDepth(const TDepth&) = delete;
        TDepth& operator=(const TDepth&) = delete;

    private:
        TTextParser& FParser;
    };

    static bool IsComponentKeyword(std::string_view Word)
    {
        return SameKeyword(Word, "object") || SameKeyword(Word, "inherited") ||
               SameKeyword(Word, "inline");
    }

    // "[n]": a child position (never negative) or a collection item's order.
    int32_t Position(bool MayBeNegative)
    {
        Expect('[');
        SkipSpace();
        int64_t value = IntegerOnly();
        if (value < (MayBeNegative ? INT32_MIN : 0) || value > INT32_MAX)
            Error(LoadStr(SInvalidPropertyValue));
        Expect(']');
        return static_cast<int32_t>(value);
    }

    void Component(const std::string& Keyword)
    {
        TDepth depth(*this);
        if (!IsComponentKeyword(Keyword))
            Error(Format(LoadStr(SCharExpected), {std::string("object")}));
        TReader::TComponentHeader header;
        if (SameKeyword(Keyword, "inherited"))
            header.Flags = ffInherited;
        else if (SameKeyword(Keyword, "inline"))
            header.Flags = ffInline;
        std::string first = Ident(false);
        SkipSpace();
        if (Peek() == ':') {
            ++FPos;
            header.Name = first;
            header.ClassName = Ident(false);
        } else {
            header.ClassName = first;
        }
        SkipSpace();
        if (Peek() == '[') {
            header.Flags |= ffChildPos;
            header.ChildPos = Position(false);
        }
        FWriter.WriteComponentHeader(header);
        // Properties, then the components it holds, then "end".
        std::string word = Ident(true);
        for (;;) {
            SkipSpace();
            if (Peek() != '=')
                break;
            ++FPos;
            FWriter.WriteStr(word);
            Value();
            word = Ident(true);
        }
        FWriter.WriteListEnd();
        while (IsComponentKeyword(word)) {
            Component(word);
            word = Ident(true);
        }
        if (!SameKeyword(word, "end"))
            Expected('=');
        FWriter.WriteListEnd();
    }

    void Properties()
    {
        for (;;) {
            std::string word = Ident(true);
            SkipSpace();
            if (Peek() != '=') {
                if (!SameKeyword(word, "end"))
                    Expected('=');
                return;
            }
            ++FPos;
            FWriter.WriteStr(word);
            Value();
        }
    }

    void Value()
    {
        SkipSpace();
        char c = Peek();
        if (c == '(') {
            TDepth depth(*this);
            ++FPos;
            FWriter.WriteListBegin();
            for (;;) {
                SkipSpace();
                if (AtEnd())
                    Expected(')');
                if (Peek() == ')')
                    break;
                Value();
            }
            ++FPos;
            FWriter.WriteListEnd();
        } else if (c == '[') {
            ++FPos;
            std::vector<std::string> names;
            SkipSpace();
            if (Peek() != ']') {
                names.push_back(Ident(false));
                SkipSpace();
                while (Peek() == ',') {
                    ++FPos;
                    names.push_back(Ident(false));
                    SkipSpace();
                }
            }
            Expect(']');
            FWriter.WriteSet(names);
        } else if (c == '{') {
            ++FPos;
            Binary();
        } else if (c == '<') {
            TDepth depth(*this);
            ++FPos;
            FWriter.WriteValue(TValueType::vaCollection);
            for (;;) {
                SkipSpace();
                if (Peek() == '>')
                    break;
                std::string word = Ident(false);
                if (!SameKeyword(word, "item"))
                    Expected('>');
                SkipSpace();
                if (Peek() == '[')
                    FWriter.WriteInteger(Position(true));
                FWriter.WriteListBegin();
                Properties();
                FWriter.WriteListEnd();
            }
            ++FPos;
            FWriter.WriteListEnd();
        } else if (c == '\'' || c == '#') {
            Text();
        } else if (IsDigit(c) || c == '-' || c == '+' || c == '$') {
            Number();
        } else if (IsStart(c)) {
            FWriter.WriteIdent(Ident(true));
        } else {
            Error(LoadStr(SInvalidPropertyValue));
        }
    }

    void Binary()
    {
        std::string bytes;
        int high = -1;
        for (;;) {
            SkipSpace();
            if (AtEnd())
                Expected('}');
            char c = FText[FPos++];
            if (c == '}')
                break;
            int digit = HexValue(c);
            if (digit < 0)
                Error(LoadStr(SInvalidBinary));
            if (high < 0) {
                high = digit;
            } else {
                bytes += static_cast<char>(high * 16 + digit);
                high = -1;
            }
        }
        if (high >= 0)
            Error(LoadStr(SInvalidBinary));
        FWriter.WriteBinary(bytes);
    }

    void Text()
    {
        // Codes with a flag telling raw Windows-1250 bytes from #n codes.
        std::vector<std::pair<uint32_t, bool>> codes;
        bool wide = false;
        for (;;) {
            char c = Peek();
            if (c == '\'') {
                ++FPos;
                for (;;) {
                    if (AtEnd() || Peek() == '\n' || Peek() == '\r')
                        Error(LoadStr(SInvalidString));
                    char t = FText[FPos++];
                    if (t == '\'') {
                        if (Peek() != '\'')
                            break;
                        ++FPos;
                    }
                    codes.emplace_back(static_cast<uint8_t>(t), true);
                }
            } else if (c == '#') {
                ++FPos;
                uint32_t code = 0;
                size_t start = FPos;
                if (Peek() == '$') {
                    ++FPos;
                    start = FPos;
                    while (FPos - start < 6 && HexValue(Peek()) >= 0)
                        code = code * 16 + static_cast<uint32_t>(HexValue(FText[FPos++]));
                } else {
                    while (FPos - start < 6 && IsDigit(Peek()))
                        code = code * 10 + static_cast<uint32_t>(FText[FPos++] - '0');
                }
                if (FPos == start || code > 0xFFFF)
                    Error(LoadStr(SInvalidString));
                if (code >= 0x80)
                    wide = true;
                codes.emplace_back(code, false);
            } else {
                size_t save = FPos;
                int line = FLine;
                SkipSpace();
                if (Peek() == '+') {
                    ++FPos;
                    SkipSpace();
                    if (Peek() != '\'' && Peek() != '#')
                        Error(LoadStr(SStringExpected));
                    continue;
                }
                FPos = save;
                FLine = line;
                break;
            }
        }
        if (!wide) {
            std::string bytes;
            bytes.reserve(codes.size());
            for (auto [code, raw] : codes)
                bytes += static_cast<char>(code);
            FWriter.WriteString(bytes);
            return;
        }
        std::u16string units;
        for (auto [code, raw] : codes) {
            if (raw && code >= 0x80)
                units += Utf8ToUtf16(platform::AnsiToUtf8(std::string(1, static_cast<char>(code))));
            else
                units += static_cast<char16_t>(code);
        }
        FWriter.WriteWideString(units);
    }

    int64_t IntegerOnly()
    {
        bool negative = false;
        if (Peek() == '-' || Peek() == '+') {
            negative = Peek() == '-';
            ++FPos;
        }
        size_t start = FPos;
        while (IsDigit(Peek()))
            ++FPos;
        int64_t value = 0;
        auto [ptr, ec] = std::from_chars(FText.data() + start, FText.data() + FPos, value);
        if (FPos == start || ec != std::errc())
            Error(LoadStr(SNumberExpected));
        (void)ptr;
        return negative ? -value : value;
    }

    void Number()
    {
        size_t start = FPos;
        bool negative = false;
        if (Peek() == '-' || Peek() == '+') {
            negative = Peek() == '-';
            ++FPos;
        }
        if (Peek() == '$') {
            ++FPos;
            size_t digits = FPos;
            uint64_t value = 0;
            while (HexValue(Peek()) >= 0) {
                if (FPos - digits >= 16)
                    Error(Format(LoadStr(SInvalidNumber),
                                 {std::string(FText.substr(start, FPos - start))}));
                value = value * 16 + static_cast<uint64_t>(HexValue(FText[FPos++]));
            }
            if (FPos == digits)
                Error(LoadStr(SNumberExpected));
            auto signedValue = static_cast<int64_t>(value);
            FWriter.WriteInteger(negative ? static_cast<int64_t>(0 - value) : signedValue);
            return;
        }
        size_t digitsStart = FPos;
        bool real = false;
        while (IsDigit(Peek()))
            ++FPos;
        if (FPos == digitsStart)
            Error(LoadStr(SNumberExpected));
        if (Peek() == '.' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1])) {
            real = true;
            ++FPos;
            while (IsDigit(Peek()))
                ++FPos;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            size_t save = FPos;
            ++FPos;
            if (Peek() == '+' || Peek() == '-')
                ++FPos;
            if (IsDigit(Peek())) {
                real = true;
                while (IsDigit(Peek()))
                    ++FPos;
            } else {
                FPos = save;
            }
        }
        std::string number(FText.substr(digitsStart, FPos - digitsStart));
        std::string whole(FText.substr(start, FPos - start));
        char suffix = Peek();
        if (suffix >= 'A' && suffix <= 'Z')
            suffix = static_cast<char>(suffix - 'A' + 'a');
        auto invalid = [&]() { Error(Format(LoadStr(SInvalidNumber), {whole})); };
        if (suffix == 'c') {
            ++FPos;
            FWriter.WriteCurrency(CurrencyValue(number, negative, invalid));
        } else if (suffix == 's') {
            ++FPos;
            float value = 0;
            auto r = std::from_chars(number.data(), number.data() + number.size(), value);
            if (r.ec != std::errc() || !std::isfinite(value))
                invalid();
            FWriter.WriteSingle(negative ? -value : value);
        } else if (suffix == 'd') {
            ++FPos;
            double value = 0;
            auto r = std::from_chars(number.data(), number.data() + number.size(), value);
            if (r.ec != std::errc() || !std::isfinite(value))
                invalid();
            FWriter.WriteDate(negative ? -value : value);
        } else if (real) {
            long double value = 0;
            auto r = std::from_chars(number.data(), number.data() + number.size(), value);
            if (r.ec != std::errc() || !std::isfinite(value))
                invalid();
            FWriter.WriteFloat(negative ? -value : value);
        } else {
            uint64_t value = 0;
            auto r = std::from_chars(number.data(), number.data() + number.size(), value);
            if (r.ec != std::errc() || value > (negative ? uint64_t{1} << 63 : uint64_t{INT64_MAX}))
                invalid();
            FWriter.WriteInteger(negative ? static_cast<int64_t>(0 - value)
                                          : static_cast<int64_t>(value));
        }
    }

    template <typename F> int64_t CurrencyValue(const std::string& Number, bool Negative, F Invalid)
    {
        // Exact: digits, an optional point and at most four decimals.
        size_t point = Number.find('.');
        std::string whole = Number.substr(0, point);
        std::string fraction = point == std::string::npos ? "" : Number.substr(point + 1);
        if (whole.empty() || fraction.size() > 4 ||
            whole.find_first_not_of("0123456789") != std::string::npos ||
            fraction.find_first_not_of("0123456789") != std::string::npos)
            Invalid();
        fraction.append(4 - fraction.size(), '0');
        uint64_t units = 0;
        auto r = std::from_chars(whole.data(), whole.data() + whole.size(), units);
        if (r.ec != std::errc() || units > (uint64_t{1} << 63) / 10000)
            Invalid();
        units = units * 10000 + std::stoull(fraction);
        if (units > (Negative ? uint64_t{1} << 63 : uint64_t{INT64_MAX}))
            Invalid();
        return Negative ? static_cast<int64_t>(0 - units) : static_cast<int64_t>(units);
    }

    std::string_view FText;
    TWriter& FWriter;
    size_t FPos = 0;
    int FLine = 1;
    int FDepth = 0;
};

}  // namespace

std::string ObjectBinaryToText(std::string_view Binary)
{
    TReader reader(Binary);
    reader.ReadSignature();
    std::string text;
    TTextWriter(reader, text).Component(0);
    return text;
}

std::string ObjectTextToBinary(std::string_view Text)
{
    TWriter writer;
    TTextParser(Text, writer).Form();
    return writer.TakeData();
}

void ReadComponentText(std::string_view Text, TFormComponent& Root)
{
    std::string binary = ObjectTextToBinary(Text);
    TReader(binary).ReadRootComponent(Root);
}

std::string WriteComponentText(TFormComponent& Root)
{
    TWriter writer;
    writer.WriteRootComponent(Root);
    return ObjectBinaryToText(writer.Data());
}

}  // namespace tavo::tools
