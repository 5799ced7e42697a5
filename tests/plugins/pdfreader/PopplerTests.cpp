// The PDF renderer, proven on this machine with a document generated at build time.
#include <QImage>
#include <gtest/gtest.h>
#include <memory>
#include <poppler-qt6.h>

TEST(Poppler, RendersAGeneratedDocumentAndResolvesItsDestination)
{
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(QStringLiteral(TEST_PDF));
    ASSERT_NE(doc, nullptr);
    ASSERT_FALSE(doc->isLocked());
    EXPECT_EQ(doc->numPages(), 3);

    std::unique_ptr<Poppler::Page> page = doc->page(0);
    ASSERT_NE(page, nullptr);
    QImage image = page->renderToImage(48, 48);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), qRound(595 * 48 / 72.0));
    // The navy band at the top of the page and white paper below it.
    QColor band = image.pixelColor(image.width() / 2, 5);
    EXPECT_LT(band.red(), 40);
    EXPECT_GT(band.blue(), band.red());
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() - 60), QColor(Qt::white));

    std::unique_ptr<Poppler::LinkDestination> dest = doc->linkDestination(QStringLiteral("ch2"));
    ASSERT_NE(dest, nullptr);
    EXPECT_EQ(dest->pageNumber(), 2);
    EXPECT_NEAR(dest->top(), 144.0 / 842.0, 0.01);  // where the description put it
    Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
    std::unique_ptr<Poppler::LinkDestination> none =
        doc->linkDestination(QStringLiteral("nowhere"));
    EXPECT_TRUE(none == nullptr || none->pageNumber() == 0);
}
