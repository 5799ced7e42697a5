#pragma once
// The table of contents as an item model over the catalogue's plain tree (catalogue/Toc.h):
// a model index carries its node's number, and the view asks only for the rows it shows.
#include <QAbstractItemModel>
#include <QIcon>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <vector>

#include "catalogue/Toc.h"
#include "tools/ImageList.h"

namespace tavo::docviewer {

class TTocModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The entry of a node (const TDocItem0*, not owned) and its picture number.
    static constexpr int ItemRole = Qt::UserRole + 1;
    static constexpr int PictureRole = Qt::UserRole + 2;

    explicit TTocModel(QObject* Parent = nullptr);

    // Shows Toc (not owned; none shows nothing). It must not change while shown.
    void SetToc(const catalogue::TToc* Toc);
    const catalogue::TToc* Toc() const { return FToc; }
    // The pictures; nodes keep their picture numbers, the images are looked up when drawn.
    void SetImages(tools::TImageList* Images);
    tools::TImageList* Images() const { return FImages; }

    int32_t NodeCount() const { return FToc ? FToc->NodeCount() : 0; }
    // A node's number (0 for none) and the index that shows it.
    int32_t Node(const QModelIndex& Index) const;
    QModelIndex IndexOf(int32_t Node) const;
    const catalogue::TDocItem0* Item(const QModelIndex& Index) const;
    int32_t Picture(const QModelIndex& Index) const;

    QModelIndex index(int Row, int Column, const QModelIndex& Parent = {}) const override;
    QModelIndex parent(const QModelIndex& Child) const override;
    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    bool hasChildren(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& Index) const override;

private:
    const catalogue::TToc* FToc = nullptr;
    QPointer<tools::TImageList> FImages;
    mutable std::vector<QIcon> FIcons;
};

// Windows-1250 text to QString by table, for the many captions of a big catalogue.
QString AnsiToQString(const std::string& Ansi);

}  // namespace tavo::docviewer
