#pragma once
// The reader component's second class: the text of a document's pages for the manual's
// index. Nothing here is shared between calls, so indexing threads may call it at once.
#include <QObject>

#include "platform/PdfTextSource.h"

namespace tavo::pdfreader {

// Longest page text handed on, in UTF-16 units: a page drawn as text is a few thousand;
// anything far beyond that is a damaged or hostile file, and the index must stay bounded.
inline constexpr int kMaxPageText = 200000;

class TPdfTextSource : public QObject,
                       public platform::IPdfTextSource,
                       public platform::IPdfOutlineSource {
    Q_OBJECT
    Q_INTERFACES(tavo::platform::IPdfTextSource tavo::platform::IPdfOutlineSource)

public:
    using QObject::QObject;

    int32_t ReadPages(const QString& FileName, const TPageSink& Sink,
                      QString* Error) const override;
    QHash<QString, int32_t> DestinationPages(const QString& FileName,
                                             const QStringList& Names) const override;
    platform::TPdfFacts Inspect(const QString& FileName, int32_t MaxDepth,
                                const QStringList& Names) const override;
};

}  // namespace tavo::pdfreader
