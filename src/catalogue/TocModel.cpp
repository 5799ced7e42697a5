#include "TocModel.h"

#include <QPixmap>
#include <array>

#include "platform/Codec.h"
#include "tools/TextRoutines.h"

namespace tavo::catalogue {

namespace {

// Picture numbers in the tree's image list.
constexpr int32_t PictureChapter = 0;  // closed book: an entry followed by a deeper one
constexpr int32_t PicturePage = 2;     // an entry whose type has no picture of its own

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

TDocItem0* EntryAt(const objects::TObjectCollection& Collection, int32_t Index)
{
    return dynamic_cast<TDocItem0*>(Collection.ItemAt(Index));
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

TTocModel::TTocModel(QObject* Parent) : QAbstractItemModel(Parent), FNodes(1) {}

void TTocModel::Fill(const objects::TObjectCollection* Collection)
{
    beginResetModel();
    std::vector<TNode> Nodes(1);
    try {
        if (Collection)
            Build(*Collection, Nodes);
    } catch (...) {
        FNodes.swap(Nodes);
        LinkChildren();
        endResetModel();
        throw;
    }
    FNodes.swap(Nodes);
    LinkChildren();
    endResetModel();
}

void TTocModel::Clear()
{
    beginResetModel();
    FNodes.assign(1, TNode());
    FChildren.clear();
    endResetModel();
}

void TTocModel::Build(const objects::TObjectCollection& Collection, std::vector<TNode>& Nodes)
{
    // The node last made at each level. A level whose entry is none hangs its children at
    // the top, which is what node 0 (the root) stands for; it is never cleared when
    // later entries climb back to a lower level.
    std::array<int32_t, MaxTocLevel + 1> Parents{};
    const int32_t Count = Collection.Count();
    Nodes.reserve(static_cast<size_t>(Count) + 1);
    for (int32_t I = 0; I < Count; ++I) {
        TDocItem0* Entry = EntryAt(Collection, I);
        if (!Entry || !Entry->VisibleForUser())
            continue;
        std::string Caption = Entry->Caption();
        if (tools::IsBlank(Caption))
            continue;
        const int32_t Level = Entry->Level();
        const bool IsDocItem =
            Caption.size() >= 3 && Caption.front() == '<' && Caption.back() == '>';
        if (IsDocItem || Level > MaxTocLevel)
            continue;

        TNode Node;
        Node.Item = Entry;
        Node.Parent = Level == 0 ? 0 : Parents[static_cast<size_t>(Level - 1)];
        Node.Row = Nodes[static_cast<size_t>(Node.Parent)].ChildCount;
        // The next entry as stored decides, whether or not it is shown itself.
        TDocItem0* Next = I + 1 < Count ? EntryAt(Collection, I + 1) : nullptr;
        if (Next && Level < Next->Level()) {
            Node.Picture = PictureChapter;
        } else {
            const int32_t TypePicture = Entry->TypeImageIndex();
            Node.Picture = TypePicture < 0 ? PicturePage : TypePicture;
        }
        Node.Text = AnsiToQString(Caption);
        Nodes.push_back(std::move(Node));
        const auto Id = static_cast<int32_t>(Nodes.size() - 1);
        ++Nodes[static_cast<size_t>(Nodes.back().Parent)].ChildCount;
        Parents[static_cast<size_t>(Level)] = Id;
    }
}

void TTocModel::LinkChildren()
{
    int32_t Next = 0;
    for (TNode& Node : FNodes) {
        Node.FirstChild = Next;
        Next += Node.ChildCount;
    }
    FChildren.assign(static_cast<size_t>(Next), 0);
    for (size_t Id = 1; Id < FNodes.size(); ++Id) {
        const TNode& Node = FNodes[Id];
        const TNode& Parent = FNodes[static_cast<size_t>(Node.Parent)];
        FChildren[static_cast<size_t>(Parent.FirstChild) + static_cast<size_t>(Node.Row)] =
            static_cast<int32_t>(Id);
    }
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

int32_t TTocModel::NodeOf(const QModelIndex& Index) const
{
    return Index.isValid() ? static_cast<int32_t>(Index.internalId()) : 0;
}

TDocItem0* TTocModel::Item(const QModelIndex& Index) const
{
    return Index.isValid() ? FNodes[static_cast<size_t>(NodeOf(Index))].Item : nullptr;
}

int32_t TTocModel::Picture(const QModelIndex& Index) const
{
    return Index.isValid() ? FNodes[static_cast<size_t>(NodeOf(Index))].Picture : -1;
}

QModelIndex TTocModel::index(int Row, int Column, const QModelIndex& Parent) const
{
    if (Column != 0 || Row < 0)
        return {};
    const TNode& Node = FNodes[static_cast<size_t>(NodeOf(Parent))];
    if (Row >= Node.ChildCount)
        return {};
    return createIndex(
        Row, 0,
        static_cast<quintptr>(
            FChildren[static_cast<size_t>(Node.FirstChild) + static_cast<size_t>(Row)]));
}

QModelIndex TTocModel::parent(const QModelIndex& Child) const
{
    if (!Child.isValid())
        return {};
    const int32_t Parent = FNodes[static_cast<size_t>(NodeOf(Child))].Parent;
    if (Parent == 0)
        return {};
    return createIndex(FNodes[static_cast<size_t>(Parent)].Row, 0, static_cast<quintptr>(Parent));
}

int TTocModel::rowCount(const QModelIndex& Parent) const
{
    if (Parent.isValid() && Parent.column() != 0)
        return 0;
    return FNodes[static_cast<size_t>(NodeOf(Parent))].ChildCount;
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
    if (!Index.isValid())
        return {};
    const TNode& Node = FNodes[static_cast<size_t>(NodeOf(Index))];
    switch (Role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return Node.Text;
    case Qt::DecorationRole: {
        if (!FImages || Node.Picture < 0 || Node.Picture >= FImages->Count())
            return {};
        if (FIcons.size() != static_cast<size_t>(FImages->Count()))
            FIcons.assign(static_cast<size_t>(FImages->Count()), QIcon());
        QIcon& Icon = FIcons[static_cast<size_t>(Node.Picture)];
        if (Icon.isNull())
            Icon = QIcon(QPixmap::fromImage(FImages->Image(Node.Picture)));
        return Icon;
    }
    case ItemRole:
        return QVariant::fromValue(static_cast<void*>(Node.Item));
    case PictureRole:
        return Node.Picture;
    default:
        return {};
    }
}

Qt::ItemFlags TTocModel::flags(const QModelIndex& Index) const
{
    if (!Index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags Flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (FNodes[static_cast<size_t>(NodeOf(Index))].ChildCount == 0)
        Flags |= Qt::ItemNeverHasChildren;
    return Flags;
}

}  // namespace tavo::catalogue
