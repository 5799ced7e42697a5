#include <gtest/gtest.h>

#include <cstring>

#include "tools/FormStream.h"
#include "tools/FormStreamText.h"

using namespace tavo::tools;
using tavo::platform::EReadError;

namespace {

std::string Bytes(std::initializer_list<int> Values)
{
    std::string out;
    for (int v : Values)
        out += static_cast<char>(v);
    return out;
}

// A component with the kinds of stored properties the libraries use: plain values, an
// enumeration, a set, a reference to another component, an object property whose object
// defines a property of its own, and a defined binary property.
class TSampleItems : public TPersistent {
public:
    std::vector<int32_t> Values;
    std::string ClassName() const override { return "TSampleItems"; }
    void DefineProperties(TFiler& Filer) override
    {
        Filer.DefineProperty(
            "Values",
            [this](TReader& R) {
                R.ReadListBegin();
                while (!R.EndOfList())
                    Values.push_back(R.ReadInteger());
                R.ReadListEnd();
            },
            [this](TWriter& W) {
                W.WriteListBegin();
                for (int32_t v : Values)
                    W.WriteInteger(v);
                W.WriteListEnd();
            },
            true);
    }
};

class TSample : public TFormComponent {
public:
    explicit TSample(std::string Name) : FName(std::move(Name)) {}
    std::string ClassName() const override { return "TSample"; }
    std::string FormName() const override { return FName; }
    std::vector<TFormComponent*> FormChildren() const override
    {
        std::vector<TFormComponent*> out;
        for (auto& c : Children)
            out.push_back(c.get());
        return out;
    }
    bool ReadProperty(std::string_view Name, TReader& R) override
    {
        if (Name == "Caption")
            Caption = R.ReadString();
        else if (Name == "Count")
            Count = R.ReadInteger();
        else if (Name == "Style")
            Style = R.ReadIdent();
        else if (Name == "Options")
            Options = R.ReadSet();
        else if (Name == "Partner")
            Partner = &R.FindComponent(R.ReadIdent());
        else
            return false;
        return true;
    }
    void WriteProperties(TWriter& W) override
    {
        if (!Caption.empty()) {
            W.WritePropName("Caption");
            W.WriteString(Caption);
        }
        W.WritePropName("Count");
        W.WriteInteger(Count);
        W.WritePropName("Style");
        W.WriteIdent(Style);
        W.WritePropName("Options");
        W.WriteSet(Options);
        if (Partner) {
            W.WritePropName("Partner");
            W.WriteIdent(Partner->FormName());
        }
        W.WriteObjectProperty("Items", Items);
    }
    TPersistent* PropertyObject(std::string_view Name) override
    {
        return Name == "Items" ? &Items : nullptr;
    }
    void DefineProperties(TFiler& Filer) override
    {
        Filer.DefineBinaryProperty(
            "Blob", [this](std::string_view Data) { Blob = std::string(Data); },
            [this] { return Blob; }, !Blob.empty());
    }
    void Loaded() override { ++LoadedCount; }

    std::string FName;
    std::string Caption;
    int32_t Count = 0;
    std::string Style = "stPlain";
    std::vector<std::string> Options;
    TFormComponent* Partner = nullptr;
    TSampleItems Items;
    std::string Blob;
    int LoadedCount = 0;
    std::vector<std::unique_ptr<TSample>> Children;
};

std::unique_ptr<TSample> SampleForm()
{
    auto root = std::make_unique<TSample>("Form1");
    root->Children.push_back(std::make_unique<TSample>("First"));
    root->Children.push_back(std::make_unique<TSample>("Second"));
    return root;
}

}  // namespace

