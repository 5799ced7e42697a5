// The whole manual on the real reader component: the sample disc's documentation and
// documents generated with Polish text, found without regard to case and accents, each
// hit given the entry of the table of contents it belongs to.
#include <QFileInfo>
#include <QWidget>
#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

#include "SearchTestSupport.h"
#include "TestEnvironment.h"
#include "docviewer/search/ManualEntries.h"
#include "docviewer/search/ManualIndex.h"
#include "docviewer/search/ManualIndexer.h"
#include "docviewer/search/ManualSearch.h"
#include "platform/ComponentRegistry.h"
#include "platform/PdfReaderControl.h"
#include "platform/PdfTextSource.h"

using namespace tavo;
using docviewer::ParseSearchQuery;
using docviewer::TManualEntries;
using docviewer::TManualIndex;
using docviewer::TSearchResult;
namespace fs = std::filesystem;

namespace {

class Manual : public test::SearchTest {
protected:
    docviewer::TRefreshReport Refresh(const TManualEntries& Entries)
    {
        TManualIndex index(IndexFile());
        std::atomic<bool> stop{false};
        return docviewer::RefreshIndex(index, Entries.Files(), RealSource(), {}, stop,
                                       Entries.Destinations());
    }
    std::vector<TSearchResult> Search(const TManualEntries& Entries, const char* Query)
    {
        TManualIndex index(IndexFile(), TManualIndex::ocNone);
        return docviewer::SearchManual(index, Entries, ParseSearchQuery(QString::fromUtf8(Query)));
    }
    // "caption p.N" of each result, best first.
    std::vector<std::string> Places(const TManualEntries& Entries, const char* Query)
    {
        std::vector<std::string> places;
        for (const TSearchResult& r : Search(Entries, Query))
            places.push_back(r.Entry->Caption.toStdString() + " p." + std::to_string(r.Page));
        return places;
    }
};

TEST_F(Manual, TheSampleManualIsFoundWithoutCaseOrAccents)
{
    std::unique_ptr<objects::TObjectCollection> catalogue = SampleCatalogue();
    const TManualEntries entries(Doc(*catalogue));
    // Four documents; the hidden entry's file is one of them anyway.
    ASSERT_EQ(entries.Files().size(), 4);
    const docviewer::TRefreshReport report = Refresh(entries);
    EXPECT_EQ(report.Indexed, 4);
    EXPECT_EQ(report.Pages, 3 + 6 + 2 + 1);

    EXPECT_EQ(Places(entries, "CIEPLA"), (std::vector<std::string>{"Straty ciepła p.4"}));
    EXPECT_EQ(Places(entries, "dobor"), (std::vector<std::string>{"Dobór grzejników p.6"}));
    EXPECT_EQ(Places(entries, "Nowosci"), (std::vector<std::string>{"Nowości w wersji 3.2 p.3"}));
    EXPECT_THAT(Places(entries, "cennik"),
                testing::UnorderedElementsAre("Cennik p.1", "Cennik p.2"));
    EXPECT_THAT(Places(entries, "\"heat loss\""),
                testing::UnorderedElementsAre("Straty ciepła p.4", "Dobór grzejników p.6"));
    EXPECT_TRUE(Places(entries, "\"loss heat\"").empty());
    // A prefix: "Radiators", "radiator's", "Radiator" across three documents.
    EXPECT_GE(Places(entries, "radiat*").size(), 4u);
    EXPECT_TRUE(Places(entries, "radiat").empty());

    const std::vector<TSearchResult> found = Search(entries, "straty ciepla");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].File, test::KeyOf(fs::path(SAMPLE_DOCUMENTATION) / "Podrecznik.pdf"));
    EXPECT_EQ(found[0].Snippet.Marked("[", "]").toStdString(),
              "[Straty] [ciepła] The heat loss of a room is the sum of its transmission and "
              "ventilation losses. Page 4");
}

