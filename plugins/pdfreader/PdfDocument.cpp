#include "PdfDocument.h"

#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <poppler-qt6.h>

#include "ReaderStrings.h"

namespace tavo::pdfreader {

namespace {

// Pages are 1 to 14400 points a side (PDF's own limit): the view divides by the size and
// sizes images by it.
constexpr double kLargestSide = 14400;

std::atomic<uint64_t> NextSerial{1};

// Poppler reports every oddity of a damaged file on standard error; the reader says what
// matters inside the control instead.
void QuietPoppler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
    });
}

// Link areas and search results come normalised (0..1) or in points, and with top and
// bottom either way round.
QRectF FromNormalised(const QRectF& Area, const QSizeF& Page)
{
    const QRectF r = Area.normalized();
    return {r.left() * Page.width(), r.top() * Page.height(), r.width() * Page.width(),
            r.height() * Page.height()};
}

}  // namespace

TPdfSourcePtr FileSource(const QString& FileName)
{
    auto source = std::make_shared<TPdfSource>();
    source->FileName = FileName;
    source->Serial = NextSerial++;
    return source;
}

TPdfSourcePtr BytesSource(const QByteArray& Bytes)
{
    auto source = std::make_shared<TPdfSource>();
    source->Bytes = Bytes;
    source->Serial = NextSerial++;
    return source;
}

std::unique_ptr<Poppler::Document> LoadPoppler(const TPdfSource& Source)
{
    QuietPoppler();
    std::unique_ptr<Poppler::Document> doc = Source.FileName.isEmpty()
                                                 ? Poppler::Document::loadFromData(Source.Bytes)
                                                 : Poppler::Document::load(Source.FileName);
    if (!doc || doc->isLocked())
        return nullptr;
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    return doc;
}

