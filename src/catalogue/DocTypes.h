#pragma once
// The document types as the catalogue reads them: a plain table of Id, caption and picture.
// The data module's type lookup fills one for the viewer; the catalogue tool, which shows
// no windows, takes the standard table.
#include <cstdint>
#include <string>
#include <vector>

namespace tavo::catalogue {

struct TDocTypeRow {
    int32_t Id = 0;
    std::string Caption;  // Windows-1250
    int32_t ImageIndex = -1;
    friend bool operator==(const TDocTypeRow&, const TDocTypeRow&) = default;
};

class TDocTypes {
public:
    TDocTypes() = default;
    explicit TDocTypes(std::vector<TDocTypeRow> Rows) : FRows(std::move(Rows)) {}

    // The first row with Id (ids are not in row order); none when no row carries it.
    const TDocTypeRow* Find(int32_t Id) const;
    // Its caption, empty without a row; its picture, -1 without a row.
    std::string CaptionOf(int32_t Id) const;
    int32_t ImageIndexOf(int32_t Id) const;

    const std::vector<TDocTypeRow>& Rows() const { return FRows; }
    bool Empty() const { return FRows.empty(); }

private:
    std::vector<TDocTypeRow> FRows;
};

// The table the data module's form holds: thirty types, "CENNIK" (Id 3) with picture 4.
const TDocTypes& StandardDocTypes();

// Picture numbers in the tree's image list.
constexpr int32_t GlyphClosedBook = 0;
constexpr int32_t GlyphOpenBook = 1;
constexpr int32_t GlyphPage = 2;
constexpr int32_t GlyphPageAgain = 3;
constexpr int32_t GlyphPriceList = 4;

}  // namespace tavo::catalogue
