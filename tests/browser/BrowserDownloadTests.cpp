// Downloads on the real engine: saved byte for byte under the name the user chose, never
// over a file without asking, cancelled without leftovers, and failures said with why.
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QStandardPaths>
#include <QToolButton>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "BrowserFeatureFixture.h"
#include "TestEnvironment.h"
#include "browser/BrowserDialogs.h"
#include "browser/BrowserDownloads.h"

using namespace tavo;
using namespace tavo::test;

namespace {

// Answers the save dialog with the paths given, one a call (empty when they run out),
// recording what it was offered.
class SaveAnswers {
public:
    explicit SaveAnswers(QStringList Paths) : FPaths(std::move(Paths))
    {
        FPrevious = browser::SetSaveAsDialog([this](QWidget*, const QString& proposed) {
            Offered << proposed;
            return FPaths.isEmpty() ? QString() : FPaths.takeFirst();
        });
    }
    ~SaveAnswers() { browser::SetSaveAsDialog(FPrevious); }
    QStringList Offered;

private:
    QStringList FPaths;
    browser::TSaveAsDialog FPrevious;
};

QByteArray Read(const QString& Path)
{
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Says(const tools::TMessageBoxRequest& Box, const char* Words)
{
    return Box.Text.find(Words) != std::string::npos;
}

// A folder nobody may write in, root included: immutable where root runs the tests.
class UnwritableFolder {
public:
    explicit UnwritableFolder(const QString& Path) : FPath(Path)
    {
        QDir().mkpath(Path);
        if (::geteuid() == 0) {
            int fd = ::open(QFile::encodeName(Path).constData(), O_RDONLY | O_DIRECTORY);
            int flags = 0;
            if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags |= FS_IMMUTABLE_FL;
                FImmutable = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
            }
            if (fd >= 0)
                ::close(fd);
        } else {
            QFile::setPermissions(Path, QFile::ReadOwner | QFile::ExeOwner);
        }
    }
    ~UnwritableFolder()
    {
        int fd = ::open(QFile::encodeName(FPath).constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (FImmutable && fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            ::close(fd);
        QFile::setPermissions(FPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // False where the file system has no such flag for root.
    bool Refuses() const
    {
        QFile probe(FPath + QStringLiteral("/probe"));
        bool wrote = probe.open(QIODevice::WriteOnly);
        if (wrote)
            probe.remove();
        return !wrote;
    }

private:
    QString FPath;
    bool FImmutable = false;
};

}  // namespace

TEST_F(WebTab, AnAttachmentIsSavedByteForByteAndAFileThereIsReplacedOnlyWhenTheUserSays)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString first = folder + "/report.bin";
    {
        SaveAnswers answers({first});
        RecordedMessages boxes(tools::IDCANCEL);
        Open(Url("/downloads"));
        ClickElement("a");
        ASSERT_TRUE(WaitFor([&] { return !boxes.Shown.empty(); }, LoadTimeout));
        // Offered in the user's download folder, under the server's name.
        EXPECT_EQ(answers.Offered, QStringList{first});
        EXPECT_TRUE(Says(boxes.Shown[0], "has been saved")) << boxes.Shown[0].Text;
        EXPECT_EQ(boxes.Shown[0].Flags & 0x0F, tools::MB_YESNOCANCEL);
        EXPECT_EQ(Read(first), ScriptedSite::Attachment());
        EXPECT_TRUE(Status().startsWith("Saved ")) << qPrintable(Status());
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"report.bin"});
    }
    // Already there: "No" asks again, and the second name is taken; the old file stays.
    QFile::remove(first);
    {
        QFile old(first);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the user's own file");
    }
    const QString second = folder + "/report-2.bin";
    {
        SaveAnswers answers({first, second});
        RecordedMessages boxes;
        boxes.AnswerFor = [](const tools::TMessageBoxRequest& box) {
            return Says(box, "already exists") ? tools::IDNO : tools::IDCANCEL;
        };
        ClickElement("a");
        ASSERT_TRUE(WaitFor([&] { return boxes.Shown.size() >= 2; }, LoadTimeout));
        EXPECT_TRUE(Says(boxes.Shown[0], "already exists"));
        EXPECT_TRUE(Says(boxes.Shown[1], "has been saved"));
        EXPECT_EQ(Read(first), "the user's own file");
        EXPECT_EQ(Read(second), ScriptedSite::Attachment());
    }
    // "Yes" replaces it, and "No" at the end opens the folder that holds it.
    {
        SaveAnswers answers({first});
        RecordedMessages boxes;
        boxes.AnswerFor = [](const tools::TMessageBoxRequest& box) {
            return Says(box, "already exists") ? tools::IDYES : tools::IDNO;
        };
        UrlRecorder desktop(QStringLiteral("file"));
        ClickElement("a");
        ASSERT_TRUE(WaitFor([&] { return boxes.Shown.size() >= 2; }, LoadTimeout));
        EXPECT_EQ(Read(first), ScriptedSite::Attachment());
        ASSERT_EQ(desktop.Urls.size(), 1);
        EXPECT_EQ(desktop.Urls[0].toLocalFile(), folder);
    }
    EXPECT_FALSE(QDir(folder).entryList(QDir::Files).join(' ').contains(".part"));
}

TEST_F(WebTab, ALargeDownloadShowsItsProgressAndCancelledLeavesNothingBehind)
{
    const QString folder = TestFolder().c_str() + QStringLiteral("/chosen");
    QDir().mkpath(folder);
    SaveAnswers answers({folder + "/big.bin"});
    RecordedMessages boxes;
    Open(Url("/downloads"));
    ClickElement("big");
    auto* bar = Shell->Find<QProgressBar>("ProgressBar");
    auto* cancel = Shell->Find<QToolButton>("CancelDownloadButton");
    ASSERT_TRUE(WaitFor([&] { return bar->maximum() == 100 && bar->value() >= 10; }, LoadTimeout))
        << qPrintable(Status());
    // Bytes, percent and rate, as the engine reports them.
    EXPECT_TRUE(Status().startsWith("Downloading big.bin: ")) << qPrintable(Status());
    EXPECT_TRUE(Status().contains("of 50.0 MB")) << qPrintable(Status());
    EXPECT_TRUE(Status().contains("%)")) << qPrintable(Status());
    EXPECT_TRUE(Status().endsWith("/s")) << qPrintable(Status());
    EXPECT_LT(bar->value(), 100);
    ASSERT_TRUE(cancel->isVisible());
    EXPECT_EQ(cancel->accessibleName(), "Cancel download");
    QTest::mouseClick(cancel, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return Status().contains("was cancelled"); }, LoadTimeout))
        << qPrintable(Status());
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(boxes.Shown.empty());
    // Neither the chosen name nor the bytes that had arrived.
    EXPECT_TRUE(
        WaitFor([&] { return QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty(); }, 5000))
        << qPrintable(QDir(folder).entryList(QDir::Files | QDir::Hidden).join(' '));
}

