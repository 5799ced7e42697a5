#pragma once
// The platform's PDF reader control as the documentation viewer drives it. The control is
// a component (see ComponentRegistry.h) created by kPdfReaderClassId; the object created
// is the control's window, and it answers one or both of two interfaces, asked for with
// qobject_cast:
//   IAcroAXDocShim  the newer interface, called directly;
//   IPdfDispatch    the older one, operations invoked by dispatch number.
// Every operation returns a status; anything but kStatusOk is a failure that the caller
// turns into an error. Header only: plugins include it without linking the platform.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtPlugin>
#include <cstdint>

namespace tavo::platform {

inline constexpr const char* kPdfReaderClassId = "{CA8A9780-280D-11CF-A24D-444553540000}";

using TStatus = int32_t;
inline constexpr TStatus kStatusOk = 0;
inline constexpr TStatus kStatusFail = static_cast<TStatus>(0x80004005);
inline constexpr TStatus kStatusNoInterface = static_cast<TStatus>(0x80004002);
inline constexpr TStatus kStatusMemberNotFound = static_cast<TStatus>(0x80020003);
inline constexpr TStatus kStatusTypeMismatch = static_cast<TStatus>(0x80020005);
inline constexpr TStatus kStatusBadParamCount = static_cast<TStatus>(0x8002000E);

class IAcroAXDocShim {
public:
    virtual ~IAcroAXDocShim() = default;
    // Loads and shows the file; an empty path unloads. Loaded is set when a document shows.
    virtual TStatus LoadFile(const QString& FileName, bool* Loaded) = 0;
    // 1-based; out of range shows the first or last page.
    virtual TStatus setCurrentPage(int32_t Page) = 0;
    // An unknown name leaves the view where it is.
    virtual TStatus setNamedDest(const QString& Name) = 0;
    // "FitH,top" fits the page width with that top (points from the page's top).
    virtual TStatus setView(const QString& View) = 0;
};

// Dispatch numbers of the older interface and the arguments they take.
enum TPdfDispId : int32_t {
    DispLoadFile = 2,        // (QString) -> bool
    DispSetCurrentPage = 8,  // (int32_t)
    DispSetNamedDest = 13,   // (QString)
    DispSetView = 18,        // (QString)
};

class IPdfDispatch {
public:
    virtual ~IPdfDispatch() = default;
    // Arguments must have exactly the types above (QMetaType::QString, QMetaType::Int):
    // others give kStatusTypeMismatch, another count kStatusBadParamCount, an unknown
    // number kStatusMemberNotFound.
    virtual TStatus Invoke(int32_t DispId, const QVariantList& Args, QVariant* Result) = 0;
};

// What our own reader adds for the viewer beyond the two interfaces: the page in view
// (the control also emits the signal "currentPageChanged(int)" as the user scrolls) and
// marking words found by a search.
class IPdfReaderView {
public:
    virtual ~IPdfReaderView() = default;
    virtual int32_t CurrentPage() const = 0;  // 1-based, 0 with no document
    virtual int32_t PageCount() const = 0;
    // Marks every occurrence of the words on Page (letter case and accents ignored) and
    // shows the first; an empty list clears the marks.
    virtual void MarkWords(int32_t Page, const QStringList& Words) = 0;
};

// Where the named destinations of the loaded document lie, so that the viewer knows the page
// of an entry that names only a destination.
class IPdfDestinations {
public:
    virtual ~IPdfDestinations() = default;
    // 1-based; 0 when the document holds no such name or nothing is loaded.
    virtual int32_t DestinationPage(const QString& Name) = 0;
};

}  // namespace tavo::platform

Q_DECLARE_INTERFACE(tavo::platform::IAcroAXDocShim, "{3B813CE7-7C10-4F84-AD06-9DF76D97A9AA}")
Q_DECLARE_INTERFACE(tavo::platform::IPdfDispatch, "{CA8A9781-280D-11CF-A24D-444553540000}")
Q_DECLARE_INTERFACE(tavo::platform::IPdfReaderView, "org.tavo.PdfReaderView/1.0")
Q_DECLARE_INTERFACE(tavo::platform::IPdfDestinations, "org.tavo.PdfDestinations/1.0")
