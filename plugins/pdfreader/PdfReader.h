#pragma once
// The reader control: the window the component creates. It answers the typed interface the
// viewer speaks and the design's older interface (operations by dispatch number) over it;
// TPdfReaderAx adds the design's newer interface.
// A document that cannot be opened is a message inside the control, not a failure status:
// the viewer switches the reader off for the whole session on a failure, and one bad file
// among many must not cost the user the others.
#include <QWidget>
#include <memory>

#include "platform/PdfReaderControl.h"

class QAction;
class QLabel;
class QStackedWidget;

namespace tavo::pdfreader {

class TPageView;
class TPdfDocument;
class TReaderStrip;

class TPdfReader : public QWidget, public platform::IPdfView, public platform::IPdfDispatch {
    Q_OBJECT
    Q_INTERFACES(tavo::platform::IPdfView tavo::platform::IPdfDispatch)
    // For tests and the curious: the image cache's budget and its own accounting.
    Q_PROPERTY(qint64 cacheLimit READ CacheLimit WRITE SetCacheLimit)
    Q_PROPERTY(qint64 cacheBytes READ CacheBytes)
    Q_PROPERTY(qint64 cachePeakBytes READ CachePeakBytes)
    Q_PROPERTY(qint64 imageBytes READ ImageBytes)
    Q_PROPERTY(double zoom READ Zoom)
    Q_PROPERTY(bool fitWidth READ FitsWidth)
    Q_PROPERTY(QString message READ Message)
    Q_PROPERTY(QString selectedText READ SelectedText)
    Q_PROPERTY(bool settled READ Settled)
    Q_PROPERTY(int markCount READ MarkCount)

public:
    explicit TPdfReader(QWidget* Parent = nullptr);
    ~TPdfReader() override;

    // IPdfView
    bool Load(const QString& FileName) override;
    int32_t PageCount() const override;
    int32_t CurrentPage() const override;
    void ShowPage(int32_t Page, double Top = 0) override;
    bool ShowDestination(const QString& Name) override;
    int32_t DestinationPage(const QString& Name) override;
    void FitWidth(double Top = 0) override;
    void FitPage() override;
    void MarkWords(int32_t Page, const QStringList& Words) override;
    double CurrentTop() const override;
    platform::TPdfZoomMode ZoomMode() const override;
    void SetZoomMode(platform::TPdfZoomMode Mode) override;
    void SetPlacesState(bool CanGoBack, bool CanGoForward) override;
    void Print() override;
    void SaveCopy() override;
    void OpenExternally() override;

    // IPdfDispatch, over the above.
    platform::TStatus Invoke(int32_t DispId, const QVariantList& Args, QVariant* Result) override;

    qint64 CacheLimit() const;
    void SetCacheLimit(qint64 Bytes);
    qint64 CacheBytes() const;
    qint64 CachePeakBytes() const;
    qint64 ImageBytes() const;
    double Zoom() const;
    bool FitsWidth() const;
    QString Message() const;
    QString SelectedText() const;
    bool Settled() const;
    // Words marked by the last MarkWords.
    int MarkCount() const;
    TPageView* View() const { return FView; }

signals:
    void currentPageChanged(int Page);     // 1-based
    void pageShown(int Page);              // 1-based: painted with its whole image
    void placeLeft(int Page, double Top);  // 1-based; see kPlaceLeftSignal
    void placeRequested(int Direction);    // -1 back, +1 forward
    void zoomModeChosen(int Mode);         // platform::TPdfZoomMode
    void printFinished(bool Ok);

private:
    void Unload();
    void ShowMessage(const QString& Text);
    void UpdateStrip();
    QAction* MakeAction(const QString& Text, const QList<QKeySequence>& Keys, const char* Name);

    std::unique_ptr<TPdfDocument> FDoc;
    QStackedWidget* FStack;
    TPageView* FView;
    QLabel* FMessage;
    TReaderStrip* FStrip;
    void ChooseZoomMode(platform::TPdfZoomMode Mode);

    QAction* FFitWidth;
    QAction* FFitPage;
    QAction* FActualSize;
    QAction* FBack;
    QAction* FForward;
    bool FCanGoBack = false;
    bool FCanGoForward = false;
    bool FPrinting = false;
};

// The design's newer interface, over the typed one.
class TPdfReaderAx : public TPdfReader, public platform::IAcroAXDocShim {
    Q_OBJECT
    Q_INTERFACES(tavo::platform::IAcroAXDocShim)

public:
    using TPdfReader::TPdfReader;

    platform::TStatus LoadFile(const QString& FileName, bool* Loaded) override;
    platform::TStatus setCurrentPage(int32_t Page) override;
    platform::TStatus setNamedDest(const QString& Name) override;
    platform::TStatus setView(const QString& View) override;
};

}  // namespace tavo::pdfreader