TEST_F(Manual, EveryPolishLetterFoldsInTextAndQueryAlike)
{
    PutDoc("polskie.pdf", "polskie.pdf");
    objects::TObjectCollection catalogue;
    catalogue.Insert(Entry(0, "Polskie litery", ":polskie.pdf"));
    const TManualEntries entries(Doc(catalogue));
    Refresh(entries);
    struct TCase {
        const char* Query;
        int Page;
    };
    for (const TCase& c : {TCase{"zolty", 1},
                           {"ŻÓŁTY", 1},
                           {"Żółty", 1},
                           {"lazience", 1},
                           {"zaleza", 1},
                           {"scian", 1},
                           {"zrodlo", 2},
                           {"ŹRÓDŁO", 2},
                           {"ges", 2},
                           {"cma", 2},
                           {"kon", 2},
                           {"swieca", 2},
                           {"zdzblo", 2},
                           {"maka", 2},
                           {"kociol", 2},
                           {"wstepna", 3},
                           {"montazowe", 3},
                           {"zaworow", 3},
                           {"Ciepło", 1}}) {
        const std::vector<TSearchResult> found = Search(entries, c.Query);
        ASSERT_FALSE(found.empty()) << c.Query;
        EXPECT_EQ(found[0].Page, c.Page) << c.Query;
        EXPECT_EQ(found[0].Entry->Caption, QStringLiteral("Polskie litery"));
        EXPECT_FALSE(found[0].Snippet.Marks.empty()) << c.Query;
    }
    // "ciepla" is on the first two pages; the page where it stands twice comes first.
    std::vector<TSearchResult> found = Search(entries, "ciepla");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Page, 2);
    EXPECT_EQ(found[1].Page, 1);
    EXPECT_EQ(found[0].Snippet.Marks.size(), 2u);
    EXPECT_EQ(Search(entries, "\"pompa ciepła\"").size(), 1u);
    EXPECT_EQ(Search(entries, "\"grzejnikow i nast\"*").size(), 1u);
    EXPECT_EQ(Search(entries, "\"ciepla pompa\"").size(), 0u);
}

TEST_F(Manual, AHitBelongsToTheNearestEntryOfItsFileAtOrBeforeIt)
{
    PutDoc("rozdzialy.pdf", "rozdzialy.pdf");
    PutDoc("polskie.pdf", "ukryty.pdf");
    PutDoc("zmiana-a.pdf", "Katalog/osobny.pdf");
    objects::TObjectCollection catalogue;
    catalogue.Insert(Entry(0, "Rury", ":rozdzialy.pdf", "2"));
    catalogue.Insert(Entry(1, "Rury, ciąg dalszy", ":rozdzialy.pdf", "2-3"));  // same page
    catalogue.Insert(Entry(0, "Grzejniki", ":rozdzialy.pdf", "4"));
    catalogue.Insert(Entry(0, "Notatki", ":ukryty.pdf", "1", false));  // named by no shown entry
    catalogue.Insert(Entry(0, "Osobny", ":Katalog\\osobny.pdf"));
    const TManualEntries entries(Doc(catalogue));
    EXPECT_EQ(entries.Files().size(), 2);
    Refresh(entries);

    EXPECT_EQ(Places(entries, "alfa"), (std::vector<std::string>{"Rury p.1"}));  // before all
    EXPECT_EQ(Places(entries, "beta"), (std::vector<std::string>{"Rury p.2"}));
    EXPECT_EQ(Places(entries, "gamma"), (std::vector<std::string>{"Rury p.3"}));
    EXPECT_EQ(Places(entries, "delta"), (std::vector<std::string>{"Grzejniki p.4"}));
    EXPECT_EQ(Places(entries, "dzeta"), (std::vector<std::string>{"Grzejniki p.6"}));
    EXPECT_EQ(Places(entries, "wspolne").size(), 6u);
    EXPECT_TRUE(Places(entries, "zrodlo").empty());  // only in the hidden entry's file
    EXPECT_EQ(Places(entries, "kondensacyjny"), (std::vector<std::string>{"Osobny p.1"}));

    // The entry itself: its record in the catalogue.
    const std::vector<TSearchResult> found = Search(entries, "delta");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Entry->Index, 2);
    EXPECT_EQ(found[0].Entry->Item, catalogue.ItemAt(2));
}

