#pragma once
// The text of PDF documents, for indexing the manual. Only plugins link Poppler, so the
// text comes from the reader component: created by kPdfTextSourceClassId (see
// ComponentRegistry.h), the object answers IPdfTextSource through qobject_cast.
// Header only: plugins include it without linking the platform.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtPlugin>
#include <cstdint>
#include <functional>

namespace tavo::platform {

inline constexpr const char* kPdfTextSourceClassId = "{5E0B6C1A-7F43-4D2B-9A8E-2C71D04F3B96}";

class IPdfTextSource {
public:
    // Receives the text of one page (1-based); returning false stops the reading.
    using TPageSink = std::function<bool(int32_t Page, const QString& Text)>;

    virtual ~IPdfTextSource() = default;

    // Hands the text of every page of FileName to Sink, in page order. Returns the number
    // of pages the document has, or -1 when it cannot be read (Error then says why, as a
    // sentence for the user). Safe to call from several threads at once: every call opens
    // a document of its own.
    virtual int32_t ReadPages(const QString& FileName, const TPageSink& Sink,
                              QString* Error) const = 0;

    // The pages (1-based) where the named destinations Names of FileName lie; a name the
    // document does not hold gets 0. Empty when the document cannot be read. Safe to call
    // from several threads at once, as ReadPages.
    virtual QHash<QString, int32_t> DestinationPages(const QString& FileName,
                                                     const QStringList& Names) const = 0;
};

// One item of a document's outline, in outline order.
struct TPdfOutlineItem {
    QString Title;
    int32_t Depth = 0;    // 0 for the outline's top items
    QString Destination;  // the named destination it leads to; empty when it names a page
    int32_t Page = 0;     // 1-based; 0 when it leads nowhere in this document
};

// What a disc author needs to know of a document before the disc is made.
struct TPdfFacts {
    enum TState { pfReadable, pfMissing, pfUnreadable, pfEmpty, pfDamaged, pfEncrypted, pfNoPages };
    TState State = pfMissing;
    QString Error;  // why it cannot be read, as a sentence for the user
    int32_t Pages = 0;
    QString Title;  // the document information's title, trimmed; may be empty
    QList<TPdfOutlineItem> Outline;
    // The pages of the destinations asked for; 0 for a name the document does not hold.
    QHash<QString, int32_t> Destinations;
};

// The reader component's view of a document's structure, for the catalogue tool. The same
// object as IPdfTextSource answers it.
class IPdfOutlineSource {
public:
    virtual ~IPdfOutlineSource() = default;

    // Opens FileName once and reports its state, page count, title, the outline's items of
    // depth MaxDepth and less (a negative MaxDepth reads no outline) and the pages of the
    // destinations Names. Safe to call from several threads at once.
    virtual TPdfFacts Inspect(const QString& FileName, int32_t MaxDepth,
                              const QStringList& Names) const = 0;
};

}  // namespace tavo::platform

Q_DECLARE_INTERFACE(tavo::platform::IPdfTextSource, "org.tavo.PdfTextSource/1.1")
Q_DECLARE_INTERFACE(tavo::platform::IPdfOutlineSource, "org.tavo.PdfOutlineSource/1.0")
