#pragma once
// The "Internet" tab on the real engine for the tests of what real sites do: the shell
// started as the user starts it, its browser made by the component, pages served by
// ScriptedSite (and TestSite, which maps every host name).
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include "BrowserTestSupport.h"
#include "QtTestHelpers.h"
#include "ScriptedSite.h"
#include "TestSite.h"
#include "browser/BrowserControl.h"
#include "platform/ComponentRegistry.h"

// Failures name the texts.
inline void PrintTo(const QString& Text, std::ostream* Out)
{
    *Out << '"' << Text.toStdString() << '"';
}

namespace tavo::test {

class WebTab : public ::testing::Test {
protected:
    static constexpr int LoadTimeout = 30000;

    void SetUp() override
    {
        TestSite::Instance();
        Site = &ScriptedSite::Instance();
        ASSERT_TRUE(Site->Running());
        qputenv("TAVO_PLUGIN_PATH", BROWSER_PLUGIN_DIR);
        platform::TComponentRegistry::Instance().Rescan();
        Shell = std::make_unique<ShellOnInternet>();
        ASSERT_TRUE(Shell->Tab()->BrowserReady());
        View = qobject_cast<QWebEngineView*>(Shell->Tab()->Browser()->Widget());
        ASSERT_NE(View, nullptr);
        Page = View->page();  // the view lends it to the full-screen window
        Commands = platform::BrowserCommands(Shell->Tab()->Browser());
        ASSERT_NE(Commands, nullptr);
        Finished = std::make_unique<QSignalSpy>(View, &QWebEngineView::loadFinished);
        ASSERT_TRUE(WaitFor([&] { return Finished->count() > 0; }, LoadTimeout));
    }

    // Navigates as the user does and waits for the page.
    void Open(const QString& Address)
    {
        Finished->clear();
        Shell->EnterAddress(Address);
        ASSERT_TRUE(WaitFor([&] { return Finished->count() > 0; }, LoadTimeout))
            << qPrintable(Address);
    }
    QVariant Evaluate(const QString& Script)
    {
        QVariant result;
        bool done = false;
        Page->runJavaScript(Script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        WaitFor([&] { return done; }, LoadTimeout);
        return result;
    }
    QString PageText()
    {
        QString text;
        bool done = false;
        Page->toPlainText([&](const QString& t) {
            text = t;
            done = true;
        });
        WaitFor([&] { return done; }, LoadTimeout);
        return text;
    }
    QWidget* Surface() const { return View->focusProxy() ? View->focusProxy() : View; }
    // A real click on the element: what the engine counts as the user's gesture.
    void ClickElement(const QString& Id)
    {
        const QVariantList box =
            Evaluate(QStringLiteral("(function () { var r = document.getElementById('%1')"
                                    ".getBoundingClientRect(); return [r.x + r.width / 2,"
                                    " r.y + r.height / 2]; })()")
                         .arg(Id))
                .toList();
        ASSERT_EQ(box.size(), 2) << qPrintable(Id);
        const double zoom = View->zoomFactor();
        QTest::mouseClick(
            Surface(), Qt::LeftButton, {},
            QPoint(qRound(box[0].toDouble() * zoom), qRound(box[1].toDouble() * zoom)));
    }
    QString Status() const { return Shell->Find<QLabel>("AdressLabel")->text(); }
    QString Url(const char* Path) const { return Site->Url(QString::fromLatin1(Path)); }

    ScriptedSite* Site = nullptr;
    BrowserFactoryScope Factory{&browser::CreateEngineBrowser};
    std::unique_ptr<ShellOnInternet> Shell;
    QWebEngineView* View = nullptr;
    QWebEnginePage* Page = nullptr;
    platform::TWebBrowserCommands* Commands = nullptr;
    std::unique_ptr<QSignalSpy> Finished;
};

}  // namespace tavo::test
