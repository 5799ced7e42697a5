#pragma once
// The class registry: which class a registration code in a stream stands for. Records are
// kept in ascending order of their codes compared as unsigned numbers, one per code.
#include <cstdint>
#include <string_view>

#include "SortedCollection.h"

namespace tavo::objects {

// One registration.
class TStreamRec : public TStreamableObject {
public:
    static constexpr std::string_view StaticClassName = "TStreamRec";
    const TStreamClass& ClassType() const override { return StreamClassOf<TStreamRec>(); }

    TStreamRec() = default;
    TStreamRec(int32_t Code, const TStreamClass* StreamClass)
        : FCode(Code), FStreamClass(StreamClass)
    {
    }

    int32_t Code() const { return FCode; }
    void SetCode(int32_t Value) { FCode = Value; }
    const TStreamClass* StreamClass() const { return FStreamClass; }
    void SetStreamClass(const TStreamClass* Value) { FStreamClass = Value; }

private:
    int32_t FCode = 0;
    const TStreamClass* FStreamClass = nullptr;
};

// A sorted collection of TStreamRec records, compared by code as unsigned numbers.
class TStreamRecordsColl : public TCustomSortedCollection {
public:
    static constexpr std::string_view StaticClassName = "TStreamRecordsColl";
    const TStreamClass& ClassType() const override { return StreamClassOf<TStreamRecordsColl>(); }
    using TCustomSortedCollection::TCustomSortedCollection;

    int32_t Compare(TItemKey Key1, TItemKey Key2) const override;
};

// The program's registry: created when the library starts (or by the first
// registration), freed when it stops; null in between. Changed only by registration.
const TStreamRecordsColl* StreamRegistry();

// Registers Class under its ClassCode. The same class again changes nothing; another class
// under a taken code raises EObjectStream -4 and leaves the registry unchanged.
void RegisterStreamClass(const TStreamClass& Class);
template <class T> void RegisterStreamClass()
{
    RegisterStreamClass(StreamClassOf<T>());
}

// The class registered under Code, or null.
const TStreamClass* FindStreamClass(int32_t Code);

// Used by the module's start and stop.
void CreateStreamRegistry();
void FreeStreamRegistry();

}  // namespace tavo::objects