TEST_F(WebTab, AConnectionDroppedMidwayIsAFailureThatSaysWhy)
{
    // A server that dies resets the connection; one that ends its stream early closes it in
    // order, short of the length it announced: both are failures, never a download for ever.
    for (const char* link : {"drop", "short"}) {
        SCOPED_TRACE(link);
        const QString folder = TestFolder().c_str() + QStringLiteral("/chosen");
        QDir().mkpath(folder);
        SaveAnswers answers({folder + "/dropped.bin"});
        RecordedMessages boxes;
        Open(Url("/downloads"));
        ClickElement(link);
        ASSERT_TRUE(WaitFor([&] { return !boxes.Shown.empty(); }, LoadTimeout))
            << qPrintable(Site->Seen().join('\n')) << qPrintable(Status());
        EXPECT_TRUE(Says(boxes.Shown[0], "failed")) << boxes.Shown[0].Text;
        EXPECT_TRUE(Says(boxes.Shown[0], "dropped.bin")) << boxes.Shown[0].Text;
        EXPECT_EQ(boxes.Shown[0].Flags & 0xF0, tools::MB_ICONERROR);
        EXPECT_TRUE(WaitFor([&] { return QDir(folder).entryList(QDir::Files).isEmpty(); }, 5000));
    }
}

TEST_F(WebTab, AFolderThatCannotBeWrittenIsAnErrorNamingIt)
{
    const QString folder = TestFolder().c_str() + QStringLiteral("/locked");
    UnwritableFolder locked(folder);
    if (!locked.Refuses())
        GTEST_SKIP() << "this file system lets root write anywhere";
    SaveAnswers answers({folder + "/report.bin"});
    RecordedMessages boxes;
    Open(Url("/downloads"));
    ClickElement("a");
    ASSERT_TRUE(WaitFor([&] { return !boxes.Shown.empty(); }, LoadTimeout));
    EXPECT_TRUE(Says(boxes.Shown[0], "cannot be written")) << boxes.Shown[0].Text;
    EXPECT_TRUE(Says(boxes.Shown[0], folder.toStdString().c_str())) << boxes.Shown[0].Text;
    EXPECT_EQ(Shell->Tab()->Downloads()->Active(), 0);
}

TEST(DownloadProgress, SaysBytesPercentAndRate)
{
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(browser::TBrowserDownloads::ProgressText("a.bin", 5 * 1024 * 1024, 20 * 1024 * 1024,
                                                       1024 * 1024)
                  .toStdString(),
              "Downloading a.bin: 5.0 MB of 20.0 MB (25%), 1.0 MB/s");
    EXPECT_EQ(browser::TBrowserDownloads::ProgressText("a.bin", 2048, -1, 512).toStdString(),
              "Downloading a.bin: 2.0 kB, 512 bytes/s");
}
