// Marking the section in view: the entry of the loaded document whose part is on screen is
// drawn bold as the user scrolls, and named for screen readers.
#include <unordered_map>

#include "FDOCPDFViewer.h"
#include "PdfTreeView.h"
#include "ReaderControl.h"
#include "ViewerParts.h"
#include "catalogue/DocCatalogue.h"
#include "platform/AnsiText.h"
#include "tools/TextRoutines.h"

namespace tavo::docviewer {

void TF_DocPDFViewer::CollectSections(bool Loaded)
{
    FDestinationPages.clear();
    FDelegate->Marked = QPersistentModelIndex();
    // An entry that names a destination opens where the destination lies; the document is
    // asked once per name, now that it is loaded.
    const catalogue::TDocCatalogue* catalogue = PdfTreeView->Catalogue();
    platform::IPdfView* destinations = nullptr;
    if (TReaderControl* control = CurrentControl(); control && Loaded)
        destinations = control->View();
    if (catalogue && destinations)
        for (int32_t node : catalogue->NodesOf(FCurrentFile)) {
            const std::string& name = catalogue->Toc().Item(node)->Destination();
            if (!tools::IsBlank(name) && !FDestinationPages.count(name))
                FDestinationPages[name] = destinations->DestinationPage(platform::FromAnsi(name));
        }
    PdfTreeView->viewport()->update();
}

void TF_DocPDFViewer::MarkCurrentEntry(int Page)
{
    const catalogue::TDocCatalogue* catalogue = PdfTreeView->Catalogue();
    const int32_t node =
        catalogue
            ? catalogue->NodeAt(FCurrentFile, Page,
                                [this](const std::string& Name) {
                                    const auto found = FDestinationPages.find(Name);
                                    return found == FDestinationPages.end() ? 0 : found->second;
                                })
            : 0;
    QPersistentModelIndex marked(PdfTreeView->IndexOf(node));
    if (marked == FDelegate->Marked)
        return;
    FDelegate->Marked = marked;
    PdfTreeView->viewport()->update();
    QString caption = marked.isValid() ? marked.data(Qt::DisplayRole).toString() : QString();
    PdfTreeView->setAccessibleDescription(
        caption.isEmpty() ? QString()
                          : ViewerText(SCurrentSection).replace(QLatin1String("%s"), caption));
}

QModelIndex TF_DocPDFViewer::MarkedEntry() const
{
    return FDelegate->Marked;
}

// Layout.

}  // namespace tavo::docviewer
