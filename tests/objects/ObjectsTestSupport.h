#pragma once
// Shared pieces of the object stream tests: a started library, files in the test's
// folder, byte sequences written as hex, and a small registered item class.
#include <gtest/gtest.h>

#include <string>

#include "TestEnvironment.h"
#include "objects/Objects7.h"

namespace tavo::test {

using namespace tavo::objects;

// "96 00 00 00" -> the four bytes.
std::string Hex(std::string_view Text);
// The bytes of a file as hex, for readable failures.
std::string HexOf(const std::string& Bytes);
std::string FileBytes(const std::string& Name);
std::string WriteBytes(const std::string& Name, const std::string& Bytes);

// A record with a key and a text, one display line per LineCount.
class TTestItem : public TLinesItem {
public:
    static constexpr std::string_view StaticClassName = "TTestItem";
    static int32_t ClassCode() { return 900; }
    const TStreamClass& ClassType() const override { return StreamClassOf<TTestItem>(); }

    TTestItem() = default;
    TTestItem(int32_t Key, std::string Text = {}, int32_t Lines = 1)
        : Key(Key), Text(std::move(Text)), Lines(Lines)
    {
    }
    ~TTestItem() override { ++Freed; }

    void Load(TObjectStream& Stream) override
    {
        Stream.ReadInt(Key);
        Stream.ReadStr(Text);
    }
    void LoadSmall(TObjectStream& Stream) override
    {
        Stream.ReadSmallInt(Key);
        Stream.ReadStr(Text);
    }
    void LoadEx(TObjectStream& Stream) override { Load(Stream); }
    void StoreEx(TObjectStream& Stream) const override { Store(Stream); }
    void Store(TObjectStream& Stream) const override
    {
        Stream.WriteInt(Key);
        Stream.WriteStr(Text);
    }
    void StoreSmall(TObjectStream& Stream) const override
    {
        Stream.WriteSmallInt(Key);
        Stream.WriteStr(Text);
    }
    bool IsEmpty() const override { return Text.empty(); }
    void CopyTo(std::unique_ptr<TStreamableObject>& Dest) const override
    {
        if (!Dest)
            Dest = std::make_unique<TTestItem>();
        auto& Copy = static_cast<TTestItem&>(*Dest);
        Copy.Key = Key;
        Copy.Text = Text;
        Copy.Lines = Lines;
    }
    int32_t LineCount() const override { return Lines; }
    void GetText(int32_t Line, int32_t Column, std::string& Out) const override
    {
        Out = Text + ":" + std::to_string(Line) + ":" + std::to_string(Column);
    }
    int32_t LineValue(int32_t Line) const override { return Key * 100 + Line; }

    int32_t Key = 0;
    std::string Text;
    int32_t Lines = 1;
    static inline int Freed = 0;
};

// Every test runs with the library started, TTestItem registered, and no items freed yet.
class ObjectsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartObjectsModule();
        RegisterStreamClass<TTestItem>();
        TTestItem::Freed = 0;
    }
    void TearDown() override { StopObjectsModule(); }

    std::string Path(const std::string& Name) const { return (TestFolder() / Name).string(); }
};

// The message of the exception E that Statement throws.
#define EXPECT_THROW_MESSAGE(Statement, E, Text)                                                   \
    do {                                                                                           \
        try {                                                                                      \
            Statement;                                                                             \
            ADD_FAILURE() << "no " #E " from " #Statement;                                         \
        } catch (const E& Error) {                                                                 \
            EXPECT_EQ(Error.Message(), Text);                                                      \
        }                                                                                          \
    } while (false)

}  // namespace tavo::test
