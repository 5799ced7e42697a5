// Arbitrary bytes where the manual's index should be: opening either trusts a sound index
// or sets the file aside and starts a new one, and what is opened can be read and written.
#include <QCoreApplication>
#include <QDir>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "docviewer/search/ManualIndex.h"
#include "docviewer/search/SearchQuery.h"

using namespace tavo::docviewer;
namespace fs = std::filesystem;

namespace {

fs::path Folder;

}  // namespace

// SQLite and Qt free much memory on every run; the sanitizer's default quarantine of freed
// blocks alone would exceed the fuzz run's memory limit.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerInitialize(int* Argc, char*** Argv)
{
    static QCoreApplication app(*Argc, *Argv);
    Folder = fs::temp_directory_path() /
             ("tavo-index-fuzzer-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(Folder);
    std::atexit([] {
        std::error_code ec;
        fs::remove_all(Folder, ec);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(Folder, ec))
        fs::remove(entry.path(), ec);
    const fs::path file = Folder / "index.sqlite";
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
    }
    try {
        TManualIndex index(file);
        for (const TIndexedDocument& document : index.Documents())
            if (document.Pages < 0)
                std::abort();
        index.Search(ParseSearchQuery(QStringLiteral("ciepła grzej*")), 10);
        index.BeginDocument(QStringLiteral("/fuzz.pdf"));
        index.AddPage(1, QStringLiteral("kocioł"));
        index.AddDestination(QStringLiteral("rozdzial"), 1);
        index.CommitDocument(1, 1, 1, {});
        if (index.Search(ParseSearchQuery(QStringLiteral("kociol")), 10).empty())
            std::abort();  // a fresh or sound index finds what was just written
        if (index.Destinations(QStringLiteral("/fuzz.pdf")).value(QStringLiteral("rozdzial")) != 1)
            std::abort();  // and where its destinations lie
        for (const TIndexedDocument& document : index.Documents())
            for (int32_t page : index.Destinations(document.Path))
                if (page < 0 || page > TManualIndex::kMaxPages)
                    std::abort();
    } catch (const EManualIndex&) {
        // A sound-looking file whose full-text pages are damaged fails on reading; the
        // viewer then checks it from end to end and sets it aside. Not a crash.
    }
    return 0;
}
