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

}  // namespace tavo::platform
