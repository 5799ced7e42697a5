// Arbitrary bytes as a document whose structure the catalogue tool asks the reader for:
// nothing crashes, and what is read stays within the document.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "PdfOutline.h"

using tavo::platform::TPdfFacts;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static QTemporaryDir Folder;
    const QString File = Folder.filePath(QStringLiteral("fuzz.pdf"));
    {
        QFile Out(File);
        if (!Out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        Out.write(reinterpret_cast<const char*>(Data), static_cast<qint64>(Size));
    }
    const TPdfFacts Facts = tavo::pdfreader::ReadPdfFacts(
        File, 64, {QStringLiteral("intro"), QStringLiteral("a"), QString()});
    if (Facts.State != TPdfFacts::pfReadable) {
        if (Facts.Error.isEmpty() || !Facts.Outline.isEmpty())
            std::abort();
        return 0;
    }
    if (Facts.Pages <= 0 || Facts.Destinations.size() != 3)
        std::abort();
    for (const auto& Item : Facts.Outline)
        if (Item.Depth < 0 || Item.Depth > 64 || Item.Page < 0 || Item.Page > Facts.Pages)
            std::abort();
    for (const int32_t Page : Facts.Destinations)
        if (Page < 0 || Page > Facts.Pages)
            std::abort();
    return 0;
}
