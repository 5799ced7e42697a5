#pragma once
// A short piece of a page's text around what a query found, with the words marked.
#include <QString>
#include <utility>
#include <vector>

#include "SearchQuery.h"
#include "TextFolding.h"

namespace tavo::docviewer {

struct TSnippet {
    QString Text;
    std::vector<std::pair<int, int>> Marks;  // start and length in Text, in order

    // The text as HTML with the marks in bold.
    QString ToHtml() const;
    // The text with each mark between Open and Close.
    QString Marked(const QString& Open, const QString& Close) const;
};

// The words of Text that the query's terms match (a phrase: each of its words), in order.
std::vector<TWordSpan> FindTerms(const QString& Text, const TSearchQuery& Query);

// About Width characters of Page (white space made single spaces) around the place where
// most of the query's terms lie close together, cut at words, "…" where it was cut; the
// start of the page when the query finds nothing in it.
TSnippet MakeSnippet(const QString& Page, const TSearchQuery& Query, int Width = 160);

}  // namespace tavo::docviewer
