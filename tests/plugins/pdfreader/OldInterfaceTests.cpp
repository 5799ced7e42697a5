// A reader that answers only the older interface, loaded through the real plugin path: the
// newer wrapper switches the process to the older kind without an error, and the older
// wrapper drives the control by dispatch number.
#include <QDir>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "ReaderTestSupport.h"
#include "TestEnvironment.h"
#include "docviewer/PDFLib_TLB.h"
#include "docviewer/PdfLib_TLB_Old.h"
#include "platform/Errors.h"

namespace tavo::test {
namespace {

using docviewer::UseOldControl;

TEST(OlderReader, NewerWrapperSetsUseOldControlAndItsCallsRaise)
{
    UsePluginFolder(QStringLiteral(OLD_PLUGIN_DIR));
    UseOldControl = false;
    QWidget parent;
    docviewer::TPDF pdf(&parent);  // the control is created; no error
    EXPECT_FALSE(UseOldControl);
    EXPECT_EQ(pdf.DefaultInterface(), nullptr);
    EXPECT_TRUE(UseOldControl);
    EXPECT_THROW(pdf.LoadFile(TestDoc("reader.pdf")), platform::EOleSysError);
    EXPECT_THROW(pdf.setCurrentPage(2), platform::EOleSysError);
}

TEST(OlderReader, OlderWrapperDrivesTheControlByDispatchNumber)
{
    UsePluginFolder(QStringLiteral(OLD_PLUGIN_DIR));
    TReaderHost host(TKind::kOlder);
    auto& old = static_cast<docviewer::TPdfOld&>(host.Wrapper());
    EXPECT_EQ(qobject_cast<platform::IAcroAXDocShim*>(host.Control()), nullptr);
    EXPECT_TRUE(old.LoadFile(TestDoc("reader.pdf")));
    EXPECT_EQ(host.Reader()->PageCount(), 4);
    old.setCurrentPage(3);
    EXPECT_EQ(host.Reader()->CurrentPage(), 3);
    ASSERT_TRUE(host.AndWaitShown(2, [&] { old.setNamedDest("far"); }));
    EXPECT_EQ(host.Reader()->CurrentPage(), 2);
    EXPECT_NEAR(Runs(host.Grab(), IsRed).front().Top, 0, 1);
    old.setView("FitH,0");
    EXPECT_EQ(host.View()->verticalScrollBar()->value() > 0, true);
    EXPECT_FALSE(old.LoadFile(QString()));  // unloaded: nothing shows
    EXPECT_EQ(host.Reader()->PageCount(), 0);
}

TEST(OlderReader, TheDispatchChecksNumbersCountsAndTypes)
{
    UsePluginFolder(QStringLiteral(OLD_PLUGIN_DIR));
    TReaderHost host(TKind::kOlder);
    auto* dispatch = qobject_cast<platform::IPdfDispatch*>(host.Control());
    ASSERT_NE(dispatch, nullptr);
    using namespace platform;
    QVariant result;
    EXPECT_EQ(dispatch->Invoke(DispLoadFile, {TestDoc("reader.pdf")}, &result), kStatusOk);
    EXPECT_EQ(result, QVariant(true));
    EXPECT_EQ(dispatch->Invoke(DispLoadFile, {TestDoc("missing.pdf")}, &result), kStatusOk);
    EXPECT_EQ(result, QVariant(false));
    EXPECT_EQ(dispatch->Invoke(DispLoadFile, {TestDoc("reader.pdf")}, nullptr), kStatusOk);
    EXPECT_EQ(dispatch->Invoke(DispSetCurrentPage, {QVariant(2.0)}, nullptr), kStatusTypeMismatch);
    EXPECT_EQ(dispatch->Invoke(DispSetCurrentPage, {QVariant(QStringLiteral("2"))}, nullptr),
              kStatusTypeMismatch);
    EXPECT_EQ(dispatch->Invoke(DispSetNamedDest, {QVariant(2)}, nullptr), kStatusTypeMismatch);
    EXPECT_EQ(dispatch->Invoke(DispSetView, {}, nullptr), kStatusBadParamCount);
    EXPECT_EQ(dispatch->Invoke(DispSetCurrentPage, {2, 3}, nullptr), kStatusBadParamCount);
    EXPECT_EQ(dispatch->Invoke(7, {2}, nullptr), kStatusMemberNotFound);
    EXPECT_EQ(dispatch->Invoke(DispSetCurrentPage, {QVariant(2)}, nullptr), kStatusOk);
    EXPECT_EQ(host.Reader()->CurrentPage(), 2);
}

// A reader of another maker answers only the design's interfaces: the viewer's typed calls
// reach it as the design's four operations, in either kind, and it reports no pages.
TEST(ForeignReader, TypedCallsBecomeTheDesignsFourOperations)
{
    UsePluginFolder(QStringLiteral(DESIGN_PLUGIN_DIR));
    for (TKind kind : {TKind::kNewer, TKind::kOlder}) {
        SCOPED_TRACE(::testing::PrintToString(kind));
        UseOldControl = false;
        TReaderHost host(kind);
        EXPECT_EQ(qobject_cast<platform::IPdfView*>(host.Control()), nullptr);
        auto* inner = qobject_cast<platform::IPdfView*>(host.Child("PdfReader"));
        ASSERT_NE(inner, nullptr);
        platform::IPdfView* view = host.Wrapper().View();
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->Load(TestDoc("reader.pdf")));
        EXPECT_EQ(inner->PageCount(), 4);
        view->ShowPage(3);
        EXPECT_EQ(inner->CurrentPage(), 3);
        view->ShowDestination(QStringLiteral("far"));
        EXPECT_EQ(inner->CurrentPage(), 2);
        view->FitWidth();
        EXPECT_TRUE(host.Child("PdfReader")->property("fitWidth").toBool());
        EXPECT_EQ(view->CurrentPage(), 0) << "the design's interfaces tell no page";
        EXPECT_EQ(view->DestinationPage(QStringLiteral("far")), 0);
        view->Load(QString());
        EXPECT_EQ(inner->PageCount(), 0);
    }
    UseOldControl = false;
}

TEST(NoReader, CreatingEitherWrapperRaisesClassNotRegistered)
{
    const auto empty = TestFolder() / "no-plugins";
    QDir().mkpath(QString::fromStdString(empty.string()));
    UsePluginFolder(QString::fromStdString(empty.string()));
    QWidget parent;
    EXPECT_THROW(docviewer::TPDF pdf(&parent), platform::EOleSysError);
    EXPECT_THROW(docviewer::TPdfOld old(&parent), platform::EOleSysError);
    EXPECT_TRUE(parent.findChildren<QWidget*>().isEmpty());
}

}  // namespace
}  // namespace tavo::test
