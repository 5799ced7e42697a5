#pragma once
// What the user types in the search field, taken apart into words and phrases and put
// together again as a full-text expression of quoted strings only. Quotes, stars, brackets
// and words such as NEAR, AND or NOT are never passed on as the index's syntax.
//   ciepła            a word (case and accents ignored)
//   grzej*            words beginning with "grzej"
//   "straty ciepła"   a phrase; "straty ciep"* or "straty ciep*" ends with a prefix
//   C.H. 3.2          words joined by punctuation are a phrase: "c h" and "3 2"
// Every term must be present on a page; the order of the terms does not matter.
#include <QString>
#include <QStringList>
#include <vector>

namespace tavo::docviewer {

// Bounds on what a query may cost: text beyond this is ignored.
inline constexpr int kMaxQueryText = 500;
inline constexpr int kMaxQueryTerms = 16;
inline constexpr int kMaxPhraseWords = 16;

struct TQueryTerm {
    QStringList Words;    // folded (see FoldText), at least one
    bool Prefix = false;  // the last word is a prefix
    bool operator==(const TQueryTerm&) const = default;
};

struct TSearchQuery {
    std::vector<TQueryTerm> Terms;

    bool IsEmpty() const { return Terms.empty(); }
    // The expression for the index's MATCH operator: every term a quoted string.
    QString MatchExpression() const;
    // The words to mark on a page, once each.
    QStringList MarkWords() const;
};

TSearchQuery ParseSearchQuery(const QString& Text);

}  // namespace tavo::docviewer