TEST(FormStreamValues, IntegersTakeTheSmallestTagThatHoldsThem)
{
    TWriter w;
    w.WriteInteger(-1);
    w.WriteInteger(127);
    w.WriteInteger(128);
    w.WriteInteger(-32768);
    w.WriteInteger(-2147483647);
    w.WriteInteger(int64_t{1} << 40);
    EXPECT_EQ(w.Data(), Bytes({2,    0xFF, 2,    0x7F, 3, 0x80, 0x00, 3, 0x00, 0x80, 4, 0x01,
                               0x00, 0x00, 0x80, 19,   0, 0,    0,    0, 0,    1,    0, 0}));
    TReader r(w.Data());
    EXPECT_EQ(r.ReadInteger(), -1);
    EXPECT_EQ(r.ReadInteger(), 127);
    EXPECT_EQ(r.ReadInteger(), 128);
    EXPECT_EQ(r.ReadInteger(), -32768);
    EXPECT_EQ(r.ReadInteger(), -2147483647);
    // A 64-bit value is no 32-bit integer, but reads as one of 64 bits.
    TReader big(w.Data().substr(w.Data().size() - 9));
    EXPECT_THROW(big.ReadInteger(), EReadError);
    EXPECT_EQ(TReader(w.Data().substr(w.Data().size() - 9)).ReadInt64(), int64_t{1} << 40);
}

TEST(FormStreamValues, TextsBooleansBinaryAndSets)
{
    TWriter w;
    w.WriteString("USER");
    w.WriteString(std::string(300, 'x'));
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteBinary("\x01\x02");
    w.WriteSet({"oxsHideInvisible", "oxsVer1Compat"});
    w.WriteIdent("ldsStandard");
    w.WriteIdent("nil");
    EXPECT_EQ(w.Data().substr(0, 6), Bytes({6, 4, 'U', 'S', 'E', 'R'}));
    EXPECT_EQ(w.Data().substr(6, 5), Bytes({12, 0x2C, 0x01, 0, 0}));

    TReader r(w.Data());
    EXPECT_EQ(r.ReadString(), "USER");
    EXPECT_EQ(r.ReadString(), std::string(300, 'x'));
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_EQ(r.ReadBinary(), "\x01\x02");
    EXPECT_EQ(r.ReadSet(), (std::vector<std::string>{"oxsHideInvisible", "oxsVer1Compat"}));
    EXPECT_EQ(r.ReadIdent(), "ldsStandard");
    EXPECT_EQ(r.NextValue(), TValueType::vaNil);
    EXPECT_EQ(r.ReadIdent(), "nil");
    EXPECT_TRUE(r.AtEnd());
}

TEST(FormStreamValues, WrongTypeRaisesTheReadError)
{
    TWriter w;
    w.WriteString("3");
    TReader r(w.Data());
    EXPECT_THROW(r.ReadInteger(), EReadError);
    TReader b(w.Data());
    EXPECT_THROW(b.ReadBoolean(), EReadError);
}

TEST(FormStreamValues, LengthsAreBoundedByTheBytesThatRemain)
{
    // A binary value claiming 2 GiB, a long text claiming more than is there, a wide text
    // whose count doubles past the end, a negative length, and an unknown tag.
    for (const std::string& data :
         {Bytes({10, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2}), Bytes({12, 10, 0, 0, 0, 'a'}),
          Bytes({18, 2, 0, 0, 0, 'a', 0, 'b'}), Bytes({10, 0xFF, 0xFF, 0xFF, 0xFF}), Bytes({21}),
          Bytes({6, 5, 'a'}), Bytes({4, 1, 2})}) {
        TReader r(data);
        EXPECT_THROW(r.SkipValue(), EReadError) << testing::PrintToString(data);
    }
}

TEST(FormStreamValues, RealsThatHaveNoTextAreRefused)
{
    // An 80-bit NaN, an 80-bit subnormal, and a single infinity.
    for (const std::string& data :
         {Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F}),
          Bytes({5, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), Bytes({15, 0, 0, 0x80, 0x7F})}) {
        TReader r(data);
        EXPECT_THROW(r.ReadFloat(), EReadError);
    }
    TWriter w;
    w.WriteFloat(2.5L);
    EXPECT_EQ(TReader(w.Data()).ReadFloat(), 2.5L);
}

