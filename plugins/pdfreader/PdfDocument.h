#pragma once
// The reader's document layer over Poppler: opening with a reason for failure, page sizes
// read lazily, and per page the words, links and search results that the view asks for.
// One object per thread: Poppler documents are not shared between threads, so each render
// worker opens its own from the same source (see RenderQueue.h).
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace Poppler {
class Document;
}

namespace tavo::pdfreader {

// Where a document's bytes come from. Serial is new for every opening, so that images and
// workers of an earlier opening of the same file are never taken for this one's.
struct TPdfSource {
    QString FileName;  // empty when Bytes hold the document
    QByteArray Bytes;
    uint64_t Serial = 0;
};
using TPdfSourcePtr = std::shared_ptr<const TPdfSource>;

TPdfSourcePtr FileSource(const QString& FileName);
TPdfSourcePtr BytesSource(const QByteArray& Bytes);

// Loads a Poppler document from the source, unlocked and with anti-aliased rendering; null
// when Poppler cannot read it or it needs a password.
std::unique_ptr<Poppler::Document> LoadPoppler(const TPdfSource& Source);

// A page's image as Poppler renders it, in a format the view paints and marks over as ever.
QImage OpaquePageImage(QImage Image);

// A word of a page's text, in points from the page's top left.
struct TPdfWord {
    QString Text;
    QRectF Box;
    bool SpaceAfter = false;
};

// Where a link or a destination leads: a page (0-based) and a place on it.
struct TPdfTarget {
    int Page = 0;
    std::optional<double> Top;  // points from the page's top
};

struct TPdfLink {
    QRectF Area;                       // points from the page's top left
    std::optional<TPdfTarget> Target;  // inside the document
    QString Url;                       // web or mail address (or another file)
};

class TPdfDocument {
public:
    // Opens the source; on failure returns null and puts the reason into Error, a sentence
    // that begins "This document could not be opened: ".
    static std::unique_ptr<TPdfDocument> Open(TPdfSourcePtr Source, QString* Error);
    ~TPdfDocument();

    const TPdfSourcePtr& Source() const { return FSource; }
    int PageCount() const { return FPageCount; }

    // Page size in points. Reading it loads that page's dictionary only; until then a page
    // is taken to be the size of the first.
    QSizeF PageSize(int Index);
    bool SizeKnown(int Index) const;
    QSizeF FirstPageSize() const { return FFirstSize; }

    // The page's words in reading order, read on first use and kept.
    const std::vector<TPdfWord>& Words(int Index);
    const std::vector<TPdfLink>& Links(int Index);
    // Occurrences of Text on the page (letter case and accents ignored), in points.
    QList<QRectF> Search(int Index, const QString& Text);
    // Area (device pixels) of the page's image at XRes x YRes dots per inch, on this
    // object's thread; null when Poppler cannot render it.
    QImage Render(int Index, double XRes, double YRes, const QRect& Area);
    // A named destination; none for an unknown name.
    std::optional<TPdfTarget> Destination(const QString& Name);

private:
    TPdfDocument() = default;
    bool ValidIndex(int Index) const { return Index >= 0 && Index < FPageCount; }

    TPdfSourcePtr FSource;
    std::unique_ptr<Poppler::Document> FDoc;
    int FPageCount = 0;
    QSizeF FFirstSize;
    std::vector<QSizeF> FSizes;  // empty size: not read yet
    std::unordered_map<int, std::vector<TPdfWord>> FWords;
    std::unordered_map<int, std::vector<TPdfLink>> FLinks;
};

}  // namespace tavo::pdfreader
