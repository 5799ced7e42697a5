#include "ReaderTestSupport.h"

#include <QDesktopServices>
#include <QFile>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWindow>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "docviewer/PDFLib_TLB.h"
#include "docviewer/PdfLib_TLB_Old.h"
#include "platform/ComponentRegistry.h"

namespace tavo::test {

QString TestDoc(const char* Name)
{
    return QStringLiteral(TEST_DOCS "/") + QString::fromLatin1(Name);
}

void UsePluginFolder(const QString& Folder)
{
    qputenv("TAVO_PLUGIN_PATH", Folder.toUtf8());
    platform::TComponentRegistry::Instance().Rescan();
}

bool LibraryLoaded(const char* Name)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return maps.readAll().contains(Name);
}

std::vector<TRun> Runs(const QImage& Image, const std::function<bool(QColor)>& Match)
{
    std::vector<TRun> runs;
    bool open = false;
    for (int y = 0; y < Image.height(); ++y) {
        int left = -1, right = -1;
        for (int x = 0; x < Image.width(); ++x) {
            if (Match(Image.pixelColor(x, y))) {
                if (left < 0)
                    left = x;
                right = x;
            }
        }
        if (left < 0) {
            open = false;
            continue;
        }
        if (!open) {
            runs.push_back({y, y, left, right});
            open = true;
        } else {
            TRun& run = runs.back();
            run.Bottom = y;
            run.Left = std::min(run.Left, left);
            run.Right = std::max(run.Right, right);
        }
    }
    return runs;
}

bool IsBlue(QColor C)
{
    return C.blue() > 150 && C.red() < 90 && C.green() < 140;
}
bool IsRed(QColor C)
{
    return C.red() > 180 && C.green() < 90 && C.blue() < 90;
}
bool IsNavy(QColor C)
{
    return C.red() < 40 && C.green() < 70 && C.blue() > 70 && C.blue() < 130;
}
bool IsDark(QColor C)
{
    return C.red() < 100 && C.green() < 100 && C.blue() < 100;
}

TUrlRecorder::TUrlRecorder(const QStringList& Schemes) : FSchemes(Schemes)
{
    for (const QString& scheme : FSchemes)
        QDesktopServices::setUrlHandler(scheme, this, "Open");
}

TUrlRecorder::~TUrlRecorder()
{
    for (const QString& scheme : FSchemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

TReaderHost::TReaderHost(TKind Kind, QSize Size) : FKind(Kind)
{
    auto* layout = new QVBoxLayout(&FWindow);
    layout->setContentsMargins(0, 0, 0, 0);
    if (Kind == TKind::kNewer)
        FWrapper = std::make_unique<docviewer::TPDF>(&FWindow);
    else
        FWrapper = std::make_unique<docviewer::TPdfOld>(&FWindow);
    layout->addWidget(FWrapper.get());
    FWindow.resize(Size);
    FWindow.show();
    EXPECT_TRUE(
        WaitFor([this] { return FWindow.windowHandle() && FWindow.windowHandle()->isExposed(); }));
    FShown = std::make_unique<QSignalSpy>(Control(), SIGNAL(pageShown(int)));
}

TReaderHost::~TReaderHost()
{
    FShown.reset();
    FWrapper.reset();
}

QAbstractScrollArea* TReaderHost::View() const
{
    return Child<QAbstractScrollArea>("PageView");
}

void TReaderHost::LoadFile(const QString& FileName)
{
    if (FKind == TKind::kNewer)
        static_cast<docviewer::TPDF&>(*FWrapper).LoadFile(FileName);
    else
        static_cast<docviewer::TPdfOld&>(*FWrapper).LoadFile(FileName);
}

void TReaderHost::setCurrentPage(int Page)
{
    if (FKind == TKind::kNewer)
        static_cast<docviewer::TPDF&>(*FWrapper).setCurrentPage(Page);
    else
        static_cast<docviewer::TPdfOld&>(*FWrapper).setCurrentPage(Page);
}

void TReaderHost::setNamedDest(const QString& Name)
{
    if (FKind == TKind::kNewer)
        static_cast<docviewer::TPDF&>(*FWrapper).setNamedDest(Name);
    else
        static_cast<docviewer::TPdfOld&>(*FWrapper).setNamedDest(Name);
}

void TReaderHost::setView(const QString& View)
{
    if (FKind == TKind::kNewer)
        static_cast<docviewer::TPDF&>(*FWrapper).setView(View);
    else
        static_cast<docviewer::TPdfOld&>(*FWrapper).setView(View);
}

bool TReaderHost::AndWaitShown(int Page, const std::function<void()>& Action)
{
    FShown->clear();
    Action();
    return WaitFor([&] {
        for (const QList<QVariant>& args : *FShown) {
            if (args.value(0).toInt() == Page)
                return true;
        }
        return false;
    });
}

bool TReaderHost::WaitSettled()
{
    return WaitFor([&] { return Control()->property("settled").toBool(); });
}

QImage TReaderHost::Grab() const
{
    return View()->viewport()->grab().toImage();
}

qint64 TReaderHost::Property(const char* Name) const
{
    return Control()->property(Name).toLongLong();
}

}  // namespace tavo::test