TEST_F(Manual, EntryRulesForPagesTiesAndExpressions)
{
    objects::TObjectCollection catalogue;
    catalogue.Insert(Entry(0, "Druga", ":a.pdf", "5"));
    catalogue.Insert(Entry(0, "Pierwsza", ":a.pdf", "2"));
    catalogue.Insert(Entry(1, "Też pierwsza", ":a.pdf", "2"));
    catalogue.Insert(Entry(0, "Wyrażenie", ":b.pdf", "-1"));
    catalogue.Insert(Entry(0, "<Ukryty>", ":c.pdf"));
    catalogue.Insert(Entry(0, "", ":d.pdf"));
    const TManualEntries entries(Doc(catalogue));
    const QString a = test::KeyOf(Docs() / "a.pdf");
    auto caption = [&](const QString& File, int Page) {
        const docviewer::TManualEntry* e = entries.EntryFor(File, Page);
        return e ? e->Caption.toStdString() : std::string("none");
    };
    EXPECT_EQ(caption(a, 1), "Pierwsza");  // before every entry: the first of the file
    EXPECT_EQ(caption(a, 3), "Pierwsza");  // of two at one page, the first in the table
    EXPECT_EQ(caption(a, 5), "Druga");
    EXPECT_EQ(caption(a, 500), "Druga");
    EXPECT_EQ(caption(test::KeyOf(Docs() / "b.pdf"), 7), "Wyrażenie");
    EXPECT_EQ(caption(test::KeyOf(Docs() / "c.pdf"), 1), "none");
    EXPECT_EQ(caption(test::KeyOf(Docs() / "d.pdf"), 1), "none");
    EXPECT_EQ(caption(QStringLiteral("/elsewhere.pdf"), 1), "none");
    EXPECT_EQ(entries.Files().size(), 2);
}

TEST_F(Manual, AChangedDocumentIsIndexedAgainAnUnchangedOneIsNot)
{
    const fs::path doc = PutDoc("zmiana-a.pdf", "zmiana.pdf");
    objects::TObjectCollection catalogue;
    catalogue.Insert(Entry(0, "Zmiana", ":zmiana.pdf"));
    const TManualEntries entries(Doc(catalogue));
    EXPECT_EQ(Refresh(entries).Indexed, 1);
    EXPECT_EQ(Search(entries, "kociol").size(), 1u);

    const docviewer::TRefreshReport same = Refresh(entries);
    EXPECT_EQ(same.Unchanged, 1);
    EXPECT_EQ(same.Indexed, 0);

    PutDoc("zmiana-b.pdf", "zmiana.pdf");
    const docviewer::TRefreshReport changed = Refresh(entries);
    EXPECT_EQ(changed.Indexed, 1);
    EXPECT_EQ(Search(entries, "kociol").size(), 0u);
    EXPECT_EQ(Search(entries, "\"pompa ciepla\"").size(), 1u);
    EXPECT_EQ(Search(entries, "uzytkowej").size(), 1u);
}

