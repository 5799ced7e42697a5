#pragma once
// One way of folding text for the manual's index and its queries alike: letter case and
// accents ignored. SQLite's tokenizer removes most accents itself but cannot take "ł" for
// "l" (it has no decomposition), so the index never sees the text as it is: it sees this.
#include <QString>
#include <vector>

namespace tavo::docviewer {

// Compatibility decomposition, marks dropped, "ł"/"Ł" as "l", case folded.
QString FoldText(const QString& Text);

// A character of a word as the index's tokenizer counts them (letters, digits, private
// use), or a mark that belongs to the letter before it.
bool IsWordChar(char32_t Code);

// Where a word lies in a text: UTF-16 positions, End past its last unit.
struct TWordSpan {
    int Start = 0;
    int End = 0;
};

// The words of Text in order.
std::vector<TWordSpan> WordSpans(const QString& Text);

}  // namespace tavo::docviewer
