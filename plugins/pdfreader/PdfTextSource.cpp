#include "PdfTextSource.h"

#include <QFileInfo>
#include <poppler-qt6.h>

#include "PdfDocument.h"
#include "PdfOutline.h"
#include "ReaderStrings.h"

namespace tavo::pdfreader {

int32_t TPdfTextSource::ReadPages(const QString& FileName, const TPageSink& Sink,
                                  QString* Error) const
{
    auto fail = [Error](const QString& Reason) {
        if (Error)
            *Error = Reason;
        return -1;
    };
    const QFileInfo file(FileName);
    if (!file.exists())
        return fail(texts::NotFound());
    if (!file.isFile() || !file.isReadable())
        return fail(texts::Unreadable());
    if (file.size() == 0)
        return fail(texts::Empty());
    // A document of this call's own: Poppler documents are not shared between threads.
    const TPdfSourcePtr source = FileSource(FileName);
    std::unique_ptr<Poppler::Document> doc = LoadPoppler(*source);
    if (!doc)
        return fail(Poppler::Document::load(FileName) ? texts::Locked() : texts::Damaged());
    const int count = doc->numPages();
    if (count <= 0)
        return fail(texts::NoPages());
    // Every page costs the file a dozen bytes at least; a larger count is a lie.
    if (count > file.size() / 12)
        return fail(texts::Damaged());
    for (int i = 0; i < count; ++i) {
        QString text;
        if (std::unique_ptr<Poppler::Page> page = doc->page(i)) {
            text = page->text(QRectF());
            if (text.size() > kMaxPageText)
                text.truncate(kMaxPageText);
        }
        if (!Sink(i + 1, text))
            break;
    }
    return count;
}

QHash<QString, int32_t> TPdfTextSource::DestinationPages(const QString& FileName,
                                                         const QStringList& Names) const
{
    QHash<QString, int32_t> pages;
    QString error;
    std::unique_ptr<TPdfDocument> doc = TPdfDocument::Open(FileSource(FileName), &error);
    if (!doc)
        return pages;
    for (const QString& name : Names) {
        const std::optional<TPdfTarget> target = doc->Destination(name);
        pages.insert(name, target ? target->Page + 1 : 0);
    }
    return pages;
}

platform::TPdfFacts TPdfTextSource::Inspect(const QString& FileName, int32_t MaxDepth,
                                            const QStringList& Names) const
{
    return ReadPdfFacts(FileName, MaxDepth, Names);
}

}  // namespace tavo::pdfreader