TEST_F(Manual, ADocumentThatIsNoPdfIsReportedAndTheOthersIndexed)
{
    test::WriteFile(Docs() / "zepsuty.pdf", "%PDF-1.4\nthis is no document\n");
    PutDoc("zmiana-a.pdf", "dobry.pdf");
    objects::TObjectCollection catalogue;
    catalogue.Insert(Entry(0, "Zepsuty", ":zepsuty.pdf"));
    catalogue.Insert(Entry(0, "Dobry", ":dobry.pdf"));
    catalogue.Insert(Entry(0, "Brak", ":brak.pdf"));
    const TManualEntries entries(Doc(catalogue));
    std::vector<docviewer::TIndexEvent> events;
    docviewer::TRefreshCallbacks callbacks;
    callbacks.Event = [&](const docviewer::TIndexEvent& E) { events.push_back(E); };
    TManualIndex index(IndexFile());
    std::atomic<bool> stop{false};
    const docviewer::TRefreshReport report =
        docviewer::RefreshIndex(index, entries.Files(), RealSource(), callbacks, stop);
    EXPECT_EQ(report.Unreadable, 1);
    EXPECT_EQ(report.Indexed, 1);
    EXPECT_EQ(report.Missing, 1);
    ASSERT_EQ(events.size(), 3u);
    ASSERT_EQ(report.Unsearchable.size(), 2u);
    EXPECT_EQ(report.Unsearchable[0].File, test::KeyOf(Docs() / "zepsuty.pdf"));
    EXPECT_EQ(report.Unsearchable[1].File, test::KeyOf(Docs() / "brak.pdf"));
    EXPECT_EQ(report.Unsearchable[1].Kind, docviewer::TIndexEvent::ieMissing);
    EXPECT_EQ(events[0].Kind, docviewer::TIndexEvent::ieUnreadable);
    EXPECT_EQ(events[0].Error, QStringLiteral("the file is damaged or is not a PDF document."));
    EXPECT_EQ(events[2].Kind, docviewer::TIndexEvent::ieMissing);
}

TEST_F(Manual, WithoutTheReaderComponentIndexingSaysWhy)
{
    ::setenv("TAVO_PLUGIN_PATH", (test::TestFolder() / "none").c_str(), 1);
    platform::TComponentRegistry::Instance().Rescan();
    try {
        docviewer::CreateTextSource();
        if (platform::TComponentRegistry::Instance().IsRegistered(platform::kPdfTextSourceClassId))
            GTEST_SKIP() << "a reader component is installed for this user";
        FAIL() << "no component, yet a source";
    } catch (const docviewer::EManualIndex& Error) {
        // Plain words: what is missing, where it was looked for, how to name another place.
        EXPECT_TRUE(Error.Text().startsWith(QStringLiteral("The PDF reader component is missing")))
            << Error.Text().toStdString();
        EXPECT_TRUE(
            Error.Text().contains(QString::fromStdString((test::TestFolder() / "none").string())));
        EXPECT_TRUE(Error.Text().contains(QStringLiteral("TAVO_PLUGIN_PATH")));
        EXPECT_FALSE(Error.Text().contains(QStringLiteral("Class not registered")));
    }
}

TEST_F(Manual, EntriesThatNameOnlyADestinationOwnTheirPages)
{
    PutDoc("cele.pdf", "cele.pdf");
    objects::TObjectCollection catalogue;
    catalogue.Insert(Entry(0, "Wstęp", ":cele.pdf", "1"));
    catalogue.Insert(Entry(0, "Rozdział A", ":cele.pdf"));
    static_cast<catalogue::TDocItem0*>(catalogue.ItemAt(1))->SetDestination("rozdzial-a");
    catalogue.Insert(Entry(0, "Rozdział B", ":cele.pdf", "5"));
    catalogue.Insert(Entry(0, "Rozdział C", ":cele.pdf"));
    static_cast<catalogue::TDocItem0*>(catalogue.ItemAt(3))->SetDestination("rozdzial-c");
    catalogue.Insert(Entry(0, "Nieznany cel", ":cele.pdf", "2"));  // falls back to its page
    static_cast<catalogue::TDocItem0*>(catalogue.ItemAt(4))->SetDestination("nie-ma");
    const TManualEntries entries(Doc(catalogue));
    const QString file = test::KeyOf(Docs() / "cele.pdf");
    EXPECT_EQ(entries.Destinations().value(file),
              (QStringList{"rozdzial-a", "rozdzial-c", "nie-ma"}));
    Refresh(entries);
    {
        TManualIndex index(IndexFile(), TManualIndex::ocNone);
        const docviewer::TDestinationPages pages = index.Destinations(file);
        EXPECT_EQ(pages.value("rozdzial-a"), 3);
        EXPECT_EQ(pages.value("rozdzial-c"), 8);
        EXPECT_EQ(pages.value("nie-ma", -1), 0);
    }
    std::map<int, std::string> byPage;
    for (const TSearchResult& r : Search(entries, "grzejnik"))
        byPage[r.Page] = r.Entry->Caption.toStdString();
    EXPECT_EQ(byPage, (std::map<int, std::string>{{1, "Wstęp"},
                                                  {2, "Nieznany cel"},
                                                  {3, "Rozdział A"},
                                                  {4, "Rozdział A"},
                                                  {5, "Rozdział B"},
                                                  {6, "Rozdział B"},
                                                  {7, "Rozdział B"},
                                                  {8, "Rozdział C"},
                                                  {9, "Rozdział C"},
                                                  {10, "Rozdział C"}}));
}

