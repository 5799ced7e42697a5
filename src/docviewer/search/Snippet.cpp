#include "Snippet.h"

#include <algorithm>

namespace tavo::docviewer {

namespace {

// A word of the page as matching needs it: plain ASCII is compared as it stands, letter case
// aside; anything else is folded first.
struct TPageWord {
    QStringView Plain;
    QString Folded;
    bool Ascii = true;

    bool Matches(const QString& Wanted, bool Prefix) const
    {
        if (Ascii)
            return Prefix ? Plain.startsWith(Wanted, Qt::CaseInsensitive)
                          : Plain.compare(Wanted, Qt::CaseInsensitive) == 0;
        return Prefix ? Folded.startsWith(Wanted) : Folded == Wanted;
    }
};

}  // namespace

std::vector<TWordSpan> FindTerms(const QString& Text, const TSearchQuery& Query)
{
    const std::vector<TWordSpan> spans = WordSpans(Text);
    std::vector<TPageWord> words(spans.size());
    for (size_t i = 0; i < spans.size(); ++i) {
        TPageWord& word = words[i];
        word.Plain = QStringView(Text).mid(spans[i].Start, spans[i].End - spans[i].Start);
        for (QChar c : word.Plain)
            if (c.unicode() >= 0x80) {
                word.Ascii = false;
                word.Folded = FoldText(word.Plain.toString());
                break;
            }
    }
    std::vector<bool> hit(spans.size(), false);
    for (const TQueryTerm& term : Query.Terms) {
        const auto count = static_cast<size_t>(term.Words.size());
        if (count == 0 || count > words.size())
            continue;
        for (size_t at = 0; at + count <= words.size(); ++at) {
            bool all = true;
            for (size_t k = 0; k < count && all; ++k)
                all = words[at + k].Matches(term.Words[static_cast<qsizetype>(k)],
                                            k + 1 == count && term.Prefix);
            if (all)
                std::fill(hit.begin() + static_cast<ptrdiff_t>(at),
                          hit.begin() + static_cast<ptrdiff_t>(at + count), true);
        }
    }
    std::vector<TWordSpan> found;
    for (size_t i = 0; i < spans.size(); ++i)
        if (hit[i])
            found.push_back(spans[i]);
    return found;
}

TSnippet MakeSnippet(const QString& Page, const TSearchQuery& Query, int Width)
{
    Width = std::max(Width, 20);
    // Pages come laid out with runs of spaces and line breaks; a snippet is one line.
    QString text = Page;
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    text = text.simplified();
    const std::vector<TWordSpan> hits = FindTerms(text, Query);
    const std::vector<TWordSpan> words = WordSpans(text);
    TSnippet snippet;
    if (words.empty())
        return snippet;

    // The window: from the first hit of the run of hits closest together, with a few words
    // of what comes before it.
    int from = words.front().Start;
    if (!hits.empty()) {
        size_t best = 0, bestCount = 0;
        for (size_t i = 0, j = 0; i < hits.size(); ++i) {
            j = std::max(j, i);
            while (j + 1 < hits.size() && hits[j + 1].End - hits[i].Start <= Width * 3 / 4)
                ++j;
            if (j - i + 1 > bestCount) {
                bestCount = j - i + 1;
                best = i;
            }
        }
        const int before = std::max(0, hits[best].Start - Width / 5);
        from = std::lower_bound(words.begin(), words.end(), before, [](const TWordSpan& W, int At) {
                   return W.Start < At;
               })->Start;
    }
    int to = static_cast<int>(text.size());
    if (from + Width < to) {
        to = from + Width;
        // Cut after the last whole word, unless one word is all there is.
        for (auto w = words.rbegin(); w != words.rend(); ++w)
            if (w->End <= to && w->Start >= from) {
                to = w->End;
                break;
            }
    }

    if (words.front().Start < from)
        snippet.Text = QStringLiteral("… ");
    int at = from;
    for (auto hit = std::lower_bound(hits.begin(), hits.end(), from,
                                     [](const TWordSpan&W, int At) { return W.Start < At; });
         hit != hits.end() && hit->End <= to; ++hit) {
        snippet.Text += QStringView(text).mid(at, hit->Start - at);
        snippet.Marks.emplace_back(static_cast<int>(snippet.Text.size()), hit->End - hit->Start);
        snippet.Text += QStringView(text).mid(hit->Start, hit->End - hit->Start);
        at = hit->End;
    }
    snippet.Text += QStringView(text).mid(at, to - at);
    if (words.back().Start >= to)
        snippet.Text += QStringLiteral(" …");
    return snippet;
}

QString TSnippet::Marked(const QString& Open, const QString& Close) const
{
    QString out;
    int at = 0;
    for (const auto& [start, length] : Marks) {
        out += QStringView(Text).mid(at, start - at);
        out += Open;
        out += QStringView(Text).mid(start, length);
        out += Close;
        at = start + length;
    }
    out += QStringView(Text).mid(at);
    return out;
}

QString TSnippet::ToHtml() const
{
    QString out;
    int at = 0;
    for (const auto& [start, length] : Marks) {
        out += Text.mid(at, start - at).toHtmlEscaped();
        out +=
            QLatin1String("<b>") + Text.mid(start, length).toHtmlEscaped() + QLatin1String("</b>");
        at = start + length;
    }
    out += Text.mid(at).toHtmlEscaped();
    return out;
}

}  // namespace tavo::docviewer