QImage OpaquePageImage(QImage Image)
{
    if (Image.isNull() || Image.format() == QImage::Format_RGB32 ||
        Image.format() == QImage::Format_ARGB32_Premultiplied)
        return Image;
    return std::move(Image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

std::unique_ptr<TPdfDocument> TPdfDocument::Open(TPdfSourcePtr Source, QString* Error)
{
    auto fail = [Error](const QString& Reason) {
        if (Error)
            *Error = texts::CannotOpen(Reason);
        return nullptr;
    };
    if (!Source->FileName.isEmpty()) {
        const QFileInfo file(Source->FileName);
        if (!file.exists())
            return fail(texts::NotFound());
        if (!file.isFile() || !file.isReadable())
            return fail(texts::Unreadable());
        if (file.size() == 0)
            return fail(texts::Empty());
    } else if (Source->Bytes.isEmpty()) {
        return fail(texts::Empty());
    }
    QuietPoppler();
    std::unique_ptr<Poppler::Document> doc = Source->FileName.isEmpty()
                                                 ? Poppler::Document::loadFromData(Source->Bytes)
                                                 : Poppler::Document::load(Source->FileName);
    if (!doc)
        return fail(texts::Damaged());
    if (doc->isLocked())
        return fail(texts::Locked());
    const int count = doc->numPages();
    if (count <= 0)
        return fail(texts::NoPages());
    // Every page is an object of at least a dozen bytes; a count beyond that is a lie that
    // would size the page table by what the file says rather than by what it holds.
    const qint64 bytes =
        Source->FileName.isEmpty() ? Source->Bytes.size() : QFileInfo(Source->FileName).size();
    if (count > bytes / 12)
        return fail(texts::Damaged());
    std::unique_ptr<Poppler::Page> first = doc->page(0);
    if (!first)
        return fail(texts::NoPages());
    QSizeF size = first->pageSizeF();
    if (!(size.width() > 0 && size.height() > 0))
        return fail(texts::Damaged());
    // A first page of an absurd size is taken at the nearest sane one.
    size = QSizeF(std::clamp(size.width(), 1.0, kLargestSide),
                  std::clamp(size.height(), 1.0, kLargestSide));

    std::unique_ptr<TPdfDocument> result(new TPdfDocument);
    result->FSource = std::move(Source);
    result->FDoc = std::move(doc);
    result->FPageCount = count;
    result->FFirstSize = size;
    result->FSizes.resize(static_cast<size_t>(count));
    result->FSizes[0] = size;
    return result;
}

TPdfDocument::~TPdfDocument() = default;

bool TPdfDocument::SizeKnown(int Index) const
{
    return ValidIndex(Index) && !FSizes[static_cast<size_t>(Index)].isEmpty();
}

QSizeF TPdfDocument::PageSize(int Index)
{
    if (!ValidIndex(Index))
        return FFirstSize;
    QSizeF& size = FSizes[static_cast<size_t>(Index)];
    if (size.isEmpty()) {
        std::unique_ptr<Poppler::Page> page = FDoc->page(Index);
        QSizeF read = page ? page->pageSizeF() : QSizeF();
        // A page that cannot be read, or one of an absurd size, keeps the first page's size.
        if (!(read.width() >= 1 && read.height() >= 1 && read.width() <= kLargestSide &&
              read.height() <= kLargestSide))
            read = FFirstSize;
        size = read;
    }
    return size;
}

const std::vector<TPdfWord>& TPdfDocument::Words(int Index)
{
    static const std::vector<TPdfWord> none;
    if (!ValidIndex(Index))
        return none;
    auto found = FWords.find(Index);
    if (found != FWords.end())
        return found->second;
    std::vector<TPdfWord> words;
    if (std::unique_ptr<Poppler::Page> page = FDoc->page(Index)) {
        for (const auto& box : page->textList()) {
            if (box)
                words.push_back(
                    {box->text(), box->boundingBox().normalized(), box->hasSpaceAfter()});
        }
    }
    return FWords.emplace(Index, std::move(words)).first->second;
}

const std::vector<TPdfLink>& TPdfDocument::Links(int Index)
{
    static const std::vector<TPdfLink> none;
    if (!ValidIndex(Index))
        return none;
    auto found = FLinks.find(Index);
    if (found != FLinks.end())
        return found->second;
    std::vector<TPdfLink> links;
    const QSizeF pageSize = PageSize(Index);
    if (std::unique_ptr<Poppler::Page> page = FDoc->page(Index)) {
        for (const auto& link : page->links()) {
            if (!link)
                continue;
            TPdfLink item;
            item.Area = FromNormalised(link->linkArea(), pageSize);
            switch (link->linkType()) {
            case Poppler::Link::Goto: {
                const auto& go = static_cast<const Poppler::LinkGoto&>(*link);
                if (go.isExternal()) {
                    item.Url = go.fileName();
                    break;
                }
                Poppler::LinkDestination dest = go.destination();
                if (!dest.destinationName().isEmpty()) {
                    item.Target = Destination(dest.destinationName());
                } else if (dest.pageNumber() >= 1 && dest.pageNumber() <= FPageCount) {
                    TPdfTarget target{dest.pageNumber() - 1, std::nullopt};
                    if (dest.isChangeTop())
                        target.Top = dest.top() * PageSize(target.Page).height();
                    item.Target = target;
                }
                break;
            }
            case Poppler::Link::Browse:
                item.Url = static_cast<const Poppler::LinkBrowse&>(*link).url();
                break;
            default:
                break;
            }
            if (item.Target || !item.Url.isEmpty())
                links.push_back(std::move(item));
        }
    }
    return FLinks.emplace(Index, std::move(links)).first->second;
}

QList<QRectF> TPdfDocument::Search(int Index, const QString& Text)
{
    QList<QRectF> found;
    if (!ValidIndex(Index) || Text.trimmed().isEmpty())
        return found;
    if (std::unique_ptr<Poppler::Page> page = FDoc->page(Index)) {
        const auto flags = Poppler::Page::IgnoreCase | Poppler::Page::IgnoreDiacritics;
        for (const QRectF& rect : page->search(Text, flags))
            found << rect.normalized();
    }
    return found;
}

std::optional<TPdfTarget> TPdfDocument::Destination(const QString& Name)
{
    if (Name.isEmpty())
        return std::nullopt;
    std::unique_ptr<Poppler::LinkDestination> dest = FDoc->linkDestination(Name);
    // Poppler answers an unknown name with page 0 rather than with nothing.
    if (!dest || dest->pageNumber() < 1 || dest->pageNumber() > FPageCount)
        return std::nullopt;
    TPdfTarget target{dest->pageNumber() - 1, std::nullopt};
    if (dest->isChangeTop())
        target.Top = dest->top() * PageSize(target.Page).height();
    return target;
}

QImage TPdfDocument::Render(int Index, double XRes, double YRes, const QRect& Area)
{
    QImage image;
    if (!ValidIndex(Index))
        return image;
    if (std::unique_ptr<Poppler::Page> page = FDoc->page(Index))
        image = page->renderToImage(XRes, YRes, Area.x(), Area.y(), Area.width(), Area.height());
    return OpaquePageImage(std::move(image));
}

}  // namespace tavo::pdfreader