TEST_F(Manual, ADestinationNewToTheCatalogueIsLookedUpWithoutReadingTheTextAgain)
{
    PutDoc("cele.pdf", "cele.pdf");
    objects::TObjectCollection catalogue;
    catalogue.Insert(Entry(0, "Wstęp", ":cele.pdf", "1"));
    const TManualEntries before(Doc(catalogue));
    EXPECT_EQ(Refresh(before).Indexed, 1);
    catalogue.Insert(Entry(0, "Rozdział C", ":cele.pdf"));
    static_cast<catalogue::TDocItem0*>(catalogue.ItemAt(1))->SetDestination("rozdzial-c");
    const TManualEntries after(Doc(catalogue));
    const docviewer::TRefreshReport report = Refresh(after);
    EXPECT_EQ(report.Unchanged, 1);
    EXPECT_EQ(Places(after, "\"stronie 9\""), (std::vector<std::string>{"Rozdział C p.9"}));
}

TEST_F(Manual, EveryHitIsMarkedOnThePageTheReaderShows)
{
    const fs::path doc = PutDoc("litery.pdf", "litery.pdf");
    objects::TObjectCollection catalogue;
    catalogue.Insert(Entry(0, "Litery", ":litery.pdf", "1"));
    const TManualEntries entries(Doc(catalogue));
    Refresh(entries);

    std::unique_ptr<QObject> created(
        platform::TComponentRegistry::Instance().Create(platform::kPdfReaderClassId, nullptr));
    auto* reader = qobject_cast<QWidget*>(created.get());
    auto* shim = qobject_cast<platform::IAcroAXDocShim*>(created.get());
    auto* view = qobject_cast<platform::IPdfView*>(created.get());
    ASSERT_TRUE(reader && shim && view);
    reader->resize(600, 800);
    bool loaded = false;
    ASSERT_EQ(shim->LoadFile(QString::fromStdString(doc.string()), &loaded), platform::kStatusOk);
    ASSERT_TRUE(loaded);

    struct TCase {
        const char* Query;
        std::vector<int> Pages;
    };
    for (const TCase& c : {TCase{"dobór", {1}},  // accents drawn apart from the letters
                           {"DOBOR", {1}},
                           {"filtrow", {2}},    // the ligature "fi"
                           {"filtr*", {2, 3}},  // and full-width letters
                           {"ＦＩＬＴＲ", {3}},
                           {"𐐼𐐯𐑅𐐨𐑉𐐯𐐻", {4}},   // outside the BMP, in the other case
                           {"grzejnik", {4}},  // mathematical bold letters
                           {"grzejnik*", {1, 4}},
                           {"zawór", {5}},  // an enclosing mark
                           {"lodz", {6}},
                           {"\"CIEPLA woda\"", {6}}}) {
        const docviewer::TSearchQuery query = ParseSearchQuery(QString::fromUtf8(c.Query));
        std::vector<int> pages;
        for (const TSearchResult& r : Search(entries, c.Query)) {
            pages.push_back(r.Page);
            view->MarkWords(r.Page, query.MarkWords());
            EXPECT_GT(reader->property("markCount").toInt(), 0) << c.Query << " on page " << r.Page;
        }
        std::sort(pages.begin(), pages.end());
        EXPECT_EQ(pages, c.Pages) << c.Query;
    }
}

}  // namespace
