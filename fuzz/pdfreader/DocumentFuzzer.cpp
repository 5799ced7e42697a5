// Arbitrary bytes as a PDF through the reader's document layer: opened as the control opens
// a file, then asked what the view asks of a page (size, words, links, search, a named
// destination) and rendered small, as a render worker renders it.
#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <poppler-qt6.h>

#include "PdfDocument.h"
#include "docviewer/search/TextFolding.h"

using namespace tavo::pdfreader;

// fontconfig keeps a configuration for the life of the process, made on the first text;
// and a small quarantine keeps the process within the fuzz runs' memory limit, since
// Poppler allocates and frees a page's worth of image on every input.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
    QString error;
    const TPdfSourcePtr source = BytesSource(bytes);
    std::unique_ptr<TPdfDocument> doc = TPdfDocument::Open(source, &error);
    if (!doc) {
        if (!error.startsWith(QLatin1String("This document could not be opened: ")))
            std::abort();
        return 0;
    }
    if (doc->PageCount() <= 0)
        std::abort();
    const int pages = std::min(doc->PageCount(), 3);
    for (int page = 0; page < pages; ++page) {
        const QSizeF size = doc->PageSize(page);
        if (!(size.width() >= 1 && size.height() >= 1 && size.width() <= 14400 &&
              size.height() <= 14400))
            std::abort();  // the view divides by it and sizes images by it
        for (const TPdfWord& word : doc->Words(page))
            (void)tavo::docviewer::FoldText(word.Text);
        for (const TPdfLink& link : doc->Links(page)) {
            if (link.Target && (link.Target->Page < 0 || link.Target->Page >= doc->PageCount()))
                std::abort();
        }
        (void)doc->Search(page, QStringLiteral("a"));
    }
    if (const auto target = doc->Destination(QStringLiteral("ch2"))) {
        if (target->Page < 0 || target->Page >= doc->PageCount())
            std::abort();
    }
    // A worker's own copy, rendering the first page at a small, bounded size.
    if (std::unique_ptr<Poppler::Document> own = LoadPoppler(*source)) {
        if (std::unique_ptr<Poppler::Page> page = own->page(0)) {
            const QSizeF size = doc->PageSize(0);
            const int width = 64,
                      height = std::clamp(int(64 * size.height() / size.width()), 1, 512);
            (void)page->renderToImage(width * 72.0 / size.width(), height * 72.0 / size.height(), 0,
                                      0, width, height);
        }
    }
    return 0;
}
