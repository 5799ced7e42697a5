// The split and its panes in the form stream, including forms of the first version.
#include <QTest>
#include <gtest/gtest.h>

#include "SplitTestSupport.h"
#include "platform/Errors.h"
#include "tools/FormStreamText.h"

namespace tavo::split {
namespace {

std::unique_ptr<ToxSplit> ViewerSplit()
{
    auto split = std::make_unique<ToxSplit>();
    split->setObjectName(QStringLiteral("Split"));
    (new ToxScrollPane(split.get()))->setObjectName(QStringLiteral("TreePane"));
    (new ToxScrollPane(split.get()))->setObjectName(QStringLiteral("PDFPane"));
    split->setGeometry(0, 0, 506, 469);
    return split;
}

TEST(SplitForm, StoresWhatDiffersFromTheDefaults)
{
    auto split = ViewerSplit();
    split->SetStyle(oxsInset);
    split->SetOptions({oxsHideInvisible, oxsSaveAsPercent});
    split->SetPercentX(42);
    split->SetPercentY(22);
    split->SetDockSite(false);
    auto* tree = split->findChild<ToxScrollPane*>(QStringLiteral("TreePane"));
    tree->SetCaption("Obsah \x9a");  // Windows-1250 text
    tree->SetCaptionStyle(oxsGrabBar);
    tree->SetCaptionOrientation(ToxsCaptionOrientation::oxsVert);
    tree->SetCloseBox(false);
    tree->SetAutoDock(false);
    tree->SetColor(tools::clInfoBk);
    EXPECT_EQ(tools::WriteComponentText(*split),
              "object Split: ToxSplit\n"
              "  Left = 0\n  Top = 0\n  Width = 506\n  Height = 469\n"
              "  Style = oxsInset\n"
              "  PercentX = 42\n  PercentY = 22\n"
              "  Options = [oxsHideInvisible, oxsSaveAsPercent]\n"
              "  DockSite = False\n"
              "  object TreePane: ToxScrollPane\n"
              "    Left = 1\n    Top = 1\n    Width = 208\n    Height = 467\n"
              "    Color = clInfoBk\n    ParentColor = False\n"
              "    DragMode = dmManual\n"
              "    Caption = 'Obsah \x9a'\n"
              "    CaptionStyle = oxsGrabBar\n    CaptionOrientation = oxsVert\n"
              "    CloseBox = False\n"
              "  end\n"
              "  object PDFPane: ToxScrollPane\n"
              "    Left = 215\n    Top = 1\n    Width = 290\n    Height = 467\n"
              "  end\n"
              "end\n");
}

TEST(SplitForm, PositionsAreStoredInsteadOfPercentagesWithoutTheOption)
{
    auto split = ViewerSplit();
    split->SetOptions({});
    split->SetPositionX(120);
    const std::string text = tools::WriteComponentText(*split);
    EXPECT_NE(text.find("PositionX = 120\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Percent"), std::string::npos) << text;
    EXPECT_EQ(text.find("PositionY"), std::string::npos) << text;  // still the default 50
}

TEST(SplitForm, ReadingAppliesTheStyleOnceTheFormIsLoaded)
{
    auto source = ViewerSplit();
    source->SetStyle(oxsGroove);
    source->SetOrientation(oxsHorz);
    source->SetOptions({oxsSaveAsPercent});
    source->SetPercentY(30);
    source->SetBarWidth(4);
    source->SetAutoUpdate(true);
    source->findChild<ToxScrollPane*>(QStringLiteral("PDFPane"))->hide();
    tools::TWriter writer;
    writer.WriteRootComponent(*source);

    auto split = ViewerSplit();
    QObject::connect(split.get(), &ToxCustomSplit::OnResize, [&] {
        EXPECT_FALSE(split->Loading()) << "no notification while the form loads";
    });
    tools::TReader reader(writer.Data());
    reader.ReadRootComponent(*split);
    EXPECT_FALSE(split->Loading());
    EXPECT_EQ(split->EffectiveStyle(), oxsGroove);
    EXPECT_EQ(split->Orientation(), oxsHorz);
    EXPECT_EQ(split->Options(), ToxsOptions{oxsSaveAsPercent});
    EXPECT_EQ(split->PercentY(), 30);
    EXPECT_EQ(split->PositionY(), (469 - 2 - 4) * 30 / 100);
    EXPECT_EQ(split->BarWidth(), 4);
    EXPECT_TRUE(split->AutoUpdate());
    EXPECT_TRUE(split->findChild<ToxScrollPane*>(QStringLiteral("PDFPane"))->isHidden());
    EXPECT_EQ(tools::WriteComponentText(*split), tools::WriteComponentText(*source));
}

TEST(SplitForm, APlainSplitReadFromAFormHasNoInset)
{
    auto split = std::make_unique<ToxSplit>();
    split->setObjectName(QStringLiteral("Split"));
    auto* pane = new ToxScrollPane(split.get());
    pane->setObjectName(QStringLiteral("PDFPane"));
    tools::ReadComponentText("object Split: ToxSplit\n"
                             "  Width = 506\n  Height = 469\n"
                             "  Style = oxsPlain\n"
                             "  object PDFPane: ToxScrollPane\n"
                             "  end\n"
                             "end\n",
                             *split);
    EXPECT_EQ(split->EffectiveStyle(), oxsPlain);
    EXPECT_EQ(split->Inset(), 0);
    EXPECT_EQ(pane->geometry(), QRect(0, 0, 506, 469));
}

TEST(SplitForm, FirstVersionPropertiesAreReadButNeverWritten)
{
    auto split = ViewerSplit();
    split->SetOptions({});
    tools::ReadComponentText("object Split: ToxSplit\n"
                             "  BarPosition = 120\n"
                             "  PaneTabOrder = (1 0)\n"
                             "  AutoScroll = False\n"
                             "  BarColor = clBtnFace\n"
                             "end\n",
                             *split);
    EXPECT_EQ(split->PositionX(), 120);
    EXPECT_EQ(split->PositionY(), 120);
    tools::ReadComponentText("object Split: ToxSplit\n"
                             "  BarPosition.X = 80\n"
                             "  BarPosition.Y = 140\n"
                             "end\n",
                             *split);
    EXPECT_EQ(split->PositionX(), 80);
    EXPECT_EQ(split->PositionY(), 140);
    const std::string text = tools::WriteComponentText(*split);
    for (const char* gone : {"BarPosition", "PaneTabOrder", "AutoScroll", "BarColor"})
        EXPECT_EQ(text.find(gone), std::string::npos) << gone;
}

TEST(SplitForm, ExtremeNumbersStayWithinWhatAControlCanBe)
{
    auto split = ViewerSplit();
    split->SetOptions({});
    tools::ReadComponentText("object Split: ToxSplit\n"
                             "  Left = -2147483647\n  Width = 2147483647\n"
                             "  BarWidth = 2147483647\n"
                             "  PositionX = 2147483647\n  PositionY = -5\n"
                             "end\n",
                             *split);
    EXPECT_EQ(split->x(), -MaxExtent);
    EXPECT_EQ(split->width(), MaxExtent);
    EXPECT_EQ(split->BarWidth(), MaxExtent);
    EXPECT_EQ(split->PositionX(), MaxExtent);
    EXPECT_EQ(split->PositionY(), 0);
    const auto* second = split->findChild<ToxScrollPane*>(QStringLiteral("PDFPane"));
    EXPECT_EQ(second->x(), 2 * MaxExtent);  // laid out without overflowing
}

TEST(SplitForm, BadValuesAreReportedWithTheProperty)
{
    auto split = ViewerSplit();
    auto message = [&split](const std::string& Text) -> std::string {
        try {
            tools::ReadComponentText(Text, *split);
        } catch (const platform::EReadError& error) {
            return error.Message();
        }
        return "no error";
    };
    EXPECT_EQ(message("object Split: ToxSplit\n  Style = oxsFancy\nend\n"),
              "Error reading Split.Style: Invalid property value");
    EXPECT_EQ(message("object Split: ToxSplit\n  Options = [oxsHideInvisible, oxsSoon]\nend\n"),
              "Error reading Split.Options: Invalid property value");
    EXPECT_EQ(message("object Split: ToxSplit\n  Position = 3\nend\n"),
              "Error reading Split.Position: Property Position does not exist");
    EXPECT_EQ(split->Style(), oxsAuto);
    EXPECT_EQ(split->Options(), ToxsOptions{oxsHideInvisible});
    // The failed read never finished loading; the split does not stay frozen.
    EXPECT_TRUE(QTest::qWaitFor([&split] { return !split->Loading(); }));
    split->SetPositionX(77);
    EXPECT_EQ(split->findChild<ToxScrollPane*>(QStringLiteral("PDFPane"))->x(), 83);
}

}  // namespace
}  // namespace tavo::split
