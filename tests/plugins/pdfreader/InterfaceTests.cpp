// The design's interfaces at the component's edge: each operation by number or by table
// becomes exactly one typed call, with its arguments checked and its views read.
#include <gtest/gtest.h>

#include <QStringList>

#include "ReaderInterfaces.h"

namespace {

using namespace tavo::platform;
using tavo::pdfreader::ApplyViewText;
using tavo::pdfreader::InvokeByNumber;

// Records every typed call as a line.
class TRecordingView : public IPdfView {
public:
    QStringList Calls;
    bool LoadResult = true;

    bool Load(const QString& FileName) override
    {
        Calls << "Load " + FileName;
        return LoadResult;
    }
    int32_t PageCount() const override { return 3; }
    int32_t CurrentPage() const override { return 1; }
    void ShowPage(int32_t Page, double Top) override
    {
        Calls << QStringLiteral("ShowPage %1 %2").arg(Page).arg(Top);
    }
    bool ShowDestination(const QString& Name) override
    {
        Calls << "ShowDestination " + Name;
        return true;
    }
    int32_t DestinationPage(const QString&) override { return 0; }
    void FitWidth(double Top) override { Calls << QStringLiteral("FitWidth %1").arg(Top); }
    void FitPage() override { Calls << "FitPage"; }
    void MarkWords(int32_t, const QStringList&) override { Calls << "MarkWords"; }
    double CurrentTop() const override { return 0; }
    TPdfZoomMode ZoomMode() const override { return TPdfZoomMode::zmFitWidth; }
    void SetZoomMode(TPdfZoomMode) override { Calls << "SetZoomMode"; }
    void SetPlacesState(bool, bool) override {}
    void Print() override { Calls << "Print"; }
    void SaveCopy() override { Calls << "SaveCopy"; }
    void OpenExternally() override { Calls << "OpenExternally"; }
};

TEST(DesignInterfaces, DispatchNumbersBecomeTypedCalls)
{
    TRecordingView view;
    QVariant result;
    EXPECT_EQ(InvokeByNumber(view, DispLoadFile, {QStringLiteral("a.pdf")}, &result), kStatusOk);
    EXPECT_EQ(result, QVariant(true));
    view.LoadResult = false;
    EXPECT_EQ(InvokeByNumber(view, DispLoadFile, {QStringLiteral("b.pdf")}, &result), kStatusOk);
    EXPECT_EQ(result, QVariant(false)) << "a file that does not show";
    EXPECT_EQ(InvokeByNumber(view, DispSetCurrentPage, {QVariant(3)}, nullptr), kStatusOk);
    EXPECT_EQ(InvokeByNumber(view, DispSetNamedDest, {QStringLiteral("ch2")}, nullptr), kStatusOk);
    EXPECT_EQ(InvokeByNumber(view, DispSetView, {QStringLiteral("FitH,0")}, nullptr), kStatusOk);
    EXPECT_EQ(view.Calls, QStringList({"Load a.pdf", "Load b.pdf", "ShowPage 3 0",
                                       "ShowDestination ch2", "FitWidth 0"}));
}

TEST(DesignInterfaces, BadDispatchCallsReachNothing)
{
    TRecordingView view;
    EXPECT_EQ(InvokeByNumber(view, DispSetCurrentPage, {QVariant(2.0)}, nullptr),
              kStatusTypeMismatch);
    EXPECT_EQ(InvokeByNumber(view, DispLoadFile, {QVariant(1)}, nullptr), kStatusTypeMismatch);
    EXPECT_EQ(InvokeByNumber(view, DispSetView, {}, nullptr), kStatusBadParamCount);
    EXPECT_EQ(
        InvokeByNumber(view, DispSetNamedDest, {QStringLiteral("a"), QStringLiteral("b")}, nullptr),
        kStatusBadParamCount);
    EXPECT_EQ(InvokeByNumber(view, 7, {QVariant(2)}, nullptr), kStatusMemberNotFound);
    EXPECT_TRUE(view.Calls.isEmpty());
}

TEST(DesignInterfaces, ViewTextsAreReadWithoutRegardToCaseAndSpaces)
{
    TRecordingView view;
    for (const char* text : {"FitH,0", "fith", " FITH , 36.5 ", "FitH,-12", "Fit", " fit "})
        ApplyViewText(view, QString::fromLatin1(text));
    EXPECT_EQ(view.Calls, QStringList({"FitWidth 0", "FitWidth 0", "FitWidth 36.5", "FitWidth -12",
                                       "FitPage", "FitPage"}));
    view.Calls.clear();
    for (const char* text : {"FitV,0", "FitH,x", "", "FitB", "FitHeight"})
        ApplyViewText(view, QString::fromLatin1(text));
    EXPECT_TRUE(view.Calls.isEmpty()) << "views the reader does not know are left alone";
}

}  // namespace
