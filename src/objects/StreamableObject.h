#pragma once
// TStreamableObject: the root of every class whose objects are written to an object stream
// and rebuilt from it. A class reference (TStreamClass) stands for the class itself: it
// names the class, gives its registration code and builds new objects of it, which is how
// the stream rebuilds an object whose class it only knows by code.
//
// A streamable class declares its name and returns its class reference:
//
//     class TDocItem0 : public TLinesItem {
//     public:
//         static constexpr std::string_view StaticClassName = "TDocItem0";
//         const TStreamClass& ClassType() const override { return StreamClassOf<TDocItem0>(); }
//         void Load(TObjectStream& Stream) override;         // fields in stored order
//         void Store(TObjectStream& Stream) const override;
//     };
//
// A class that is to be written with a class code also declares
// `static int32_t ClassCode()` and is registered with RegisterStreamClass.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace tavo::objects {

class TObjectStream;
class TStreamableObject;

// A class reference: what the design's "class of TStreamableObject" values carry.
class TStreamClass {
public:
    using TCodeFunction = int32_t (*)();
    using TCreateFunction = TStreamableObject* (*)();

    constexpr TStreamClass(std::string_view Name, TCodeFunction Code, TCreateFunction Create)
        : FName(Name), FCode(Code), FCreate(Create)
    {
    }

    std::string_view Name() const { return FName; }
    // The class's registration code; EAbstractError for a class that has none.
    int32_t ClassCode() const { return FCode(); }

    // A new, empty object of the class (EAbstractError when the class cannot be built
    // without arguments).
    std::unique_ptr<TStreamableObject> Create() const;
    // The virtual constructors: a new object of the class, filled from Stream in the
    // normal, small or extended form. A failure frees the half-built object.
    std::unique_ptr<TStreamableObject> Load(TObjectStream& Stream) const;
    std::unique_ptr<TStreamableObject> LoadSmall(TObjectStream& Stream) const;
    std::unique_ptr<TStreamableObject> LoadEx(TObjectStream& Stream) const;

private:
    std::string_view FName;
    TCodeFunction FCode;
    TCreateFunction FCreate;
};

// The one class reference of T.
template <class T> const TStreamClass& StreamClassOf()
{
    static_assert(std::is_base_of_v<TStreamableObject, T>);
    constexpr TStreamClass::TCreateFunction Create = []() -> TStreamableObject* {
        if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>)
            return new T();
        else
            return nullptr;
    };
    static constexpr TStreamClass Class(T::StaticClassName, &T::ClassCode, Create);
    return Class;
}

class TStreamableObject {
public:
    static constexpr std::string_view StaticClassName = "TStreamableObject";

    TStreamableObject() = default;
    virtual ~TStreamableObject() = default;
    TStreamableObject& operator=(const TStreamableObject&) = delete;

    // The object's class reference; every streamable class overrides it.
    virtual const TStreamClass& ClassType() const;
    std::string ClassName() const { return std::string(ClassType().Name()); }
    // Class-level registration code. This class has none: EAbstractError.
    static int32_t ClassCode();

    // Virtual constructors: fill a new object from the stream, in the normal, small and
    // extended forms. Called through TStreamClass::Load (or LoadObject) on a fresh object.
    // Not provided here: EAbstractError.
    virtual void Load(TObjectStream& Stream);
    virtual void LoadSmall(TObjectStream& Stream);
    virtual void LoadEx(TObjectStream& Stream);
    // Write the object's data in the three forms. Not provided here: EAbstractError.
    virtual void Store(TObjectStream& Stream) const;
    virtual void StoreSmall(TObjectStream& Stream) const;
    virtual void StoreEx(TObjectStream& Stream) const;

    // Housekeeping used by collections: remove and free empty parts, at the end only, or
    // throughout (then every remaining part does the same).
    virtual void DeleteEmpty() {}
    virtual void DeleteTrailingEmpty() {}
    virtual bool IsEmpty() const { return false; }
    virtual void DeleteEmptyDeep() {}
    // Copies the object into Dest; a null Dest first receives a new object of a suitable
    // class. Here: Dest unchanged.
    virtual void CopyTo(std::unique_ptr<TStreamableObject>& Dest) const;

protected:
    // Derived classes may copy their own fields; outside code copies with CopyTo.
    TStreamableObject(const TStreamableObject&) = default;
};

// A new T built from Stream with its Load (the normal form).
template <class T> std::unique_ptr<T> LoadObject(TObjectStream& Stream)
{
    auto Object = std::make_unique<T>();
    Object->Load(Stream);
    return Object;
}

// Objects that occupy one or more lines of a line-oriented display.
class TLinesItem : public TStreamableObject {
public:
    static constexpr std::string_view StaticClassName = "TLinesItem";
    const TStreamClass& ClassType() const override { return StreamClassOf<TLinesItem>(); }

    // Number of the item's first line, given by NumberLines; 0 until then.
    int32_t LineNo() const { return FLineNo; }
    void SetLineNo(int32_t Value) { FLineNo = Value; }

    virtual int32_t LineCount() const { return 1; }
    // The displayed data must be brought up to date.
    virtual void Refresh() {}
    // Text of line Line (0 = the item's first) and column Column. Each item class
    // provides it: EAbstractError here.
    virtual void GetText(int32_t Line, int32_t Column, std::string& Text) const;
    virtual int32_t LineValue(int32_t Line) const;
    // LineNo := Counter, then Counter + 1.
    virtual void NumberLines(int32_t& Counter);

private:
    int32_t FLineNo = 0;
};

}  // namespace tavo::objects
