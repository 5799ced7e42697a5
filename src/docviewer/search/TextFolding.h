#pragma once
// One way of folding text for the manual's index, its queries and the reader's marks on the
// page alike: letter case and accents ignored. SQLite's tokenizer removes most accents
// itself but cannot take "ł" for "l" (it has no decomposition), so the index never sees the
// text as it is: it sees this. Stateless and Qt Core only: the reader component links it.
#include <QString>
#include <QStringList>
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

// A piece of a page's text as a reader lays it out (a word box), and whether a space
// follows it. A word may be cut into pieces with no space between (a letter drawn apart
// from its accent, a change of font), so pieces are matched joined up to the next space.
struct TTextPiece {
    QString Text;
    bool SpaceAfter = true;
};

// The indexes of the pieces holding some part of an occurrence of one of Words (folded
// with FoldText, as a query holds them), in order, each once.
std::vector<int> PiecesHolding(const std::vector<TTextPiece>& Pieces, const QStringList& Words);

}  // namespace tavo::docviewer
