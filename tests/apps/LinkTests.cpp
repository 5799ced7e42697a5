// Start-up never pays for the components: the programs load neither the web engine nor
// Poppler; those arrive with their plugins, on first use.
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QString Libraries(const QString& Program)
{
    QProcess ldd;
    ldd.start("ldd", {Program});
    EXPECT_TRUE(ldd.waitForFinished(30000));
    EXPECT_EQ(ldd.exitCode(), 0) << Program.toStdString();
    return QString::fromUtf8(ldd.readAllStandardOutput());
}

TEST(Programs, LoadNoComponentEngineAtStartUp)
{
    for (const char* program : {TAVO_SHELL, TAVO_CATALOGUE}) {
        const QString libraries = Libraries(program);
        SCOPED_TRACE(program);
        EXPECT_FALSE(libraries.contains("WebEngine")) << libraries.toStdString();
        EXPECT_FALSE(libraries.contains("poppler")) << libraries.toStdString();
    }
    EXPECT_TRUE(Libraries(TAVO_SHELL).contains("libQt6Widgets"));
    // The components themselves do link them.
    EXPECT_TRUE(Libraries(TAVO_BROWSER_PLUGIN).contains("libQt6WebEngineCore"));
    EXPECT_TRUE(Libraries(TAVO_READER_PLUGIN).contains("libpoppler-qt6"));
}

// The catalogue tool shows no window: it runs where no desktop is installed, so neither it
// nor the catalogue, the search and the libraries below them bring in the widgets.
TEST(Programs, TheCatalogueToolNeedsNoWidgets)
{
    const QString libraries = Libraries(TAVO_CATALOGUE);
    EXPECT_FALSE(libraries.contains("libQt6Widgets")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("libQt6Gui")) << libraries.toStdString();
    EXPECT_TRUE(libraries.contains("libQt6Sql")) << "the manual's index";
}

}  // namespace
