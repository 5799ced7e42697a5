#pragma once
// The table of contents as a model: the catalogue's flat, ordered entries with their
// levels become a tree of nodes. Nodes live in flat arrays (an index is a node number),
// so a catalogue of a hundred thousand entries builds in one pass and costs no object
// per node; the view asks only for the rows it shows.
#include <QAbstractItemModel>
#include <QIcon>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <vector>

#include "DocItem.h"
#include "tools/ImageList.h"

namespace tavo::catalogue {

// Deepest level shown: the parent table has one entry per level 0 to 64. Deeper entries
// have no parent slot and are left out of the tree.
constexpr int32_t MaxTocLevel = 64;

class TTocModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The entry of a node (TDocItem0*, not owned) and its picture number.
    static constexpr int ItemRole = Qt::UserRole + 1;
    static constexpr int PictureRole = Qt::UserRole + 2;

    explicit TTocModel(QObject* Parent = nullptr);

    // Rebuilds every node from Collection (none or empty: no nodes). Entries whose caption
    // is blank, that are hidden from the user, that are '<...>' entries or deeper than
    // MaxTocLevel are left out. An error part way leaves the nodes built so far.
    void Fill(const objects::TObjectCollection* Collection);
    void Clear();
    // The pictures; nodes keep their picture numbers, the images are looked up when drawn.
    void SetImages(tools::TImageList* Images);
    tools::TImageList* Images() const { return FImages; }

    int32_t NodeCount() const { return static_cast<int32_t>(FNodes.size()) - 1; }
    TDocItem0* Item(const QModelIndex& Index) const;
    int32_t Picture(const QModelIndex& Index) const;

    QModelIndex index(int Row, int Column, const QModelIndex& Parent = {}) const override;
    QModelIndex parent(const QModelIndex& Child) const override;
    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    bool hasChildren(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& Index) const override;

private:
    // Node 0 is the invisible root; the others are numbered in the order they were made.
    struct TNode {
        TDocItem0* Item = nullptr;
        int32_t Parent = 0;
        int32_t Row = 0;  // position among the parent's children
        int32_t ChildCount = 0;
        int32_t FirstChild = 0;  // into FChildren
        int32_t Picture = -1;
        QString Text;
    };
    void Build(const objects::TObjectCollection& Collection, std::vector<TNode>& Nodes);
    void LinkChildren();
    int32_t NodeOf(const QModelIndex& Index) const;

    std::vector<TNode> FNodes;
    // The children of every node in order, node after node.
    std::vector<int32_t> FChildren;
    QPointer<tools::TImageList> FImages;
    mutable std::vector<QIcon> FIcons;
};

// Windows-1250 text to QString by table, for the many captions of a big catalogue.
QString AnsiToQString(const std::string& Ansi);

}  // namespace tavo::catalogue
