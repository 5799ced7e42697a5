// The sub-lookup and its stored set.
#include <algorithm>
#include <bit>
#include <utility>

#include "lookup/LookUpCtrls.h"
#include "platform/AnsiText.h"

namespace tavo::lookup {

namespace {

constexpr const char* SubSetTypeNames[] = {"ss_IdSubset", "ss_OrdSubset"};

}  // namespace

const char* SubSetTypeName(TSubSetType Value)
{
    return Value == ss_IdSubset || Value == ss_OrdSubset ? SubSetTypeNames[Value] : "";
}

// ---- TSubSet --------------------------------------------------------------------------

TSubSet::TSubSet(std::initializer_list<int32_t> Members)
{
    for (int32_t member : Members)
        Include(member);
}

bool TSubSet::Contains(int32_t Member) const
{
    return Member >= 0 && Member <= 255 && (FBytes[Member / 8] >> (Member % 8) & 1) != 0;
}

void TSubSet::Include(int32_t Member)
{
    if (Member >= 0 && Member <= 255)
        FBytes[Member / 8] |= static_cast<uint8_t>(1u << (Member % 8));
}

void TSubSet::Exclude(int32_t Member)
{
    if (Member >= 0 && Member <= 255)
        FBytes[Member / 8] &= static_cast<uint8_t>(~(1u << (Member % 8)));
}

int32_t TSubSet::Count() const
{
    int32_t count = 0;
    for (uint8_t byte : FBytes)
        count += std::popcount(byte);
    return count;
}

std::vector<int32_t> TSubSet::Members() const
{
    std::vector<int32_t> members;
    for (int32_t m = 0; m <= 255; ++m)
        if (Contains(m))
            members.push_back(m);
    return members;
}

// ---- TSubSetItems ---------------------------------------------------------------------

void TSubSetItems::Assign(const tools::TPersistent& Source)
{
    if (const auto* items = dynamic_cast<const TSubSetItems*>(&Source)) {
        SubSet = items->SubSet;
        return;
    }
    tools::TPersistent::Assign(Source);
}

void TSubSetItems::DefineProperties(tools::TFiler& Filer)
{
    // The value's own length delimits it: a length other than 32 never makes the reader
    // run into the values after it. Bytes past the 32 are ignored, missing ones are 0.
    Filer.DefineBinaryProperty(
        "SubSet",
        [this](std::string_view Data) {
            SubSet = TSubSet();
            std::copy_n(Data.begin(), std::min<size_t>(Data.size(), 32), SubSet.Bytes().begin());
        },
        [this] {
            return std::string(reinterpret_cast<const char*>(SubSet.Bytes().data()),
                               SubSet.Bytes().size());
        },
        true);
}

// ---- TSubLookUp -----------------------------------------------------------------------

TSubLookUp::TSubLookUp(QObject* Owner)
    : TCustomLookUp(Owner), FItemsSubSet(std::make_unique<TSubSetItems>(this))
{
}

TSubLookUp::~TSubLookUp()
{
    Relink(this, FLookUp, nullptr);
}

void TSubLookUp::SetLookUp(TCustomLookUp* Value)
{
    // A base that is, or shows through other sub-lookups, this one counts as none.
    for (TCustomLookUp* base = Value; base;) {
        if (base == this) {
            Value = nullptr;
            break;
        }
        auto* sub = dynamic_cast<TSubLookUp*>(base);
        base = sub ? sub->LookUp() : nullptr;
    }
    if (Relink(this, FLookUp, Value))
        UpdateItems();
}

void TSubLookUp::SetSubSetType(TSubSetType Value)
{
    if (Value == FSubSetType)
        return;
    FSubSetType = Value;
    UpdateItems();
}

void TSubLookUp::SetSubSet(const TSubSet& Value)
{
    if (Value == FItemsSubSet->SubSet)
        return;
    FItemsSubSet->SubSet = Value;
    UpdateItems();
}

int32_t TSubLookUp::Count() const
{
    return FLookUp ? FItemsSubSet->SubSet.Count() : 0;
}

TCustomLookUpItem* TSubLookUp::GetItem(int32_t Index)
{
    if (!FLookUp || Index < 0)
        return nullptr;
    const std::vector<int32_t> members = FItemsSubSet->SubSet.Members();
    if (static_cast<size_t>(Index) >= members.size())
        return nullptr;
    const int32_t member = members[static_cast<size_t>(Index)];
    if (FSubSetType == ss_OrdSubset)
        return member < FLookUp->Count() ? FLookUp->GetItem(member) : nullptr;
    return FLookUp->FindById(member);
}

void TSubLookUp::Clear()
{
    SetSubSet(TSubSet());
}

void TSubLookUp::UpdateItems()
{
    if (FLoading) {
        // Nothing is pruned before the form is read.
    } else if (!FLookUp) {
        SetSubSet(TSubSet());
    } else {
        TSubSet& set = FItemsSubSet->SubSet;
        const int32_t baseCount = FLookUp->Count();
        for (int32_t member : set.Members()) {
            const bool gone = FSubSetType == ss_OrdSubset ? member >= baseCount
                                                          : FLookUp->FindById(member) == nullptr;
            if (gone)
                set.Exclude(member);
        }
    }
    NotifyLinks();
}

void TSubLookUp::LookUpChanged(TCustomLookUp&)
{
    UpdateItems();
}

void TSubLookUp::LookUpDestroying(TCustomLookUp& Sender)
{
    if (FLookUp == &Sender)
        SetLookUp(nullptr);
    else
        Sender.RemoveLink(this);
}

void TSubLookUp::Loaded()
{
    if (std::exchange(FLoading, false))
        UpdateItems();
}

tools::TPersistent* TSubLookUp::PropertyObject(std::string_view Name)
{
    FLoading = true;
    return Name == "ItemsSubSet" ? FItemsSubSet.get() : nullptr;
}

bool TSubLookUp::ReadProperty(std::string_view Name, tools::TReader& Reader)
{
    FLoading = true;
    if (ReadLookUpProperty(Name, Reader))
        return true;
    if (Name == "LookUp") {
        const std::string name = Reader.ReadIdent();
        if (name == "nil") {
            SetLookUp(nullptr);
        } else {
            auto* base = dynamic_cast<TCustomLookUp*>(&Reader.FindComponent(name));
            if (!base)
                tools::TReader::InvalidValue();
            SetLookUp(base);
        }
        return true;
    }
    if (Name == "SubSetType") {
        const std::string name = Reader.ReadIdent();
        if (name == SubSetTypeNames[ss_IdSubset])
            SetSubSetType(ss_IdSubset);
        else if (name == SubSetTypeNames[ss_OrdSubset])
            SetSubSetType(ss_OrdSubset);
        else
            tools::TReader::InvalidValue();
        return true;
    }
    return false;
}

void TSubLookUp::WriteProperties(tools::TWriter& Writer)
{
    WriteLookUpProperties(Writer);
    if (FLookUp) {
        Writer.WritePropName("LookUp");
        Writer.WriteIdent(FLookUp->FormName());
    }
    Writer.WritePropName("SubSetType");
    Writer.WriteIdent(SubSetTypeName(FSubSetType));
    Writer.WriteObjectProperty("ItemsSubSet", *FItemsSubSet);
    WriteDisplayStyle(Writer);
}

}  // namespace tavo::lookup
