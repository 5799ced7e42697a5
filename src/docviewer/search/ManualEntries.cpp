#include "ManualEntries.h"

#include "catalogue/DocCatalogue.h"
#include "platform/AnsiText.h"

namespace tavo::docviewer {

namespace fs = std::filesystem;

TManualEntries::TManualEntries(const catalogue::TDocCatalogue* Catalogue) : FCatalogue(Catalogue)
{
    if (!Catalogue)
        return;
    const catalogue::TToc& toc = Catalogue->Toc();
    for (const fs::path& file : Catalogue->Documents()) {
        const QString key = QString::fromStdString(file.string());
        FFiles << key;
        for (int32_t node : Catalogue->NodesOf(file)) {
            const catalogue::TDocItem0* item = toc.Item(node);
            TManualEntry entry;
            entry.Node = node;
            entry.Index = toc.Entry(node);
            entry.Item = item;
            entry.Caption = platform::FromAnsi(toc.Caption(node));
            entry.File = key;
            // A page written as an expression may complain when evaluated, and moves no page.
            entry.Page = item->PlainPageNumber();
            if (!catalogue::IsBlank(item->Destination())) {
                entry.Destination = platform::FromAnsi(item->Destination());
                QStringList& names = FDestinations[entry.File];
                if (!names.contains(entry.Destination))
                    names << entry.Destination;
            }
            FByNode.insert(node, static_cast<int32_t>(FEntries.size()));
            FEntries.push_back(std::move(entry));
        }
    }
}

int32_t EntryPage(const TManualEntry& Entry, const TDestinationPages& Destinations)
{
    if (!Entry.Destination.isEmpty())
        if (const int32_t page = Destinations.value(Entry.Destination, 0); page > 0)
            return page;
    return Entry.Page;
}

const TManualEntry* TManualEntries::EntryFor(const QString& File, int32_t Page,
                                             const TDestinationPages& Destinations) const
{
    if (!FCatalogue)
        return nullptr;
    const fs::path file(File.toStdString());
    const catalogue::TDestinationPage pages = [&Destinations](const std::string& Name) {
        return Destinations.value(platform::FromAnsi(Name), 0);
    };
    int32_t node = FCatalogue->NodeAt(file, Page, pages);
    if (node == 0)
        node = FCatalogue->FirstNodeOf(file, pages);
    const auto found = FByNode.constFind(node);
    return found == FByNode.constEnd() ? nullptr : &FEntries[static_cast<size_t>(*found)];
}

}  // namespace tavo::docviewer
