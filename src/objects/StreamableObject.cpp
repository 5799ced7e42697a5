#include "StreamableObject.h"

#include "platform/Errors.h"

namespace tavo::objects {

std::unique_ptr<TStreamableObject> TStreamClass::Create() const
{
    std::unique_ptr<TStreamableObject> Object(FCreate());
    if (!Object)
        throw platform::EAbstractError();
    return Object;
}

std::unique_ptr<TStreamableObject> TStreamClass::Load(TObjectStream& Stream) const
{
    auto Object = Create();
    Object->Load(Stream);
    return Object;
}

std::unique_ptr<TStreamableObject> TStreamClass::LoadSmall(TObjectStream& Stream) const
{
    auto Object = Create();
    Object->LoadSmall(Stream);
    return Object;
}

std::unique_ptr<TStreamableObject> TStreamClass::LoadEx(TObjectStream& Stream) const
{
    auto Object = Create();
    Object->LoadEx(Stream);
    return Object;
}

const TStreamClass& TStreamableObject::ClassType() const
{
    return StreamClassOf<TStreamableObject>();
}

int32_t TStreamableObject::ClassCode()
{
    throw platform::EAbstractError();
}

void TStreamableObject::Load(TObjectStream&)
{
    throw platform::EAbstractError();
}

void TStreamableObject::LoadSmall(TObjectStream&)
{
    throw platform::EAbstractError();
}

void TStreamableObject::LoadEx(TObjectStream&)
{
    throw platform::EAbstractError();
}

void TStreamableObject::Store(TObjectStream&) const
{
    throw platform::EAbstractError();
}

void TStreamableObject::StoreSmall(TObjectStream&) const
{
    throw platform::EAbstractError();
}

void TStreamableObject::StoreEx(TObjectStream&) const
{
    throw platform::EAbstractError();
}

void TStreamableObject::CopyTo(std::unique_ptr<TStreamableObject>&) const {}

void TLinesItem::GetText(int32_t, int32_t, std::string&) const
{
    throw platform::EAbstractError();
}

int32_t TLinesItem::LineValue(int32_t) const
{
    return 1;
}

void TLinesItem::NumberLines(int32_t& Counter)
{
    FLineNo = Counter;
    ++Counter;
}

}  // namespace tavo::objects
