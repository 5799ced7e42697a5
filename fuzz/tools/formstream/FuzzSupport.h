#pragma once
// What both form stream fuzzers check: a form the converters accept must come back the same
// through the other form, and the lookup reads it without harm.
#include <QCoreApplication>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lookup/LookUpCtrls.h"
#include "tools/FormStream.h"
#include "tools/FormStreamText.h"

namespace tavo::fuzz {

// A data module with one lookup and one image list, as forms place them.
struct TFuzzModule : QObject, tools::TFormComponent {
    lookup::TLookUp* LookUp = new lookup::TLookUp(this);
    tools::TImageList* Images = new tools::TImageList(this);
    TFuzzModule()
    {
        LookUp->setObjectName(QStringLiteral("LUp"));
        Images->setObjectName(QStringLiteral("Glyphs"));
    }
    std::string ClassName() const override { return "TFuzzModule"; }
    std::string FormName() const override { return "DM"; }
    std::vector<TFormComponent*> FormChildren() const override { return {LookUp, Images}; }
};

// Binary accepted by the reader: its text must read back, and the text of that must be
// the same text.
inline void CheckBinaryForm(std::string_view Binary)
{
    std::string text;
    try {
        text = tools::ObjectBinaryToText(Binary);
    } catch (const platform::Exception&) {
        return;
    }
    // Our own text must read back: no exception is caught from here on.
    std::string again = tools::ObjectBinaryToText(tools::ObjectTextToBinary(text));
    if (again != text)
        std::abort();
}

// Reads the form into a module; what it read must be written and read back unchanged.
inline void CheckModuleForm(std::string_view Binary)
{
    std::string written;
    try {
        TFuzzModule module;
        tools::TReader(Binary).ReadRootComponent(module);
        tools::TWriter writer;
        writer.WriteRootComponent(module);
        written = writer.TakeData();
    } catch (const platform::Exception&) {
        return;
    }
    TFuzzModule copy;
    tools::TReader(written).ReadRootComponent(copy);
    tools::TWriter writer;
    writer.WriteRootComponent(copy);
    if (writer.Data() != written)
        std::abort();
}

// The bytes as a lookup's Items value.
inline void CheckItems(std::string_view Binary)
{
    std::string written;
    try {
        lookup::TLookUpItems items;
        tools::TReader reader(Binary);
        items.ReadItems(reader);
        tools::TWriter writer;
        items.WriteItems(writer);
        written = writer.TakeData();
    } catch (const platform::Exception&) {
        return;
    }
    lookup::TLookUpItems copy;
    tools::TReader reader(written);
    copy.ReadItems(reader);
    tools::TWriter writer;
    copy.WriteItems(writer);
    if (writer.Data() != written)
        std::abort();
}

inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

}  // namespace tavo::fuzz