TEST(FormStreamValues, DeepNestingIsRefusedNotRecursedInto)
{
    std::string data(100000, '\x01');
    TReader r(data);
    EXPECT_THROW(r.SkipValue(), EReadError);
    std::string text = "object A: TSample\n  X = " + std::string(100000, '(') + "\nend\n";
    EXPECT_THROW(ObjectTextToBinary(text), EParserError);
}

TEST(FormStreamComponents, WriteAndReadAFormWithDefinedAndObjectProperties)
{
    auto form = SampleForm();
    form->Caption = "Za\xBF\xF3\xB3\xE6";  // Windows-1250 bytes stay as they are
    form->Count = 70000;
    form->Style = "stFancy";
    form->Options = {"soOne", "soTwo"};
    form->Partner = form->Children[1].get();
    form->Items.Values = {1, -2147483647};
    form->Children[0]->Blob = std::string("\x00\xFF", 2);

    TWriter w;
    w.WriteRootComponent(*form);
    std::string text = ObjectBinaryToText(w.Data());
    EXPECT_EQ(text, "object Form1: TSample\n"
                    "  Caption = 'Za\xBF\xF3\xB3\xE6'\n"
                    "  Count = 70000\n"
                    "  Style = stFancy\n"
                    "  Options = [soOne, soTwo]\n"
                    "  Partner = Second\n"
                    "  Items.Values = (1 -2147483647)\n"
                    "  object First: TSample\n"
                    "    Count = 0\n"
                    "    Style = stPlain\n"
                    "    Options = []\n"
                    "    Items.Values = ()\n"
                    "    Blob = {\n"
                    "      00FF}\n"
                    "  end\n"
                    "  object Second: TSample\n"
                    "    Count = 0\n"
                    "    Style = stPlain\n"
                    "    Options = []\n"
                    "    Items.Values = ()\n"
                    "  end\n"
                    "end\n");
    EXPECT_EQ(ObjectTextToBinary(text), w.Data());

    auto copy = SampleForm();
    ReadComponentText(text, *copy);
    EXPECT_EQ(copy->Caption, form->Caption);
    EXPECT_EQ(copy->Count, 70000);
    EXPECT_EQ(copy->Style, "stFancy");
    EXPECT_EQ(copy->Options, form->Options);
    EXPECT_EQ(copy->Partner, copy->Children[1].get());
    EXPECT_EQ(copy->Items.Values, form->Items.Values);
    EXPECT_EQ(copy->Children[0]->Blob, std::string("\x00\xFF", 2));
    EXPECT_EQ(copy->LoadedCount, 1);
    EXPECT_EQ(copy->Children[1]->LoadedCount, 1);
    EXPECT_EQ(WriteComponentText(*copy), text);
}

TEST(FormStreamComponents, ErrorsNameTheComponentAndTheProperty)
{
    auto form = SampleForm();
    try {
        ReadComponentText("object Form1: TSample\n  object First: TSample\n    Colour = 3\n"
                          "  end\nend\n",
                          *form);
        FAIL() << "unknown property accepted";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading First.Colour: Property Colour does not exist");
    }
    try {
        ReadComponentText("object Form1: TSample\n  Count = 'three'\nend\n", *form);
        FAIL() << "text accepted as a number";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading Form1.Count: Invalid property value");
    }
    EXPECT_THROW(
        ReadComponentText("object Form1: TSample\n  object Third: TSample\n  end\nend\n", *form),
        EReadError);
    EXPECT_THROW(ReadComponentText("object Form1: TOther\nend\n", *form), EReadError);
    EXPECT_THROW(ReadComponentText("object Form1: TSample\n  Partner = Nobody\nend\n", *form),
                 EReadError);
}

