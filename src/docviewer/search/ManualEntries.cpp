#include "ManualEntries.h"

#include <filesystem>
#include <unordered_map>

#include "catalogue/DocItem.h"
#include "catalogue/TocModel.h"
#include "platform/AnsiText.h"
#include "tools/TextRoutines.h"

namespace tavo::docviewer {

namespace fs = std::filesystem;
using catalogue::TDocItem0;

QString DocumentKey(const TDocItem0& Item)
{
    const std::string name = Item.FileName();
    if (tools::IsBlank(name))
        return {};
    std::error_code ec;
    const fs::path resolved = catalogue::ResolveDocumentFile(name);
    fs::path key = fs::weakly_canonical(resolved, ec);
    if (ec)
        key = resolved.lexically_normal();
    return QString::fromStdString(key.string());
}

TManualEntries::TManualEntries(const objects::TObjectCollection* Catalogue)
{
    if (!Catalogue)
        return;
    std::unordered_map<const objects::TStreamableObject*, int32_t> indexOf;
    for (int32_t i = 0; i < Catalogue->Count(); ++i)
        indexOf.emplace(Catalogue->ItemAt(i), i);
    // Many entries name one file: each stored name is resolved once.
    std::unordered_map<std::string, QString> keys;

    catalogue::TTocModel model;
    model.Fill(Catalogue);
    std::vector<QModelIndex> stack;
    for (int row = model.rowCount() - 1; row >= 0; --row)
        stack.push_back(model.index(row, 0));
    while (!stack.empty()) {
        const QModelIndex node = stack.back();
        stack.pop_back();
        for (int row = model.rowCount(node) - 1; row >= 0; --row)
            stack.push_back(model.index(row, 0, node));
        const TDocItem0* item = model.Item(node);
        if (!item || tools::IsBlank(item->StoredFileName()))
            continue;
        auto known = keys.find(item->StoredFileName());
        if (known == keys.end())
            known = keys.emplace(item->StoredFileName(), DocumentKey(*item)).first;
        if (known->second.isEmpty())
            continue;
        TManualEntry entry;
        entry.Index = indexOf.count(item) ? indexOf[item] : -1;
        entry.Item = item;
        entry.Caption = model.data(node).toString();
        entry.File = known->second;
        // A page written as an expression may complain when evaluated, and moves no page.
        entry.Page = item->Pages().starts_with('-') ? 0 : item->PageNumber();
        if (!tools::IsBlank(item->Destination())) {
            entry.Destination = platform::FromAnsi(item->Destination());
            QStringList& names = FDestinations[entry.File];
            if (!names.contains(entry.Destination))
                names << entry.Destination;
        }
        std::vector<int32_t>& ofFile = FByFile[entry.File];
        if (ofFile.empty())
            FFiles << entry.File;
        ofFile.push_back(static_cast<int32_t>(FEntries.size()));
        FEntries.push_back(std::move(entry));
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
    auto found = FByFile.constFind(File);
    if (found == FByFile.constEnd() || found->empty())
        return nullptr;
    const TManualEntry* atOrBefore = nullptr;
    const TManualEntry* first = nullptr;
    int32_t atOrBeforePage = 0, firstPage = 0;
    for (int32_t i : *found) {
        const TManualEntry& entry = FEntries[static_cast<size_t>(i)];
        const int32_t page = EntryPage(entry, Destinations);
        if (page <= 0)
            continue;
        if (page <= Page && (!atOrBefore || page > atOrBeforePage)) {
            atOrBefore = &entry;
            atOrBeforePage = page;
        }
        if (!first || page < firstPage) {
            first = &entry;
            firstPage = page;
        }
    }
    if (atOrBefore)
        return atOrBefore;
    if (first)
        return first;
    return &FEntries[static_cast<size_t>(found->front())];
}

}  // namespace tavo::docviewer
