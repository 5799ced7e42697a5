// Typed text as a query of the manual search, with page text for its snippet: the
// expression handed to the index holds quoted words only and never fails there, and the
// snippet's marks lie within its text. Input: the query, a newline, the page's text.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "docviewer/search/ManualIndex.h"
#include "docviewer/search/SearchQuery.h"
#include "docviewer/search/Snippet.h"

using namespace tavo::docviewer;

namespace {

// Never destroyed: Qt SQL's own statics go first at exit.
TManualIndex* Index = nullptr;

// Outside quotes only spaces and the prefix star; inside, no quote left undoubled.
bool OnlyQuotedWords(const QString& Expression)
{
    bool quoted = false;
    for (qsizetype i = 0; i < Expression.size(); ++i) {
        const QChar c = Expression.at(i);
        if (c == u'"') {
            if (quoted && i + 1 < Expression.size() && Expression.at(i + 1) == u'"') {
                ++i;
                continue;
            }
            quoted = !quoted;
        } else if (!quoted && c != u' ' && c != u'*') {
            return false;
        }
    }
    return !quoted;
}

}  // namespace

// SQLite and Qt free much memory on every run; the sanitizer's default quarantine of freed
// blocks alone would exceed the fuzz run's memory limit.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=32";
}

extern "C" int LLVMFuzzerInitialize(int* Argc, char*** Argv)
{
    static QCoreApplication app(*Argc, *Argv);  // Qt SQL finds its driver through it
    const QString file = QDir::temp().filePath(
        QStringLiteral("tavo-query-fuzzer-%1.sqlite").arg(QCoreApplication::applicationPid()));
    QFile::remove(file);
    Index = new TManualIndex(file.toStdString());
    static const std::string Files[] = {file.toStdString(), (file + "-wal").toStdString(),
                                        (file + "-shm").toStdString()};
    std::atexit([] {
        for (const std::string& f : Files)
            std::remove(f.c_str());
    });
    Index->BeginDocument(QStringLiteral("/manual.pdf"));
    Index->AddPage(1, QStringLiteral("Straty ciepła: NEAR AND OR NOT body text \"pages\" *"));
    Index->AddPage(2, QStringLiteral("Dobór grzejników, nastawa wstępna zaworów 3.2 C.H."));
    Index->CommitDocument(1, 1, 2, {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string input(reinterpret_cast<const char*>(Data), Size);
    const size_t newline = input.find('\n');
    const QString text = QString::fromUtf8(input.substr(0, newline));
    const QString page =
        newline == std::string::npos ? QString() : QString::fromUtf8(input.substr(newline + 1));

    const TSearchQuery query = ParseSearchQuery(text);
    if (static_cast<int>(query.Terms.size()) > kMaxQueryTerms)
        std::abort();
    for (const TQueryTerm& term : query.Terms)
        if (term.Words.isEmpty() || term.Words.size() > kMaxPhraseWords)
            std::abort();
    if (!OnlyQuotedWords(query.MatchExpression()))
        std::abort();
    try {
        Index->Search(query, 10);
    } catch (const EManualIndex&) {
        std::abort();  // typed text must never be an error of the index
    }

    const TSnippet snippet = MakeSnippet(page, query, 160);
    int last = 0;
    for (const auto& [start, length] : snippet.Marks) {
        if (start < last || length <= 0 || start + length > snippet.Text.size())
            std::abort();
        last = start + length;
    }
    return 0;
}
