#include "Toc.h"

#include <algorithm>
#include <array>

#include "DocItem.h"

namespace tavo::catalogue {

namespace {

const TDocItem0* EntryAt(const objects::TObjectCollection& Collection, int32_t Index)
{
    return dynamic_cast<const TDocItem0*>(Collection.ItemAt(Index));
}

}  // namespace

void TToc::Build(const objects::TObjectCollection* Collection, const TDocTypes& Types)
{
    std::vector<TNode> Nodes(1);
    try {
        if (Collection)
            BuildNodes(*Collection, Types, Nodes);
    } catch (...) {
        FNodes.swap(Nodes);
        Finish();
        throw;
    }
    FNodes.swap(Nodes);
    Finish();
}

void TToc::Clear()
{
    FNodes.assign(1, TNode());
    Finish();
}

void TToc::BuildNodes(const objects::TObjectCollection& Collection, const TDocTypes& Types,
                      std::vector<TNode>& Nodes)
{
    // The node last made at each level. A level whose entry is none hangs its children at
    // the top, which is what node 0 (the root) stands for; it is never cleared when
    // later entries climb back to a lower level.
    std::array<int32_t, MaxTocLevel + 1> Parents{};
    const int32_t Count = Collection.Count();
    Nodes.reserve(static_cast<size_t>(Count) + 1);
    for (int32_t I = 0; I < Count; ++I) {
        const TDocItem0* Item = EntryAt(Collection, I);
        if (!Item || !Item->VisibleForUser())
            continue;
        std::string Caption = Item->Caption(Types);
        if (IsBlank(Caption))
            continue;
        const int32_t Level = Item->Level();
        const bool IsDocItem =
            Caption.size() >= 3 && Caption.front() == '<' && Caption.back() == '>';
        if (IsDocItem || Level > MaxTocLevel)
            continue;

        TNode Node;
        Node.Item = Item;
        Node.Entry = I;
        Node.Parent = Level == 0 ? Root : Parents[static_cast<size_t>(Level - 1)];
        Node.Row = Nodes[static_cast<size_t>(Node.Parent)].ChildCount;
        // The next entry as stored decides, whether or not it is shown itself.
        const TDocItem0* Next = I + 1 < Count ? EntryAt(Collection, I + 1) : nullptr;
        if (Next && Level < Next->Level()) {
            Node.Picture = GlyphClosedBook;
        } else {
            const int32_t TypePicture = Item->TypeImageIndex(Types);
            Node.Picture = TypePicture < 0 ? GlyphPage : TypePicture;
        }
        Node.Caption = std::move(Caption);
        Nodes.push_back(std::move(Node));
        const auto Id = static_cast<int32_t>(Nodes.size() - 1);
        ++Nodes[static_cast<size_t>(Nodes.back().Parent)].ChildCount;
        Parents[static_cast<size_t>(Level)] = Id;
    }
}

void TToc::Finish()
{
    int32_t Next = 0;
    int32_t Entries = 0;
    for (TNode& Node : FNodes) {
        Node.FirstChild = Next;
        Next += Node.ChildCount;
        Entries = std::max(Entries, Node.Entry + 1);
    }
    FChildren.assign(static_cast<size_t>(Next), 0);
    FNodeOfEntry.assign(static_cast<size_t>(Entries), 0);
    for (size_t Id = 1; Id < FNodes.size(); ++Id) {
        const TNode& Node = FNodes[Id];
        const TNode& Parent = FNodes[static_cast<size_t>(Node.Parent)];
        FChildren[static_cast<size_t>(Parent.FirstChild) + static_cast<size_t>(Node.Row)] =
            static_cast<int32_t>(Id);
        FNodeOfEntry[static_cast<size_t>(Node.Entry)] = static_cast<int32_t>(Id);
    }
    // Depth first without recursion: a catalogue may nest 64 levels.
    FOrder.clear();
    FOrder.reserve(FNodes.size() - 1);
    std::vector<int32_t> Stack;
    for (int32_t R = ChildCount(Root) - 1; R >= 0; --R)
        Stack.push_back(Child(Root, R));
    while (!Stack.empty()) {
        const int32_t Node = Stack.back();
        Stack.pop_back();
        FOrder.push_back(Node);
        for (int32_t R = ChildCount(Node) - 1; R >= 0; --R)
            Stack.push_back(Child(Node, R));
    }
}

int32_t TToc::Child(int32_t Node, int32_t Row) const
{
    return FChildren[static_cast<size_t>(At(Node).FirstChild) + static_cast<size_t>(Row)];
}

int32_t TToc::NodeOfEntry(int32_t Entry) const
{
    if (Entry < 0 || Entry >= static_cast<int32_t>(FNodeOfEntry.size()))
        return 0;
    return FNodeOfEntry[static_cast<size_t>(Entry)];
}

}  // namespace tavo::catalogue
