#pragma once
// The platform's PDF reader control. The control is a component (see ComponentRegistry.h)
// created by kPdfReaderClassId; the object created is the control's window, and it answers
// these interfaces, asked for with qobject_cast:
//   IPdfView        the typed interface the viewer speaks (our reader);
//   IAcroAXDocShim  the design's newer interface, called directly;
//   IPdfDispatch    the design's older one, operations invoked by dispatch number.
// Every operation of the design's interfaces returns a status; anything but kStatusOk is a
// failure that the caller turns into an error. Header only: plugins include it without linking the
// platform.
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

// How the page is fitted to the view; every mode but zmCustom holds as the view is resized.
enum class TPdfZoomMode : int32_t {
    zmFitWidth = 0,    // the page width ("FitH")
    zmFitPage = 1,     // the whole page
    zmActualSize = 2,  // 100 %
    zmCustom = 3,      // a zoom the user stepped or wheeled to
};

// The reader as the viewer drives it: one typed interface for every reader operation. Our
// reader answers it itself; the design's two interfaces above are adapters over it at the
// component's edge. Besides, the object emits currentPageChanged(int) as the user scrolls
// and pageShown(int) once a page is painted whole (both 1-based; see the signal names below),
// and the place and zoom signals listed there.
class IPdfView {
public:
    virtual ~IPdfView() = default;

    // Loads and shows FileName; an empty name unloads. True when a document shows: a file
    // that cannot be read is a message inside the control, not a failure.
    virtual bool Load(const QString& FileName) = 0;
    virtual int32_t PageCount() const = 0;
    // 1-based; 0 with no document.
    virtual int32_t CurrentPage() const = 0;

    // Shows Page (1-based; out of range: the first or last) with the place Top points below
    // its top at the top of the view.
    virtual void ShowPage(int32_t Page, double Top = 0) = 0;
    // Shows the named destination; false, the view unchanged, for a name the document lacks.
    virtual bool ShowDestination(const QString& Name) = 0;
    // Where a named destination lies: 1-based, 0 when the document holds no such name.
    virtual int32_t DestinationPage(const QString& Name) = 0;

    // Fits the page width and keeps fitting it as the view is resized; the current page's
    // place Top points below its top goes to the top of the view.
    virtual void FitWidth(double Top = 0) = 0;
    // Fits the whole current page in the view.
    virtual void FitPage() = 0;

    // Marks every occurrence of the words on Page (letter case and accents ignored) and
    // shows the first; an empty list clears the marks.
    virtual void MarkWords(int32_t Page, const QStringList& Words) = 0;

    // The place at the top of the view: points below the current page's top.
    virtual double CurrentTop() const = 0;
    virtual TPdfZoomMode ZoomMode() const = 0;
    // zmCustom keeps the zoom of now.
    virtual void SetZoomMode(TPdfZoomMode Mode) = 0;
    // Enables the reader's back and forward buttons: the places list is the viewer's, as
    // places lead across documents.
    virtual void SetPlacesState(bool CanGoBack, bool CanGoForward) = 0;
    // The print dialog for the shown document; printing goes on in the background.
    virtual void Print() = 0;
    // Asks where to and writes a copy of the shown document there (never over the document).
    virtual void SaveCopy() = 0;
    // Opens the shown document in the desktop's PDF viewer.
    virtual void OpenExternally() = 0;
};

// The signals of the object that answers IPdfView, for connecting by name.
inline constexpr const char* kCurrentPageChangedSignal = "currentPageChanged(int)";
inline constexpr const char* kPageShownSignal = "pageShown(int)";
// (page, top) the view left for another place in the same document: a link followed or a
// page number typed. The viewer records it in its places list.
inline constexpr const char* kPlaceLeftSignal = "placeLeft(int,double)";
// The user asked to go back (-1) or forward (+1) through places: keys, mouse buttons, strip.
inline constexpr const char* kPlaceRequestedSignal = "placeRequested(int)";
// The user chose a zoom mode (TPdfZoomMode as int) on the strip or by key.
inline constexpr const char* kZoomModeChosenSignal = "zoomModeChosen(int)";

}  // namespace tavo::platform

Q_DECLARE_INTERFACE(tavo::platform::IAcroAXDocShim, "{3B813CE7-7C10-4F84-AD06-9DF76D97A9AA}")
Q_DECLARE_INTERFACE(tavo::platform::IPdfDispatch, "{CA8A9781-280D-11CF-A24D-444553540000}")
Q_DECLARE_INTERFACE(tavo::platform::IPdfView, "org.tavo.PdfView/1.0")
