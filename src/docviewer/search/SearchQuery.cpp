#include "SearchQuery.h"

#include <algorithm>

#include "TextFolding.h"

namespace tavo::docviewer {

namespace {

// Adds the words of Piece as one term; a star at its end (spaces aside) or Star makes the
// last word a prefix.
void AddTerm(TSearchQuery& Query, const QString& Piece, bool Star)
{
    if (static_cast<int>(Query.Terms.size()) >= kMaxQueryTerms)
        return;
    const QString folded = FoldText(Piece);
    TQueryTerm term;
    for (const TWordSpan& span : WordSpans(folded)) {
        if (term.Words.size() >= kMaxPhraseWords)
            break;
        term.Words << folded.mid(span.Start, span.End - span.Start);
    }
    if (term.Words.isEmpty())
        return;
    const QString trimmed = Piece.trimmed();
    term.Prefix = Star || (!trimmed.isEmpty() && trimmed.back() == u'*');
    if (std::find(Query.Terms.begin(), Query.Terms.end(), term) == Query.Terms.end())
        Query.Terms.push_back(std::move(term));
}

}  // namespace

TSearchQuery ParseSearchQuery(const QString& Text)
{
    TSearchQuery query;
    const QString text = Text.left(kMaxQueryText);
    QString piece;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"') {
            if (quoted) {
                const bool star = i + 1 < text.size() && text.at(i + 1) == u'*';
                AddTerm(query, piece, star);
                if (star)
                    ++i;
            } else {
                AddTerm(query, piece, false);
            }
            piece.clear();
            quoted = !quoted;
        } else if (!quoted && c.isSpace()) {
            AddTerm(query, piece, false);
            piece.clear();
        } else {
            piece.append(c);
        }
    }
    AddTerm(query, piece, false);  // an unclosed quote runs to the end
    return query;
}

QString TSearchQuery::MatchExpression() const
{
    QStringList parts;
    for (const TQueryTerm& term : Terms) {
        QString quoted = term.Words.join(QLatin1Char(' '));
        // Words hold letters and digits only; doubling quotes keeps that a fact of syntax too.
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        parts << QLatin1Char('"') + quoted + QLatin1Char('"') +
                     (term.Prefix ? QLatin1String("*") : QLatin1String());
    }
    return parts.join(QLatin1Char(' '));
}

QStringList TSearchQuery::MarkWords() const
{
    QStringList words;
    for (const TQueryTerm& term : Terms)
        for (const QString& word : term.Words)
            if (!words.contains(word))
                words << word;
    return words;
}

}  // namespace tavo::docviewer
