#pragma once
// The table of contents as plain data: the catalogue's flat, ordered entries with their
// levels become a tree of nodes. Nodes live in flat arrays (a node is a number), so a
// catalogue of a hundred thousand entries builds in one pass and costs no object per node.
// The viewer shows it through an item model; the catalogue tool prints it.
#include <cstdint>
#include <string>
#include <vector>

#include "DocTypes.h"
#include "objects/Objects7.h"

namespace tavo::catalogue {

class TDocItem0;

// Deepest level shown: the parent table has one entry per level 0 to 64. Deeper entries
// have no parent slot and are left out of the tree.
constexpr int32_t MaxTocLevel = 64;

class TToc {
public:
    // Node 0 is the invisible root; the others are numbered in the order they were made.
    static constexpr int32_t Root = 0;

    // Rebuilds every node from Collection (none or empty: no nodes). Entries whose caption
    // is blank, that are hidden from the user, that are '<...>' entries or deeper than
    // MaxTocLevel are left out. An error part way leaves the nodes built so far.
    void Build(const objects::TObjectCollection* Collection, const TDocTypes& Types);
    void Clear();

    // Nodes besides the root.
    int32_t NodeCount() const { return static_cast<int32_t>(FNodes.size()) - 1; }

    // Of a node (not the root unless said):
    int32_t Parent(int32_t Node) const { return At(Node).Parent; }
    int32_t Row(int32_t Node) const { return At(Node).Row; }  // among its parent's children
    int32_t ChildCount(int32_t Node) const { return At(Node).ChildCount; }  // the root's too
    int32_t Child(int32_t Node, int32_t Row) const;
    // The record's number in the catalogue.
    int32_t Entry(int32_t Node) const { return At(Node).Entry; }
    const TDocItem0* Item(int32_t Node) const { return At(Node).Item; }
    // Closed book for a chapter, else the type's picture (the page when it has none).
    int32_t Picture(int32_t Node) const { return At(Node).Picture; }
    // Windows-1250, the type's caption when the entry has none of its own.
    const std::string& Caption(int32_t Node) const { return At(Node).Caption; }

    // Every node in display order: a node, its children, then its next sibling.
    const std::vector<int32_t>& DisplayOrder() const { return FOrder; }
    // The node of a catalogue record, or 0 when it is not shown.
    int32_t NodeOfEntry(int32_t Entry) const;

private:
    struct TNode {
        const TDocItem0* Item = nullptr;
        int32_t Entry = -1;
        int32_t Parent = 0;
        int32_t Row = 0;
        int32_t ChildCount = 0;
        int32_t FirstChild = 0;  // into FChildren
        int32_t Picture = -1;
        std::string Caption;
    };
    const TNode& At(int32_t Node) const { return FNodes[static_cast<size_t>(Node)]; }
    void BuildNodes(const objects::TObjectCollection& Collection, const TDocTypes& Types,
                    std::vector<TNode>& Nodes);
    void Finish();

    std::vector<TNode> FNodes = std::vector<TNode>(1);
    // The children of every node in order, node after node.
    std::vector<int32_t> FChildren;
    std::vector<int32_t> FOrder;
    std::vector<int32_t> FNodeOfEntry;
};

}  // namespace tavo::catalogue
