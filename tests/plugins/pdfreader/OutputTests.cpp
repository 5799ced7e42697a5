// What leaves the reader: a range printed to a PDF file keeps exactly those pages and their
// text, a print can be cancelled, a copy is saved (never over the document), the document
// goes to the desktop's viewer; and the zoom modes hold as the view is resized.
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include "PageView.h"
#include "PdfReader.h"
#include "ReaderOutput.h"

namespace tavo::pdfreader {
namespace {

using platform::TPdfZoomMode;

QString Doc(const char* Name)
{
    return QStringLiteral(TEST_DOCS "/") + QString::fromLatin1(Name);
}

QString RunTool(const QString& Program, const QStringList& Args)
{
    QProcess process;
    process.start(Program, Args);
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& File)
{
    const QString info = RunTool(QStringLiteral("pdfinfo"), {File});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// Words only: the printed page may break lines elsewhere.
QString Words(const QString& Text)
{
    return Text.simplified();
}

class ReaderOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Reader.resize(640, 520);
        Reader.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Reader));
        TReaderDialogs seams;
        seams.ShowError = [this](QWidget*, const QString& Text) { Errors << Text; };
        seams.OpenUrl = [this](const QUrl& Url) {
            Opened << Url;
            return OpenResult;
        };
        seams.AskSaveAs = [this](QWidget*, const QString& Proposed) {
            Proposals << Proposed;
            return SaveAs;
        };
        seams.ChoosePrinter = [this](QWidget*, QPrinter& Printer, int Count, int) {
            Printer.setOutputFormat(QPrinter::PdfFormat);
            Printer.setOutputFileName(Dir.filePath(QStringLiteral("printed.pdf")));
            Printer.setPrintRange(Range);
            if (Range == QPrinter::PageRange)
                Printer.setFromTo(From, To);
            PageCounts << Count;
            return true;
        };
        Previous = SetReaderDialogs(seams);
    }
    void TearDown() override { SetReaderDialogs(Previous); }

    bool PrintAndWait(bool* Ok)
    {
        QSignalSpy done(&Reader, &TPdfReader::printFinished);
        Reader.Print();
        if (!done.wait(60000))
            return false;
        *Ok = done.first().first().toBool();
        return true;
    }

    QTemporaryDir Dir;
    TPdfReader Reader;
    TReaderDialogs Previous;
    QStringList Errors;
    QList<QUrl> Opened;
    bool OpenResult = true;
    QStringList Proposals;
    QString SaveAs;
    QList<int> PageCounts;
    QPrinter::PrintRange Range = QPrinter::AllPages;
    int From = 0;
    int To = 0;
};

TEST_F(ReaderOutput, PrintsARangeToAPdfFileWithThosePagesAndTheirText)
{
    ASSERT_TRUE(Reader.Load(Doc("three-pages.pdf")));
    Range = QPrinter::PageRange;
    From = 2;
    To = 3;
    bool ok = false;
    ASSERT_TRUE(PrintAndWait(&ok));
    EXPECT_TRUE(ok);
    EXPECT_EQ(PageCounts, QList<int>({3}));
    const QString printed = Dir.filePath(QStringLiteral("printed.pdf"));
    EXPECT_EQ(PdfPages(printed), 2);
    const QString expected = Words(
        RunTool(QStringLiteral("pdftotext"), {"-f", "2", "-l", "3", Doc("three-pages.pdf"), "-"}));
    ASSERT_FALSE(expected.isEmpty());
    const QString text = Words(RunTool(QStringLiteral("pdftotext"), {printed, "-"}));
    EXPECT_EQ(text.toStdString(), expected.toStdString());
    EXPECT_FALSE(text.contains(QLatin1String("transmission"))) << "page 1 was not asked for";
    EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(ReaderOutput, PrintsTheCurrentPageOnly)
{
    ASSERT_TRUE(Reader.Load(Doc("three-pages.pdf")));
    Reader.ShowPage(3);
    Range = QPrinter::CurrentPage;
    bool ok = false;
    ASSERT_TRUE(PrintAndWait(&ok));
    EXPECT_TRUE(ok);
    const QString printed = Dir.filePath(QStringLiteral("printed.pdf"));
    EXPECT_EQ(PdfPages(printed), 1);
    EXPECT_TRUE(
        RunTool(QStringLiteral("pdftotext"), {printed, "-"}).contains(QLatin1String("Pipe")));
}

TEST_F(ReaderOutput, ALongPrintShowsProgressAndCancels)
{
    ASSERT_TRUE(Reader.Load(Doc("thousand.pdf")));
    QSignalSpy done(&Reader, &TPdfReader::printFinished);
    Reader.Print();
    auto* progress = Reader.findChild<QProgressDialog*>(QStringLiteral("PrintProgress"));
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->isModal()) << "printing never blocks the window";
    // Some pages go out first, and the window answers meanwhile.
    QTRY_VERIFY_WITH_TIMEOUT(progress->value() >= 2, 20000);
    auto* cancel = progress->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    ASSERT_TRUE(done.wait(20000));
    EXPECT_FALSE(done.first().first().toBool());
    EXPECT_TRUE(Errors.isEmpty()) << "a cancel is no error";
}

