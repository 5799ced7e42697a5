// The places list, and the viewer going back and forward through it: a place in another
// document opens that document first; the contents' mark follows the place shown.
#include "ViewerPlaces.h"

#include "FDOCPDFViewer.h"
#include "ReaderControl.h"
#include "ViewerLayout.h"
#include "tools/SettingsStore.h"

namespace tavo::docviewer {

namespace {

void Push(std::deque<TPlace>& List, const TPlace& Place)
{
    // Going to the place one is at records nothing new.
    if (!List.empty() && List.back() == Place)
        return;
    List.push_back(Place);
    while (List.size() > TPlaces::kLimit)
        List.pop_front();
}

}  // namespace

void TPlaces::Record(const TPlace& Left)
{
    Push(FBack, Left);
    FForward.clear();
}

std::optional<TPlace> TPlaces::Back(const TPlace& Current)
{
    if (FBack.empty())
        return std::nullopt;
    TPlace place = FBack.back();
    FBack.pop_back();
    Push(FForward, Current);
    return place;
}

std::optional<TPlace> TPlaces::Forward(const TPlace& Current)
{
    if (FForward.empty())
        return std::nullopt;
    TPlace place = FForward.back();
    FForward.pop_back();
    Push(FBack, Current);
    return place;
}

std::optional<TPlace> TF_DocPDFViewer::ShownPlace() const
{
    TReaderControl* control = CurrentControl();
    if (!control || control->isHidden() || FCurrentFile.empty())
        return std::nullopt;
    platform::IPdfView* view = control->View();
    if (view->PageCount() <= 0)
        return std::nullopt;
    return TPlace{FCurrentFile, view->CurrentPage(), view->CurrentTop()};
}

void TF_DocPDFViewer::RecordPlace(std::optional<TPlace> Left)
{
    if (FMovingThroughPlaces || !Left)
        return;
    FPlaces.Record(*Left);
    UpdatePlaces();
}

void TF_DocPDFViewer::GoPlace(int Direction)
{
    const std::optional<TPlace> current = ShownPlace();
    if (!current || Busy())
        return;
    const std::optional<TPlace> target =
        Direction < 0 ? FPlaces.Back(*current) : FPlaces.Forward(*current);
    if (!target)
        return;
    FMovingThroughPlaces = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{FMovingThroughPlaces};
    if (target->File != FCurrentFile)
        OpenDocument(target->File, target->Page, std::string());
    if (TReaderControl* control = CurrentControl(); control && FCurrentFile == target->File) {
        control->View()->ShowPage(target->Page, target->Top);
        MarkCurrentEntry(control->View()->CurrentPage());
    }
    UpdatePlaces();
}

void TF_DocPDFViewer::UpdatePlaces()
{
    if (TReaderControl* control = CurrentControl())
        control->View()->SetPlacesState(FPlaces.CanGoBack(), FPlaces.CanGoForward());
}

platform::TPdfZoomMode LoadZoomMode()
{
    const uint8_t mode =
        tools::ReadSettingByte(TViewerLayout::Section, kZoomModeKey, tools::ssShared, 0);
    switch (mode) {
    case static_cast<uint8_t>(platform::TPdfZoomMode::zmFitPage):
        return platform::TPdfZoomMode::zmFitPage;
    case static_cast<uint8_t>(platform::TPdfZoomMode::zmActualSize):
        return platform::TPdfZoomMode::zmActualSize;
    default:
        return platform::TPdfZoomMode::zmFitWidth;
    }
}

void StoreZoomMode(platform::TPdfZoomMode Mode)
{
    if (Mode == platform::TPdfZoomMode::zmCustom)
        return;
    tools::WriteSettingByte(static_cast<uint8_t>(Mode), TViewerLayout::Section, kZoomModeKey,
                            tools::ssShared);
}

}  // namespace tavo::docviewer
