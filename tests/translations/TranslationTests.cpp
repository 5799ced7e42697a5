// The language chosen from the locale variables, the Polish file loaded from a folder, and
// the texts that go through it: the numbered string table (in Windows-1250, numbers
// unchanged), the windows' tr() texts and the counted words with Polish plural forms.
#include <QCoreApplication>
#include <QMap>
#include <gtest/gtest.h>

#include "docviewer/search/SearchStrings.h"
#include "platform/AnsiText.h"
#include "platform/StringTable.h"
#include "platform/Translations.h"

using namespace tavo::platform;

namespace {

TUiLanguage LanguageOf(const QMap<QString, QString>& Environment)
{
    return LanguageFromEnvironment(
        [&](const char* Name) { return Environment.value(QString::fromLatin1(Name)); });
}

class PolishInstalled : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(InstallTranslations(TUiLanguage::Polish, {QStringLiteral(TRANSLATIONS_DIR)}),
                  TUiLanguage::Polish);
    }
    void TearDown() override { RemoveTranslations(); }
};

}  // namespace

TEST(UiLanguage, FollowsTheLocaleVariablesAsGettextDoes)
{
    using L = TUiLanguage;
    EXPECT_EQ(LanguageOf({}), L::English);
    EXPECT_EQ(LanguageOf({{"LANG", "pl_PL.UTF-8"}}), L::Polish);
    EXPECT_EQ(LanguageOf({{"LANG", "pl_PL@euro"}}), L::Polish);
    EXPECT_EQ(LanguageOf({{"LANG", "pl"}}), L::Polish);
    EXPECT_EQ(LanguageOf({{"LANG", "de_DE.UTF-8"}}), L::English);
    EXPECT_EQ(LanguageOf({{"LANG", "en_GB.UTF-8"}}), L::English);
    EXPECT_EQ(LanguageOf({{"LANG", "C.UTF-8"}}), L::English);
    // The first variable set names the locale; an empty one counts as unset.
    EXPECT_EQ(LanguageOf({{"LC_ALL", "C"}, {"LANG", "pl_PL.UTF-8"}}), L::English);
    EXPECT_EQ(LanguageOf({{"LC_ALL", ""}, {"LC_MESSAGES", "pl_PL.UTF-8"}, {"LANG", "en_US"}}),
              L::Polish);
    EXPECT_EQ(LanguageOf({{"LC_MESSAGES", "POSIX"}, {"LANG", "pl_PL.UTF-8"}}), L::English);
    // LANGUAGE's list, first language we have wins; a C locale ignores it.
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "pl"}, {"LANG", "en_US.UTF-8"}}), L::Polish);
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "en:pl"}, {"LANG", "pl_PL.UTF-8"}}), L::English);
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "de:pl"}, {"LANG", "de_DE.UTF-8"}}), L::Polish);
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "::pl_PL"}, {"LANG", "en_US.UTF-8"}}), L::Polish);
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "de:fr"}, {"LANG", "pl_PL.UTF-8"}}), L::Polish);
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "pl"}, {"LANG", "C"}}), L::English);
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "pl"}}), L::English);
}

TEST(UiLanguage, EnglishWhenThePolishFileIsMissing)
{
    EXPECT_EQ(InstallTranslations(TUiLanguage::Polish, {QStringLiteral("/nonexistent")}),
              TUiLanguage::English);
    EXPECT_EQ(LoadStr(501), "Tavo C.H. - Error");
    RemoveTranslations();
}

TEST_F(PolishInstalled, NumberedStringsComeInPolishUnderTheirNumbers)
{
    // Windows-1250: "ł" is 0xB3.
    EXPECT_EQ(LoadStr(501), "Tavo C.H. - B\xB3\xB9"
                            "d");
    EXPECT_EQ(FromAnsi(LoadStr(10870)), QStringLiteral("Szukaj w podręczniku"));
    EXPECT_EQ(LoadStr(10596), "www.tervik.example.com");
    // A number missing from the table still loads as the empty text.
    EXPECT_EQ(LoadStr(1), "");
    RemoveTranslations();
    EXPECT_EQ(LoadStr(501), "Tavo C.H. - Error");
}

TEST_F(PolishInstalled, WindowTextsAndQtsOwnButtons)
{
    EXPECT_EQ(QCoreApplication::translate("tavo::shell::TF_Main", "Manual"),
              QStringLiteral("Podręcznik"));
    EXPECT_EQ(QCoreApplication::translate("tavo::pdfreader::texts", "Fit width"),
              QStringLiteral("Dopasuj do szerokości"));
    // Qt's own file, for the standard dialogs' buttons.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Anuluj"));
}

TEST_F(PolishInstalled, CountedWordsTakeThePolishPluralForms)
{
    using tavo::docviewer::cntDocuments;
    using tavo::docviewer::CountText;
    EXPECT_EQ(CountText(cntDocuments, 1), QStringLiteral("1 dokument"));
    for (int n : {2, 3, 4, 22, 24, 102})
        EXPECT_EQ(CountText(cntDocuments, n), QStringLiteral("%1 dokumenty").arg(n)) << n;
    for (int n : {0, 5, 11, 12, 14, 21, 25, 112})
        EXPECT_EQ(CountText(cntDocuments, n), QStringLiteral("%1 dokumentów").arg(n)) << n;
    EXPECT_EQ(CountText(tavo::docviewer::cntPages, 3), QStringLiteral("3 strony"));
}

TEST(EnglishCounts, ComeFromTheStringTable)
{
    using tavo::docviewer::CountText;
    EXPECT_EQ(CountText(tavo::docviewer::cntDocuments, 1), QStringLiteral("1 document"));
    EXPECT_EQ(CountText(tavo::docviewer::cntDocuments, 2), QStringLiteral("2 documents"));
    EXPECT_EQ(CountText(tavo::docviewer::cntResults, 5), QStringLiteral("5 results"));
}
