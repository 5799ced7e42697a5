#pragma once
// TDocItem0: one entry of the documentation catalogue, a line of the table of contents
// that may point to a PDF file, a page in it and a named destination. Texts are
// Windows-1250, as the catalogue stores them.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "DocTypes.h"
#include "DocumentFolder.h"
#include "objects/Objects7.h"

namespace tavo::catalogue {

using objects::NullInt;

// Empty or spaces only; trimming removes spaces only (the libraries' text rules).
bool IsBlank(std::string_view Text);
std::string Trimmed(std::string_view Text);

// Evaluates a Pages text that starts with '-' as an expression: the utility library's
// TextToInt, which reports a bad one itself and gives NullInt. Handed in by the layers that
// show messages; without one such a text gives NullInt quietly (no page move either way).
using TPageExpression = std::function<int32_t(const std::string& Text)>;

class TDocItem0 : public objects::TLinesItem {
public:
    static constexpr std::string_view StaticClassName = "TDocItem0";
    const objects::TStreamClass& ClassType() const override
    {
        return objects::StreamClassOf<TDocItem0>();
    }

    // Visible, level 0, no types, every text empty.
    TDocItem0() = default;

    // The record: Level, Caption, Hint, FileName (stored form), VisibleForUser, Pages,
    // Destination, CaptionTyp, Typ. Loading keeps the texts as they are (no trimming).
    void Load(objects::TObjectStream& Stream) override;
    void Store(objects::TObjectStream& Stream) const override;
    // No type and every text blank; VisibleForUser does not count.
    bool IsEmpty() const override;
    // A null Dest receives a new TDocItem0; an existing one must be a TDocItem0.
    void CopyTo(std::unique_ptr<TStreamableObject>& Dest) const override;
    // Descendants may tell their kind; a plain entry answers 0.
    virtual int32_t Kind() const { return 0; }

    // The stored level, or 0 when it is negative.
    int32_t Level() const { return FLevel < 0 ? 0 : FLevel; }
    int32_t StoredLevel() const { return FLevel; }
    void SetLevel(int32_t Value) { FLevel = Value; }

    // The own caption, or (when it is empty) the caption of the type CaptionTyp in Types.
    std::string Caption(const TDocTypes& Types) const;
    const std::string& StoredCaption() const { return FCaption; }
    void SetCaption(const std::string& Value) { FCaption = Value; }

    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }

    // The stored name with a leading ':' replaced by the folder as written.
    std::string FileName(const TDocumentFolder& Folder) const;
    // FileName is not blank: the entry names a document.
    bool HasFile(const TDocumentFolder& Folder) const;
    // ':' and the rest of the name for one inside the documentation folder, else as written.
    const std::string& StoredFileName() const { return FFileName; }
    // Trims Value; a name inside Folder (letter case ignored, '\' and '/' alike) is stored
    // as ':' and the rest.
    void SetFileName(const std::string& Value, const TDocumentFolder& Folder);
    // Sets the stored form as it is (readers of other formats, copies).
    void SetStoredFileName(const std::string& Value) { FFileName = Value; }
    // The file on this file system that FileName names (TDocumentFolder::Resolve); empty
    // without a name.
    std::filesystem::path ResolvedFileName(const TDocumentFolder& Folder) const;

    // Any non-zero stored byte is true; the byte read is stored back as it was.
    bool VisibleForUser() const { return FVisibleForUser != 0; }
    void SetVisibleForUser(bool Value) { FVisibleForUser = Value ? 1 : 0; }

    const std::string& Pages() const { return FPages; }
    void SetPages(const std::string& Value);
    const std::string& Destination() const { return FDestination; }
    void SetDestination(const std::string& Value);

    int32_t CaptionTyp() const { return FCaptionTyp; }
    void SetCaptionTyp(int32_t Value) { FCaptionTyp = Value; }
    // A second type, carried and stored, never interpreted.
    int32_t Typ() const { return FTyp; }
    void SetTyp(int32_t Value) { FTyp = Value; }

    // The caption is '<' ... '>' (at least three characters): an entry never shown.
    bool IsDocItem(const TDocTypes& Types) const;
    // The picture of the type CaptionTyp in Types, or -1.
    int32_t TypeImageIndex(const TDocTypes& Types) const;
    // The page to open: 1 for no page or text that does not start with a digit, the
    // leading digits, or for a text starting with '-' its value as Evaluate gives it.
    int32_t PageNumber(const TPageExpression& Evaluate) const;
    // The page it opens at when that is a page number: 0 for an expression (which would
    // move no page, and may complain when evaluated).
    int32_t PlainPageNumber() const;

private:
    int32_t FLevel = 0;
    std::string FCaption;
    std::string FHint;
    std::string FFileName;
    uint8_t FVisibleForUser = 1;
    std::string FPages;
    std::string FDestination;
    int32_t FCaptionTyp = NullInt;
    int32_t FTyp = NullInt;
};

// Bytes a record takes in the catalogue.
int64_t StoredRecordSize(const TDocItem0& Item);
// The smallest record: every text empty.
constexpr int64_t MinRecordSize = 4 + 2 + 2 + 2 + 1 + 2 + 2 + 4 + 4;

}  // namespace tavo::catalogue
