#pragma once
// The platform's web browser control as the shell drives it: navigation commands and the
// notifications the shell listens to. The control is a component (ComponentRegistry.h)
// created by kWebBrowserClassId: the object created answers this interface through
// qobject_cast. Header only for the component's side.
#include <QString>
#include <QtPlugin>
#include <cstdint>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace tavo::platform {

inline constexpr const char* kWebBrowserClassId = "{8856F961-340A-11D0-A96B-00C04FD705A2}";

class TWebBrowserControl {
public:
    virtual ~TWebBrowserControl() = default;

    // The control's window, a child of the parent it was created in. Keys typed in the page
    // go to the page; those it leaves unhandled pass on to that parent.
    virtual QWidget* Widget() = 0;
    // Completes scheme-less addresses. One that cannot be made into a web address is
    // announced all the same and shows the control's own error page naming it.
    virtual void Navigate(const QString& Address) = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    virtual void GoSearch() = 0;

    // Notifications, on the user-interface thread.
    // Every frame's navigation but a reload. The main frame's first request for an address
    // given to Navigate carries it as given, not as the control completed it.
    std::function<void(const QString& Address)> OnBeforeNavigate2;
    std::function<void(const QString& Text)> OnStatusTextChange;
    std::function<void(int32_t Progress, int32_t ProgressMax)> OnProgressChange;
    std::function<void()> OnDocumentComplete;
    std::function<void()> OnTitleChange;
};

}  // namespace tavo::platform

Q_DECLARE_INTERFACE(tavo::platform::TWebBrowserControl, "org.tavo.WebBrowserControl/1.0")

namespace tavo::platform {

// What a browser of today does besides showing pages: downloads, pages that ask for a new
// window, find, zoom, print and the page's notices. A control answers it through
// qobject_cast beside TWebBrowserControl; one that does not simply lacks these commands.
class TWebBrowserCommands {
public:
    virtual ~TWebBrowserCommands() = default;

    // A download the page started; the control saves nothing until it is accepted.
    struct TDownload {
        uint32_t Id = 0;
        QString FileName;  // the server's name for the file, made safe for a file system
        QString Address;
        int64_t TotalBytes = -1;  // -1 when the server does not say
    };
    enum TDownloadEnd { deCompleted, deCancelled, deFailed };

    // Saves download Id as Path. The bytes arrive under a temporary name beside Path, which
    // takes Path's place (replacing a file there) only once the whole file is in.
    virtual void AcceptDownload(uint32_t Id, const QString& Path) = 0;
    // Refuses a download not yet accepted, or stops one under way and removes its bytes.
    virtual void CancelDownload(uint32_t Id) = 0;

    // Highlights the matches of Text and moves to the next one (Backward: the previous);
    // an empty text clears the highlighting. OnFindResult follows.
    virtual void FindText(const QString& Text, bool Backward) = 0;
    // 1.0 is 100 %.
    virtual double ZoomFactor() const = 0;
    virtual void SetZoomFactor(double Factor) = 0;
    // Asks for a printer (ChoosePrinter, or the print dialog without one) and prints the
    // page on it; OnPrintFinished follows. A page's own print request does the same.
    virtual void Print() = 0;
    // Leaves the full screen a page asked for.
    virtual void ExitFullScreen() = 0;

    // Notifications, on the user-interface thread.
    // A download to accept or cancel (now or later).
    std::function<void(const TDownload& Download)> OnDownloadRequested;
    std::function<void(uint32_t Id, int64_t Received, int64_t Total)> OnDownloadProgress;
    // The end of an accepted download; Reason says why it failed (with the path when the
    // file system refused).
    std::function<void(uint32_t Id, TDownloadEnd End, const QString& Reason)> OnDownloadFinished;
    // A link or a script asked for a new window: the shell opens the address in its view.
    std::function<void(const QString& Address)> OnNewWindow;
    // Something the page was refused or asked for, for the status line.
    std::function<void(const QString& Text)> OnNotice;
    // Matches of the last FindText (0 when none), and which of them is current (1-based).
    std::function<void(int Matches, int Current)> OnFindResult;
    // The zoom changed by the control itself (Ctrl with the mouse wheel over the page).
    std::function<void(double Factor)> OnZoomChange;
    std::function<void(bool Ok)> OnPrintFinished;

    // Chooses the printer in place of the print dialog (tests answer it); false cancels.
    std::function<bool(QPrinter& Printer)> ChoosePrinter;
};

// Zoom steps, as desktop browsers have them: from Factor one step in Direction (+1 or -1).
inline double ZoomStep(double Factor, int Direction)
{
    static constexpr double steps[] = {0.25, 0.33, 0.5,  0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                       1.25, 1.5,  1.75, 2.0,  2.5,  3.0, 4.0, 5.0};
    constexpr int count = sizeof steps / sizeof steps[0];
    if (Direction > 0) {
        for (double s : steps)
            if (s > Factor + 0.001)
                return s;
        return steps[count - 1];
    }
    for (int i = count - 1; i >= 0; --i)
        if (steps[i] < Factor - 0.001)
            return steps[i];
    return steps[0];
}

// The engine behind the browser component, answered by the component plugin's root object:
// it can be made ready before the first control is created.
class TWebBrowserEngine {
public:
    virtual ~TWebBrowserEngine() = default;
    // Starts what the first control would start (the engine and its kept profile).
    // Repeated calls do nothing.
    virtual void PrepareEngine() = 0;
};

}  // namespace tavo::platform

Q_DECLARE_INTERFACE(tavo::platform::TWebBrowserCommands, "org.tavo.WebBrowserCommands/1.0")
Q_DECLARE_INTERFACE(tavo::platform::TWebBrowserEngine, "org.tavo.WebBrowserEngine/1.0")

namespace tavo::platform {

using WebBrowserFactory = std::function<std::unique_ptr<TWebBrowserControl>(QWidget* Parent)>;

// Registers the factory CreateWebBrowser uses (an empty one unregisters it); returns the
// previous.
WebBrowserFactory RegisterWebBrowser(WebBrowserFactory Factory);

// Creates the control inside Parent through the registered factory; raises EOleSysError
// "Class not registered" when none is registered, and passes on whatever the factory raises.
std::unique_ptr<TWebBrowserControl> CreateWebBrowser(QWidget* Parent);

// The browser component itself, loaded on first use; raises EOleSysError "Class not
// registered" without one, "No such interface supported" when it is no browser control.
std::unique_ptr<TWebBrowserControl> CreateWebBrowserComponent(QWidget* Parent);

// The factory CreateWebBrowser uses now (empty when none).
const WebBrowserFactory& RegisteredWebBrowser();

// Loads the browser component's plugin, once, and returns its engine; none when there is
// no such component or it has no engine to prepare (the first visit then finds out why,
// as it always did).
TWebBrowserEngine* LoadWebBrowserEngine();

// The control's commands, or none when it has none.
TWebBrowserCommands* BrowserCommands(TWebBrowserControl* Control);

}  // namespace tavo::platform