TEST(FormStreamText, ParseErrorsGiveTheLine)
{
    try {
        ObjectTextToBinary("object A: TSample\n  Caption = 'open\nend\n");
        FAIL();
    } catch (const EParserError& e) {
        EXPECT_EQ(e.Message(), "Invalid string constant on line 2");
    }
    try {
        ObjectTextToBinary("object A: TSample\n  Data = {0A1}\nend\n");
        FAIL();
    } catch (const EParserError& e) {
        EXPECT_EQ(e.Message(), "Invalid binary value on line 2");
    }
    EXPECT_THROW(ObjectTextToBinary("object A: TSample\n  X = (1 2\n"), EParserError);
    EXPECT_THROW(ObjectTextToBinary("object A: TSample\n  X 1\nend\n"), EParserError);
    EXPECT_THROW(ObjectTextToBinary("object A: TSample\nend\ngarbage"), EParserError);
}

TEST(FormStreamText, EveryValueKindSurvivesBothWays)
{
    // Canonical text: reading it and writing it again gives it back character for
    // character, and its binary form converts back to it.
    const std::string text =
        "inherited Form1: TSample [2]\n"
        "  Ints = (0 -1 127 -128 32767 2147483647 -2147483648 9223372036854775807)\n"
        "  Reals = (1.5 -0.25 1e+100 3.0 0.1s 12.5c -0.0001c 922337203685477.5807c 45000.5d)\n"
        "  Texts = ('' 'it''s' 'a'#13#10'b' 'x'#0 #1'y' 'P\xF3\xB3ka' #321#243'd'#378)\n"
        "  Idents = (False True nil Null ldsStandard Glyphs.Images)\n"
        "  Set = []\n"
        "  Data = {}\n"
        "  Coll = <\n"
        "    item\n"
        "      Width = 10\n"
        "    end\n"
        "    item [3]\n"
        "    end\n"
        "    item [-5]\n"
        "    end>\n"
        "  Empty = <>\n"
        "  inline Child: TSample\n"
        "  end\n"
        "end\n";
    std::string binary = ObjectTextToBinary(text);
    EXPECT_EQ(ObjectBinaryToText(binary), text);
    EXPECT_EQ(ObjectTextToBinary(ObjectBinaryToText(binary)), binary);
}

TEST(FormStreamText, HandWrittenTextIsReadLikeTheCanonicalForm)
{
    // Line breaks inside lists, joined texts, hex numbers and letter case of keywords.
    std::string loose = "OBJECT A: TSample\r\n  Items.Values = (\r\n    1\r\n    $10)\r\n"
                        "  Caption = 'a' +\n  'b'#33\n  Wide = #321'\xF3"
                        "d'\nEND";
    // A Windows-1250 byte in a wide text is that code page's character (0xF3 is U+00F3).
    EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(loose)),
              "object A: TSample\n  Items.Values = (1 16)\n  Caption = 'ab!'\n"
              "  Wide = #321#243'd'\nend\n");
}

TEST(FormStreamText, WideTextsKeepTheirCharactersAsCodes)
{
    TWriter w;
    w.WriteSignature();
    w.WriteComponentHeader({0, -1, "TSample", "A"});
    w.WritePropName("Caption");
    w.WriteWideString(u"\u0141\u00F3d\u017A");
    w.WriteListEnd();
    w.WriteListEnd();
    std::string text = ObjectBinaryToText(w.Data());
    EXPECT_EQ(text, "object A: TSample\n  Caption = #321#243'd'#378\nend\n");
    EXPECT_EQ(ObjectTextToBinary(text), w.Data());
    // A component reading a text gets it in Windows-1250.
    TSample a("A");
    TReader(w.Data()).ReadRootComponent(a);
    EXPECT_EQ(a.Caption, "\xA3\xF3\x64\x9F");
}

TEST(FormStreamText, NamesThatCannotBeWrittenAsTextAreRefused)
{
    TWriter w;
    w.WriteSignature();
    w.WriteComponentHeader({0, -1, "TSample", "A"});
    w.WriteStr("two words");
    w.WriteInteger(1);
    w.WriteListEnd();
    w.WriteListEnd();
    EXPECT_THROW(ObjectBinaryToText(w.Data()), EReadError);
    EXPECT_THROW(ObjectBinaryToText("TPF1"), EReadError);
}
