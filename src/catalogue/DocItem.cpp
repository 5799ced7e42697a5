#include "DocItem.h"

#include <optional>

namespace tavo::catalogue {

namespace fs = std::filesystem;

bool IsBlank(std::string_view Text)
{
    return Text.find_first_not_of(' ') == std::string_view::npos;
}

std::string Trimmed(std::string_view Text)
{
    const size_t First = Text.find_first_not_of(' ');
    if (First == std::string_view::npos)
        return {};
    return std::string(Text.substr(First, Text.find_last_not_of(' ') - First + 1));
}

void TDocItem0::Load(objects::TObjectStream& Stream)
{
    Stream.ReadInt(FLevel);
    Stream.ReadStr(FCaption);
    Stream.ReadStr(FHint);
    Stream.ReadStr(FFileName);
    Stream.ReadByte(FVisibleForUser);
    Stream.ReadStr(FPages);
    Stream.ReadStr(FDestination);
    Stream.ReadInt(FCaptionTyp);
    Stream.ReadInt(FTyp);
}

void TDocItem0::Store(objects::TObjectStream& Stream) const
{
    Stream.WriteInt(FLevel);
    Stream.WriteStr(FCaption);
    Stream.WriteStr(FHint);
    Stream.WriteStr(FFileName);
    Stream.WriteByte(FVisibleForUser);
    Stream.WriteStr(FPages);
    Stream.WriteStr(FDestination);
    Stream.WriteInt(FCaptionTyp);
    Stream.WriteInt(FTyp);
}

bool TDocItem0::IsEmpty() const
{
    return FCaptionTyp == NullInt && FTyp == NullInt && IsBlank(FCaption) && IsBlank(FHint) &&
           IsBlank(FFileName) && IsBlank(FPages) && IsBlank(FDestination);
}

void TDocItem0::CopyTo(std::unique_ptr<TStreamableObject>& Dest) const
{
    if (!Dest)
        Dest = std::make_unique<TDocItem0>();
    auto* Copy = dynamic_cast<TDocItem0*>(Dest.get());
    if (!Copy)
        throw objects::EObjectStream(objects::osWrongClass,
                                     {Dest->ClassName(), std::string(StaticClassName)});
    TLinesItem::CopyTo(Dest);
    Copy->FLevel = FLevel;
    Copy->FCaption = FCaption;
    Copy->FHint = FHint;
    Copy->FFileName = FFileName;
    Copy->FVisibleForUser = FVisibleForUser;
    Copy->FPages = FPages;
    Copy->FDestination = FDestination;
    Copy->FCaptionTyp = FCaptionTyp;
    Copy->FTyp = FTyp;
}

std::string TDocItem0::Caption(const TDocTypes& Types) const
{
    return FCaption.empty() ? Types.CaptionOf(FCaptionTyp) : FCaption;
}

int32_t TDocItem0::TypeImageIndex(const TDocTypes& Types) const
{
    return Types.ImageIndexOf(FCaptionTyp);
}

bool TDocItem0::IsDocItem(const TDocTypes& Types) const
{
    const std::string Text = Caption(Types);
    return Text.size() >= 3 && Text.front() == '<' && Text.back() == '>';
}

std::string TDocItem0::FileName(const TDocumentFolder& Folder) const
{
    if (!FFileName.empty() && FFileName.front() == ':')
        return Folder.Written() + FFileName.substr(1);
    return FFileName;
}

bool TDocItem0::HasFile(const TDocumentFolder& Folder) const
{
    if (!FFileName.empty() && FFileName.front() == ':')
        return !IsBlank(Folder.Written()) || !IsBlank(std::string_view(FFileName).substr(1));
    return !IsBlank(FFileName);
}

void TDocItem0::SetFileName(const std::string& Value, const TDocumentFolder& Folder)
{
    FFileName = Trimmed(Value);
    if (std::optional<size_t> Prefix = Folder.PrefixOf(FFileName))
        FFileName = ':' + FFileName.substr(*Prefix);
}

fs::path TDocItem0::ResolvedFileName(const TDocumentFolder& Folder) const
{
    if (!FFileName.empty() && FFileName.front() == ':')
        return Folder.ResolveInside(std::string_view(FFileName).substr(1));
    return Folder.Resolve(FFileName);
}

void TDocItem0::SetPages(const std::string& Value)
{
    FPages = Trimmed(Value);
}

void TDocItem0::SetDestination(const std::string& Value)
{
    FDestination = Trimmed(Value);
}

int32_t TDocItem0::PageNumber(const TPageExpression& Evaluate) const
{
    if (!FPages.empty() && FPages.front() == '-')
        return Evaluate ? Evaluate(FPages) : NullInt;
    return PlainPageNumber();
}

int32_t TDocItem0::PlainPageNumber() const
{
    if (FPages.empty())
        return 1;
    if (FPages.front() == '-')
        return 0;
    int64_t Value = 0;
    size_t Digits = 0;
    for (; Digits < FPages.size() && FPages[Digits] >= '0' && FPages[Digits] <= '9'; ++Digits) {
        Value = Value * 10 + (FPages[Digits] - '0');
        // More digits than any page number has: the document opens at its start.
        if (Value > INT32_MAX)
            return 1;
    }
    return Digits == 0 ? 1 : static_cast<int32_t>(Value);
}

int64_t StoredRecordSize(const TDocItem0& Item)
{
    return MinRecordSize + static_cast<int64_t>(Item.StoredCaption().size() + Item.Hint().size() +
                                                Item.StoredFileName().size() + Item.Pages().size() +
                                                Item.Destination().size());
}

}  // namespace tavo::catalogue
