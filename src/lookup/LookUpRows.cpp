#include "lookup/LookUpRows.h"

#include "lookup/LookUpCtrls.h"
#include "tools/TextRoutines.h"

namespace tavo::lookup {

namespace {

// ListMode is on while a row is read for display, and off again on every way out.
class TListModeGuard {
public:
    TListModeGuard(TCustomLookUp* LookUp, bool On) : FLookUp(On ? LookUp : nullptr)
    {
        if (FLookUp)
            FLookUp->SetListMode(true);
    }
    ~TListModeGuard()
    {
        if (FLookUp)
            FLookUp->SetListMode(false);
    }
    TListModeGuard(const TListModeGuard&) = delete;
    TListModeGuard& operator=(const TListModeGuard&) = delete;

private:
    TCustomLookUp* FLookUp;
};

}  // namespace

TLookUpRows::TLookUpRows(QObject* Control, TRowFetch Fetch) : FControl(Control), FFetch(Fetch) {}

TLookUpRows::~TLookUpRows()
{
    Relink(FControl, FLookUp, nullptr);
}

TCustomLookUp* TLookUpRows::LookUp() const
{
    return FLookUp;
}

bool TLookUpRows::SetLookUp(TCustomLookUp* Value)
{
    return Relink(FControl, FLookUp, Value);
}

int32_t TLookUpRows::Count() const
{
    return FLookUp ? FLookUp->Count() : 0;
}

bool TLookUpRows::AddEditItem() const
{
    return FLookUp && FLookUp->AddEditItem();
}

bool TLookUpRows::Covers(int32_t Index) const
{
    return FLookUp && Index < FLookUp->Count();
}

TCustomLookUpItem* TLookUpRows::Row(int32_t Index, bool Shown) const
{
    if (!FLookUp || Index < 0 || Index >= FLookUp->Count())
        return nullptr;
    const TListModeGuard guard(FLookUp, Shown && FFetch == rfListMode);
    return FLookUp->GetItem(Index);
}

std::string TLookUpRows::Caption(int32_t Index) const
{
    const TCustomLookUpItem* row = Row(Index, true);
    return row ? tools::StripAccelerators(row->GetCaption()) : std::string();
}

std::string TLookUpRows::Hint(int32_t Index) const
{
    const TCustomLookUpItem* row = Row(Index, false);
    return row ? row->GetHint() : std::string();
}

const QImage* TLookUpRows::Glyph(int32_t Index) const
{
    const TCustomLookUpItem* row = Row(Index, true);
    return row ? row->GetGlyph() : nullptr;
}

std::string TLookUpRows::IdStr(int32_t Index) const
{
    const TCustomLookUpItem* row = Row(Index, false);
    return row ? row->GetIdStr() : std::string();
}

int32_t TLookUpRows::Id(int32_t Index) const
{
    const TCustomLookUpItem* row = Row(Index, false);
    return row ? row->GetId() : NullInt;
}

bool TLookUpRows::Enabled(int32_t Index) const
{
    const TCustomLookUpItem* row = Row(Index, false);
    return row && row->GetEnabled();
}

}  // namespace tavo::lookup
