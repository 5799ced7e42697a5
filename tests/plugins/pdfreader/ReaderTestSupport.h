#pragma once
// The reader component as the viewer drives it: created through the registry from a plugin
// folder, wrapped by TPDF or TPdfOld, inside a shown window. Pixels are read from the page
// view, and places on a page are found by their colours (links are blue, bands red).
#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <QSignalSpy>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "docviewer/ReaderControl.h"

namespace tavo::test {

QString TestDoc(const char* Name);
// The registry serves class ids from this folder only (and the test's empty home).
void UsePluginFolder(const QString& Folder);
// True once a shared library whose name holds Name is mapped into this process.
bool LibraryLoaded(const char* Name);

// Rows where some pixel matches, grouped into runs of adjacent rows.
struct TRun {
    int Top = 0, Bottom = 0;  // inclusive
    int Left = 0, Right = 0;  // extent of the matching pixels
    int Middle() const { return (Top + Bottom) / 2; }
};
std::vector<TRun> Runs(const QImage& Image, const std::function<bool(QColor)>& Match);
bool IsBlue(QColor C);
bool IsRed(QColor C);
bool IsNavy(QColor C);
bool IsDark(QColor C);

// Catches the addresses that the control hands to the platform's shell-execute.
class TUrlRecorder : public QObject {
    Q_OBJECT

public:
    explicit TUrlRecorder(const QStringList& Schemes);
    ~TUrlRecorder() override;
    QList<QUrl> Urls;

public slots:
    void Open(const QUrl& Url) { Urls << Url; }

private:
    QStringList FSchemes;
};

// The kind of wrapper a test drives the control through.
enum class TKind { kNewer, kOlder };
inline void PrintTo(TKind Kind, std::ostream* Out)
{
    *Out << (Kind == TKind::kNewer ? "newer" : "older");
}

class TReaderHost {
public:
    explicit TReaderHost(TKind Kind = TKind::kNewer, QSize Size = QSize(640, 520));
    ~TReaderHost();

    docviewer::TReaderControl& Wrapper() { return *FWrapper; }
    QWidget* Control() const { return FWrapper->Control(); }
    platform::IPdfView* Reader() const { return FWrapper->View(); }
    QAbstractScrollArea* View() const;
    QWidget* Window() { return &FWindow; }
    template <class T = QWidget> T* Child(const char* Name) const
    {
        return Control()->findChild<T*>(QString::fromLatin1(Name));
    }

    // The four operations, through the wrapper's kind of interface.
    void LoadFile(const QString& FileName);
    void setCurrentPage(int Page);
    void setNamedDest(const QString& Name);
    void setView(const QString& View);

    // Runs Action, then waits until Page (1-based) has been painted with its image.
    bool AndWaitShown(int Page, const std::function<void()>& Action);
    // Waits until every page in view has its image.
    bool WaitSettled();
    QImage Grab() const;
    qint64 Property(const char* Name) const;

private:
    TKind FKind;
    QWidget FWindow;
    std::unique_ptr<docviewer::TReaderControl> FWrapper;
    std::unique_ptr<QSignalSpy> FShown;
};

}  // namespace tavo::test
