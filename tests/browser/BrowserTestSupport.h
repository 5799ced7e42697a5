#pragma once
// The browser tab on the real main window, with whatever browser control a test
// registers at the platform's seam.
#include <QDesktopServices>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <memory>

#include "ShellTestSupport.h"
#include "browser/BrowserTab.h"
#include "platform/WebBrowserControl.h"

namespace tavo::test {

// Registers a browser factory for its lifetime.
class BrowserFactoryScope {
public:
    explicit BrowserFactoryScope(platform::WebBrowserFactory Factory)
        : FPrevious(platform::RegisterWebBrowser(std::move(Factory)))
    {
    }
    ~BrowserFactoryScope() { platform::RegisterWebBrowser(FPrevious); }
    BrowserFactoryScope(const BrowserFactoryScope&) = delete;
    BrowserFactoryScope& operator=(const BrowserFactoryScope&) = delete;

private:
    platform::WebBrowserFactory FPrevious;
};

// Stands for the desktop's handler of Scheme for its lifetime, recording what it is given.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    explicit UrlRecorder(const QString& Scheme) : FScheme(Scheme)
    {
        QDesktopServices::setUrlHandler(Scheme, this, "Open");
    }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(FScheme); }
    QList<QUrl> Urls;

public Q_SLOTS:
    void Open(const QUrl& Url) { Urls << Url; }

private:
    QString FScheme;
};

// The shell with its main window shown and active (so that its keys work), switched to
// the "Internet" tab.
class ShellOnInternet {
public:
    ShellOnInternet();
    shell::TF_Main* Main() const { return Shell->Main(); }
    browser::TBrowserTab* Tab() const { return Main()->BrowserTab(); }
    template <typename T> T* Find(const char* Name) const
    {
        return Main()->findChild<T*>(QLatin1String(Name));
    }
    void SelectTab(int Index) { Shell->SelectTab(Index); }
    // Types Text over the address box's text and presses Enter.
    void EnterAddress(const QString& Text);
    // The entries of a history menu, nearest first.
    QStringList MenuEntries(const char* Menu) const;
    // Chooses the entry with Text from a history menu, as the user does.
    void ChooseFromMenu(const char* Menu, const QString& Text);
    // Chooses the address box's list entry Index, as the user does.
    void ChooseFromList(int Index);
    void Press(int Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier);
    void Click(const char* Button);

    std::unique_ptr<StartedShell> Shell = std::make_unique<StartedShell>();
};

}  // namespace tavo::test
