#pragma once
// The text of PDF documents, for indexing the manual. Only plugins link Poppler, so the
// text comes from the reader component: created by kPdfTextSourceClassId (see
// ComponentRegistry.h), the object answers IPdfTextSource through qobject_cast.
// Header only: plugins include it without linking the platform.
#include <QHash>
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

}  // namespace tavo::platform

Q_DECLARE_INTERFACE(tavo::platform::IPdfTextSource, "org.tavo.PdfTextSource/1.1")
