#include "LookUpCtrls.h"

#include "platform/Format.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::lookup {

// ---- TCustomLookUpItem: an empty row that ignores its setters --------------------------

void TCustomLookUpItem::SetGlyph(const QImage*) {}
void TCustomLookUpItem::SetCaption(const std::string&) {}
void TCustomLookUpItem::SetHint(const std::string&) {}
void TCustomLookUpItem::SetId(int32_t) {}
void TCustomLookUpItem::SetIdStr(const std::string&) {}
void TCustomLookUpItem::SetEnabled(bool) {}
void TCustomLookUpItem::SetImageIndex(int32_t) {}

int32_t TCustomLookUpItem::GetImageIndex() const
{
    return -1;
}

std::string TCustomLookUpItem::GetCaption() const
{
    return {};
}

std::string TCustomLookUpItem::GetHint() const
{
    return {};
}

int32_t TCustomLookUpItem::GetId() const
{
    return NullInt;
}

std::string TCustomLookUpItem::GetIdStr() const
{
    return {};
}

const QImage* TCustomLookUpItem::GetGlyph() const
{
    return nullptr;
}

bool TCustomLookUpItem::GetEnabled() const
{
    return true;
}

void TCustomLookUpItem::ChangeEnabled(bool Value)
{
    if (Value == GetEnabled())
        return;
    SetEnabled(Value);
    if (FLookUp)
        FLookUp->NotifyLinks();
}

void TCustomLookUpItem::ChangeImageIndex(int32_t Value)
{
    if (Value == GetImageIndex())
        return;
    SetImageIndex(Value);
    if (FLookUp)
        FLookUp->NotifyLinks();
}

// ---- TLookUpItem ----------------------------------------------------------------------

void TLookUpItem::SetGlyph(const QImage* Source)
{
    if (!Source) {
        FGlyph.reset();
        return;
    }
    // Copy first: the source may be this item's own glyph.
    auto copy = std::make_unique<QImage>(Source->copy());
    FGlyph = std::move(copy);
    FImageIndex = -1;
}

void TLookUpItem::SetHint(const std::string& Value)
{
    FHint = Value == FCaption ? std::string() : Value;
}

void TLookUpItem::SetImageIndex(int32_t Value)
{
    FImageIndex = Value;
    SetGlyph(nullptr);
}

std::string TLookUpItem::GetHint() const
{
    return FHint.empty() ? FCaption : FHint;
}

const QImage* TLookUpItem::GetGlyph() const
{
    if (FGlyph)
        return FGlyph.get();
    if (FImageIndex < 0 || !LookUp())
        return nullptr;
    TImageList* images = LookUp()->GetImages();
    if (!images || FImageIndex >= images->Count())
        return nullptr;
    return tools::ImageListBitmap(images, static_cast<uint32_t>(FImageIndex));
}

// ---- TLookUpItems ---------------------------------------------------------------------

TLookUpItems::~TLookUpItems() = default;

TLookUpItem& TLookUpItems::Add(std::unique_ptr<TLookUpItem> Item)
{
    Item->SetLookUp(FLookUp);
    FItems.push_back(std::move(Item));
    TLookUpItem& added = *FItems.back();
    Changed();
    return added;
}

TLookUpItem& TLookUpItems::Add(const std::string& Caption, const std::string& IdStr, int32_t Id,
                               int32_t ImageIndex)
{
    auto item = std::make_unique<TLookUpItem>();
    item->SetCaption(Caption);
    item->SetIdStr(IdStr);
    item->SetId(Id);
    item->SetImageIndex(ImageIndex);
    return Add(std::move(item));
}

void TLookUpItems::Clear()
{
    FItems.clear();
    Changed();
}

TLookUpItem& TLookUpItems::Items(int32_t Index) const
{
    if (Index < 0 || Index >= Count())
        throw platform::EListError(
            platform::Format(platform::LoadStr(SListIndexError), {int64_t{Index}}));
    return *FItems[static_cast<size_t>(Index)];
}

void TLookUpItems::Changed()
{
    if (FLookUp)
        FLookUp->NotifyLinks();
}

void TLookUpItems::DefineProperties(tools::TFiler& Filer)
{
    // Always written, so that an empty list is stored as an empty list.
    Filer.DefineProperty(
        "Items", [this](tools::TReader& Reader) { ReadItems(Reader); },
        [this](tools::TWriter& Writer) { WriteItems(Writer); }, true);
}

void TLookUpItems::ReadItems(tools::TReader& Reader)
{
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        // The fields are read directly: a hint equal to the caption stays as read, and an
        // image index and an own glyph may both be set.
        TLookUpItem& item = Add(std::make_unique<TLookUpItem>());
        item.FCaption = Reader.ReadString();
        item.FHint = Reader.ReadString();
        item.FIdStr = Reader.ReadString();
        item.FId = Reader.ReadInteger();
        item.FEnabled = Reader.ReadBoolean();
        item.FImageIndex = Reader.ReadInteger();
        if (Reader.ReadBoolean()) {
            if (!item.FGlyph)
                item.FGlyph = std::make_unique<QImage>();
            tools::LoadBitmapData(Reader.ReadBinary(), *item.FGlyph);
        }
    }
    Reader.ReadListEnd();
}

void TLookUpItems::WriteItems(tools::TWriter& Writer) const
{
    Writer.WriteListBegin();
    for (const auto& item : FItems) {
        Writer.WriteString(item->FCaption);
        Writer.WriteString(item->FHint);
        Writer.WriteString(item->FIdStr);
        Writer.WriteInteger(item->FId);
        Writer.WriteBoolean(item->FEnabled);
        Writer.WriteInteger(item->FImageIndex);
        Writer.WriteBoolean(item->FGlyph != nullptr);
        if (item->FGlyph)
            Writer.WriteBinary(tools::SaveBitmapData(*item->FGlyph));
    }
    Writer.WriteListEnd();
}

}  // namespace tavo::lookup
