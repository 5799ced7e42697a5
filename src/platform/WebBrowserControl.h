#pragma once
// The platform's web browser control as the shell drives it: navigation commands and the
// notifications the shell listens to. The browser subsystem registers the real control;
// without a registered control, creation fails as it does on a machine without one.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

namespace tavo::platform {

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

using WebBrowserFactory = std::function<std::unique_ptr<TWebBrowserControl>(QWidget* Parent)>;

// Registers the control's factory (an empty one unregisters it); returns the previous.
WebBrowserFactory RegisterWebBrowser(WebBrowserFactory Factory);

// Creates the control inside Parent; raises EOleSysError "Class not registered" when no
// control is registered, and passes on whatever the factory raises.
std::unique_ptr<TWebBrowserControl> CreateWebBrowser(QWidget* Parent);

}  // namespace tavo::platform
