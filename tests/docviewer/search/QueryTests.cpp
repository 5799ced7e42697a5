// Folding, the translation of typed text into the index's expressions, and snippets.
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTranslator>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "docviewer/search/ManualIndex.h"
#include "docviewer/search/SearchQuery.h"
#include "docviewer/search/SearchStrings.h"
#include "docviewer/search/Snippet.h"
#include "docviewer/search/TextFolding.h"

using namespace tavo;
using docviewer::FoldText;
using docviewer::ParseSearchQuery;
using docviewer::TQueryTerm;

namespace {

QString Expression(const char* Text)
{
    return ParseSearchQuery(QString::fromUtf8(Text)).MatchExpression();
}

TEST(TextFolding, CaseAndEveryPolishAccentFoldAway)
{
    EXPECT_EQ(FoldText(QStringLiteral("Łódź ŻÓŁW źdźbło Gęś Mąka Ćma Koń Świeca")),
              QStringLiteral("lodz zolw zdzblo ges maka cma kon swieca"));
    EXPECT_EQ(FoldText(QStringLiteral("CIEPŁA")), FoldText(QStringLiteral("ciepla")));
    // Decomposed input, ligatures and full-width letters fold the same way.
    EXPECT_EQ(FoldText(QStringLiteral("Do\u0301bo\u0301r \uFB01lm \uFF21")),
              QStringLiteral("dobor film a"));
}

TEST(TextFolding, WordsAreLettersAndDigitsWithTheirMarks)
{
    const QString text = QStringLiteral("Tavo C.H. 3.2 — do\u0301r, \u0301x");
    QStringList words;
    for (const docviewer::TWordSpan& w : docviewer::WordSpans(text))
        words << text.mid(w.Start, w.End - w.Start);
    EXPECT_EQ(words, (QStringList{"Tavo", "C", "H", "3", "2", QStringLiteral("do\u0301r"), "x"}));
}

TEST(SearchQuery, WordsPrefixesAndPhrasesBecomeQuotedStrings)
{
    EXPECT_EQ(Expression("Ciepła grzej*"), R"("ciepla" "grzej"*)");
    EXPECT_EQ(Expression("\"Straty  ciepła\""), R"("straty ciepla")");
    EXPECT_EQ(Expression("\"straty ciep\"*"), R"("straty ciep"*)");
    EXPECT_EQ(Expression("\"straty ciep*\" woda"), R"("straty ciep"* "woda")");
    // Words joined by punctuation are found as they stand in the text: one after the other.
    EXPECT_EQ(Expression("C.H. 3.2"), R"("c h" "3 2")");
    EXPECT_EQ(Expression("\"pompa ciepła"), R"("pompa ciepla")");  // quote never closed
    EXPECT_EQ(Expression("woda WODA Woda"), R"("woda")");
    EXPECT_TRUE(ParseSearchQuery(QStringLiteral("  ,;: ")).IsEmpty());
    EXPECT_EQ(ParseSearchQuery(QStringLiteral("Dobór \"nastawa wstępna\"")).MarkWords(),
              (QStringList{"dobor", "nastawa", "wstepna"}));
}

TEST(SearchQuery, ALongQueryIsBounded)
{
    QString many;
    for (int i = 0; i < 100; ++i)
        many += QStringLiteral("slowo%1 ").arg(i);
    EXPECT_EQ(ParseSearchQuery(many).Terms.size(), size_t(docviewer::kMaxQueryTerms));
    const docviewer::TSearchQuery phrase =
        ParseSearchQuery(QLatin1Char('"') + many + QLatin1Char('"'));
    ASSERT_EQ(phrase.Terms.size(), 1u);
    EXPECT_EQ(phrase.Terms[0].Words.size(), docviewer::kMaxPhraseWords);
    EXPECT_TRUE(ParseSearchQuery(QString(100000, u'a')).Terms[0].Words[0].size() <=
                docviewer::kMaxQueryText);
}

// Whatever is typed, the index sees quoted strings, and searching never fails.
TEST(SearchQuery, HostileTextsAreNeverSyntax)
{
    docviewer::TManualIndex index(test::TestFolder() / "hostile.sqlite");
    index.BeginDocument(QStringLiteral("/d.pdf"));
    index.AddPage(1, QStringLiteral("near and or not body text pages rank"));
    index.CommitDocument(1, 1, 1, {});
    const QRegularExpression quotedOnly(QStringLiteral(R"(^("[a-z0-9 ]+"\*? ?)*$)"));
    for (const char* hostile : {"\"",
                                "\"\"",
                                "\"\"\"",
                                "*",
                                "**",
                                "* near",
                                "NEAR(",
                                "NEAR(a b, 2)",
                                "near(and",
                                "a OR b",
                                "NOT x",
                                "AND",
                                "-x",
                                "^x",
                                "+x",
                                "body:x",
                                "{body text}: near",
                                "text:near",
                                "(",
                                ")",
                                "((x))",
                                "'; DROP TABLE pages; --",
                                "x\" OR \"y",
                                "\\\"",
                                "rank MATCH 'x'",
                                "\x01\x02",
                                "\xF0\x9F\x98\x80 near",
                                "a*b*c",
                                ":",
                                "col:*"}) {
        const docviewer::TSearchQuery query = ParseSearchQuery(QString::fromUtf8(hostile));
        EXPECT_TRUE(quotedOnly.match(query.MatchExpression()).hasMatch())
            << hostile << " -> " << query.MatchExpression().toStdString();
        EXPECT_NO_THROW(index.Search(query, 10)) << hostile;
    }
    EXPECT_EQ(index.Search(ParseSearchQuery(QStringLiteral("NEAR(")), 10).size(), 1u);
    EXPECT_EQ(index.Search(ParseSearchQuery(QStringLiteral("\"and or\"")), 10).size(), 1u);
    EXPECT_EQ(index.Search(ParseSearchQuery(QStringLiteral("body:text")), 10).size(), 1u);
    EXPECT_EQ(index.Search(ParseSearchQuery(QStringLiteral("text:near")), 10).size(), 0u);
    EXPECT_EQ(index.PageRows(), 1);
}

TEST(Snippet, MarksTheWordsFoundAsTheyAreWritten)
{
    const QString page = QStringLiteral("Straty CIEPŁA\nw budynku.   Pompa ciepła i kocioł.");
    const docviewer::TSnippet s = docviewer::MakeSnippet(page, ParseSearchQuery("ciepla"), 160);
    EXPECT_EQ(s.Text, QStringLiteral("Straty CIEPŁA w budynku. Pompa ciepła i kocioł."));
    EXPECT_EQ(s.Marked("[", "]"),
              QStringLiteral("Straty [CIEPŁA] w budynku. Pompa [ciepła] i kocioł."));
    EXPECT_EQ(
        docviewer::MakeSnippet(page, ParseSearchQuery("\"pompa ciep\"*"), 160).Marked("[", "]"),
        QStringLiteral("Straty CIEPŁA w budynku. [Pompa] [ciepła] i kocioł."));
    EXPECT_EQ(
        docviewer::MakeSnippet(QStringLiteral("a < b & c"), ParseSearchQuery("b"), 160).ToHtml(),
        QStringLiteral("a &lt; <b>b</b> &amp; c"));
}

TEST(Snippet, ShowsThePlaceWhereTheTermsAreAndSaysWhereItWasCut)
{
    QString page;
    for (int i = 0; i < 60; ++i)
        page += QStringLiteral("slowo%1 ").arg(i);
    page += QStringLiteral("grzejnik ");
    for (int i = 60; i < 120; ++i)
        page += QStringLiteral("slowo%1 ").arg(i);
    const docviewer::TSnippet s = docviewer::MakeSnippet(page, ParseSearchQuery("grzejnik"), 80);
    EXPECT_TRUE(s.Text.startsWith(QStringLiteral("… slowo"))) << s.Text.toStdString();
    EXPECT_TRUE(s.Text.endsWith(QStringLiteral(" …"))) << s.Text.toStdString();
    EXPECT_LE(s.Text.size(), 90);
    ASSERT_EQ(s.Marks.size(), 1u);
    EXPECT_EQ(s.Text.mid(s.Marks[0].first, s.Marks[0].second), QStringLiteral("grzejnik"));
    // Cut at words: every piece between spaces is a whole word of the page.
    for (const QString& piece : s.Text.split(u' '))
        EXPECT_TRUE(piece == QStringLiteral("…") || page.contains(piece + u' '))
            << piece.toStdString();

    // Nothing found (the index may split words differently): the page's start, unmarked.
    const docviewer::TSnippet none = docviewer::MakeSnippet(page, ParseSearchQuery("zzz"), 40);
    EXPECT_TRUE(none.Text.startsWith(QStringLiteral("slowo0 slowo1")));
    EXPECT_TRUE(none.Marks.empty());
    EXPECT_TRUE(docviewer::MakeSnippet({}, ParseSearchQuery("x"), 40).Text.isEmpty());
}

// A translation with the plural forms of a language that has three of them.
class TPolishCounts : public QTranslator {
public:
    QString translate(const char* Context, const char* Source, const char*, int N) const override
    {
        if (QLatin1String(Context) != QLatin1String("tavo::docviewer::CountText") ||
            QLatin1String(Source) != QLatin1String("%n document(s)"))
            return {};
        const int tens = N % 100, ones = N % 10;
        const char* form = N == 1                                               ? "dokument"
                           : ones >= 2 && ones <= 4 && (tens < 12 || tens > 14) ? "dokumenty"
                                                                                : "dokumentów";
        return QStringLiteral("%1 %2").arg(N).arg(QString::fromUtf8(form));
    }
};

TEST(CountText, EnglishFormsAndATranslationsOwn)
{
    using docviewer::CountText;
    EXPECT_EQ(CountText(docviewer::cntDocuments, 1), QStringLiteral("1 document"));
    EXPECT_EQ(CountText(docviewer::cntDocuments, 0), QStringLiteral("0 documents"));
    EXPECT_EQ(CountText(docviewer::cntDocuments, 2), QStringLiteral("2 documents"));
    EXPECT_EQ(CountText(docviewer::cntPages, 1), QStringLiteral("1 page"));
    EXPECT_EQ(CountText(docviewer::cntResults, 21), QStringLiteral("21 results"));
    EXPECT_EQ(CountText(docviewer::cntNotSearched, 1),
              QStringLiteral("1 document could not be searched"));
    TPolishCounts polish;
    QCoreApplication::installTranslator(&polish);
    EXPECT_EQ(CountText(docviewer::cntDocuments, 1), QStringLiteral("1 dokument"));
    EXPECT_EQ(CountText(docviewer::cntDocuments, 3), QStringLiteral("3 dokumenty"));
    EXPECT_EQ(CountText(docviewer::cntDocuments, 5), QStringLiteral("5 dokumentów"));
    EXPECT_EQ(CountText(docviewer::cntDocuments, 22), QStringLiteral("22 dokumenty"));
    EXPECT_EQ(CountText(docviewer::cntPages, 5), QStringLiteral("5 pages"));  // not translated
    QCoreApplication::removeTranslator(&polish);
}

}  // namespace