TEST_F(ReaderOutput, SavesACopyButNeverOverTheDocument)
{
    const QString original = Dir.filePath(QStringLiteral("manual.pdf"));
    ASSERT_TRUE(QFile::copy(Doc("three-pages.pdf"), original));
    ASSERT_TRUE(Reader.Load(original));

    SaveAs = Dir.filePath(QStringLiteral("copies/kept.pdf"));
    ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("copies")));
    Reader.SaveCopy();
    ASSERT_EQ(Proposals.size(), 1);
    EXPECT_TRUE(Proposals.first().endsWith(QLatin1String("/manual.pdf")));
    QFile copy(SaveAs);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    QFile source(original);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), source.readAll());
    EXPECT_TRUE(Errors.isEmpty());

    // The same file under another spelling of its path.
    const qint64 size = QFileInfo(original).size();
    SaveAs = Dir.filePath(QStringLiteral("copies/../manual.pdf"));
    Reader.SaveCopy();
    ASSERT_EQ(Errors.size(), 1);
    EXPECT_EQ(QFileInfo(original).size(), size);

    // A folder that does not exist: an error naming the file, nothing written.
    SaveAs = Dir.filePath(QStringLiteral("missing/kept.pdf"));
    Reader.SaveCopy();
    ASSERT_EQ(Errors.size(), 2);
    EXPECT_TRUE(Errors.last().contains(QLatin1String("kept.pdf")));

    // Cancelled: nothing happens.
    SaveAs.clear();
    Reader.SaveCopy();
    EXPECT_EQ(Errors.size(), 2);
}

TEST_F(ReaderOutput, OpensTheDocumentInTheDesktopsViewer)
{
    ASSERT_TRUE(Reader.Load(Doc("three-pages.pdf")));
    Reader.OpenExternally();
    ASSERT_EQ(Opened.size(), 1);
    EXPECT_EQ(Opened.first(), QUrl::fromLocalFile(Doc("three-pages.pdf")));
    OpenResult = false;
    Reader.OpenExternally();
    EXPECT_EQ(Errors.size(), 1) << "no program took it";
}

TEST_F(ReaderOutput, ZoomModesHoldAsTheViewIsResized)
{
    ASSERT_TRUE(Reader.Load(Doc("three-pages.pdf")));
    QSignalSpy chosen(&Reader, &TPdfReader::zoomModeChosen);
    QAction* fitPage = Reader.findChild<QAction*>(QStringLiteral("FitPage"));
    ASSERT_NE(fitPage, nullptr);
    fitPage->trigger();
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.first().first().toInt(), int(TPdfZoomMode::zmFitPage));
    const double small = Reader.Zoom();
    Reader.resize(900, 1000);
    QTest::qWait(50);
    EXPECT_EQ(Reader.ZoomMode(), TPdfZoomMode::zmFitPage);
    EXPECT_GT(Reader.Zoom(), small) << "a taller view fits a larger page";

    Reader.findChild<QAction*>(QStringLiteral("ActualSize"))->trigger();
    Reader.resize(500, 400);
    QTest::qWait(50);
    EXPECT_DOUBLE_EQ(Reader.Zoom(), 1.0);

    Reader.findChild<QAction*>(QStringLiteral("ZoomIn"))->trigger();
    EXPECT_EQ(Reader.ZoomMode(), TPdfZoomMode::zmCustom);
    EXPECT_EQ(chosen.size(), 2) << "stepping the zoom is no mode to keep";
    EXPECT_FALSE(Reader.findChild<QAction*>(QStringLiteral("ActualSize"))->isChecked());
}

}  // namespace
}  // namespace tavo::pdfreader
