#include "TocModel.h"

#include <QPixmap>
#include <array>

#include "platform/Codec.h"

namespace tavo::docviewer {

namespace {

const std::array<char16_t, 256>& CodePage()
{
    static const std::array<char16_t, 256> Table = [] {
        std::array<char16_t, 256> T{};
        for (int B = 0; B < 256; ++B) {
            const QString Char =
                QString::fromStdString(platform::AnsiToUtf8(std::string(1, static_cast<char>(B))));
            T[static_cast<size_t>(B)] = Char.isEmpty() ? u'?' : Char.at(0).unicode();
        }
        return T;
    }();
    return Table;
}

}  // namespace

QString AnsiToQString(const std::string& Ansi)
{
    const std::array<char16_t, 256>& Table = CodePage();
    QString Text(static_cast<qsizetype>(Ansi.size()), Qt::Uninitialized);
    QChar* Out = Text.data();
    for (size_t I = 0; I < Ansi.size(); ++I)
        Out[I] = QChar(Table[static_cast<unsigned char>(Ansi[I])]);
    return Text;
}

TTocModel::TTocModel(QObject* Parent) : QAbstractItemModel(Parent) {}

void TTocModel::SetToc(const catalogue::TToc* Toc)
{
    beginResetModel();
    FToc = Toc;
    endResetModel();
}

void TTocModel::SetImages(tools::TImageList* Images)
{
    FImages = Images;
    FIcons.clear();
    // Every node's picture changes; the nodes themselves stay.
    if (NodeCount() > 0) {
        emit layoutAboutToBeChanged();
        emit layoutChanged();
    }
}

int32_t TTocModel::Node(const QModelIndex& Index) const
{
    return Index.isValid() && FToc ? static_cast<int32_t>(Index.internalId()) : 0;
}

QModelIndex TTocModel::IndexOf(int32_t Node) const
{
    if (!FToc || Node <= 0 || Node > FToc->NodeCount())
        return {};
    return createIndex(FToc->Row(Node), 0, static_cast<quintptr>(Node));
}

const catalogue::TDocItem0* TTocModel::Item(const QModelIndex& Index) const
{
    const int32_t node = Node(Index);
    return node > 0 ? FToc->Item(node) : nullptr;
}

int32_t TTocModel::Picture(const QModelIndex& Index) const
{
    const int32_t node = Node(Index);
    return node > 0 ? FToc->Picture(node) : -1;
}

QModelIndex TTocModel::index(int Row, int Column, const QModelIndex& Parent) const
{
    if (!FToc || Column != 0 || Row < 0)
        return {};
    const int32_t parent = Node(Parent);
    if (Row >= FToc->ChildCount(parent))
        return {};
    return createIndex(Row, 0, static_cast<quintptr>(FToc->Child(parent, Row)));
}

QModelIndex TTocModel::parent(const QModelIndex& Child) const
{
    const int32_t node = Node(Child);
    return node > 0 ? IndexOf(FToc->Parent(node)) : QModelIndex();
}

int TTocModel::rowCount(const QModelIndex& Parent) const
{
    if (!FToc || (Parent.isValid() && Parent.column() != 0))
        return 0;
    return FToc->ChildCount(Node(Parent));
}

int TTocModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool TTocModel::hasChildren(const QModelIndex& Parent) const
{
    return rowCount(Parent) > 0;
}

QVariant TTocModel::data(const QModelIndex& Index, int Role) const
{
    const int32_t node = Node(Index);
    if (node <= 0)
        return {};
    switch (Role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return AnsiToQString(FToc->Caption(node));
    case Qt::DecorationRole: {
        const int32_t picture = FToc->Picture(node);
        if (!FImages || picture < 0 || picture >= FImages->Count())
            return {};
        if (FIcons.size() != static_cast<size_t>(FImages->Count()))
            FIcons.assign(static_cast<size_t>(FImages->Count()), QIcon());
        QIcon& icon = FIcons[static_cast<size_t>(picture)];
        if (icon.isNull())
            icon = QIcon(QPixmap::fromImage(FImages->Image(picture)));
        return icon;
    }
    case ItemRole:
        return QVariant::fromValue(const_cast<void*>(static_cast<const void*>(FToc->Item(node))));
    case PictureRole:
        return FToc->Picture(node);
    default:
        return {};
    }
}

Qt::ItemFlags TTocModel::flags(const QModelIndex& Index) const
{
    const int32_t node = Node(Index);
    if (node <= 0)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (FToc->ChildCount(node) == 0)
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

}  // namespace tavo::docviewer
