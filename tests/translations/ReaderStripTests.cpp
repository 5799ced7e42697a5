// The reader component's strip in Polish: its buttons' names, which a screen reader reads,
// come through the translators installed by the shell.
#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include "PdfReader.h"
#include "ReaderStrings.h"
#include "platform/Translations.h"

using namespace tavo::platform;

namespace {

QString NameOf(QWidget& Reader, const char* Child)
{
    auto* widget = Reader.findChild<QWidget*>(QString::fromLatin1(Child));
    return widget ? widget->accessibleName() : QStringLiteral("<missing %1>").arg(Child);
}

}  // namespace

TEST(ReaderStrip, ButtonsAreNamedInTheInstalledLanguage)
{
    ASSERT_EQ(InstallTranslations(TUiLanguage::Polish, {QStringLiteral(TRANSLATIONS_DIR)}),
              TUiLanguage::Polish);
    {
        tavo::pdfreader::TPdfReader reader;
        EXPECT_EQ(NameOf(reader, "ZoomInButton"), QStringLiteral("Powiększ"));
        EXPECT_EQ(NameOf(reader, "ZoomOutButton"), QStringLiteral("Pomniejsz"));
        EXPECT_EQ(NameOf(reader, "FitWidthButton"), QStringLiteral("Dopasuj do szerokości"));
        EXPECT_EQ(NameOf(reader, "FindNextButton"), QStringLiteral("Znajdź następny"));
        EXPECT_EQ(NameOf(reader, "FindField"), QStringLiteral("Szukany tekst"));
        EXPECT_EQ(NameOf(reader, "ReaderStrip"), QStringLiteral("Narzędzia dokumentu"));
    }
    RemoveTranslations();
    tavo::pdfreader::TPdfReader reader;
    EXPECT_EQ(NameOf(reader, "ZoomInButton"), QStringLiteral("Zoom in"));
    EXPECT_EQ(NameOf(reader, "ReaderStrip"), QStringLiteral("Document tools"));
}

TEST(ReaderStrip, ThePageCountTakesThePluralOfEitherLanguage)
{
    using tavo::pdfreader::texts::PageOfDescription;
    EXPECT_EQ(PageOfDescription(1), QStringLiteral("of 1 page"));
    EXPECT_EQ(PageOfDescription(4), QStringLiteral("of 4 pages"));
    ASSERT_EQ(InstallTranslations(TUiLanguage::Polish, {QStringLiteral(TRANSLATIONS_DIR)}),
              TUiLanguage::Polish);
    EXPECT_EQ(PageOfDescription(1), QStringLiteral("z 1 strony"));
    EXPECT_EQ(PageOfDescription(3), QStringLiteral("z 3 stron"));
    EXPECT_EQ(PageOfDescription(22), QStringLiteral("z 22 stron"));
    RemoveTranslations();
}
