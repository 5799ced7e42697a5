#pragma once
// The documentation viewer: the catalogue's table of contents beside (or above) the selected
// entry's PDF document, opened at the entry's page or named destination. The shell creates
// it on the first visit to the "Manual" tab and keeps it until the main window goes.
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>

#include "ViewerLayout.h"
#include "ViewerPlaces.h"
#include "dxBarForm.h"
#include "objects/Objects7.h"
#include "strings/StringIds.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

namespace tavo::tools {
class TImageList;
}
namespace tavo::catalogue {
class TDocCatalogue;
class TDocItem0;
}  // namespace tavo::catalogue
namespace tavo::split {
class ToxSplit;
class ToxScrollPane;
}  // namespace tavo::split

namespace tavo::docviewer {

class TPDF;
class TPdfOld;
class TReaderControl;
class TTransparentPanel;
class TPdfPanel;
class TCurrentEntryDelegate;
class TManualSearchPanel;
class TPdfTreeView;

class TF_DocPDFViewer : public TdxBar_Form {
    Q_OBJECT
public:
    // Owner is the main window; the shell then puts the viewer inside the tab.
    explicit TF_DocPDFViewer(QWidget* Owner = nullptr);
    ~TF_DocPDFViewer() override;

    // The table of contents of Catalogue (not owned) with Images as its pictures.
    void FillTree(const catalogue::TDocCatalogue* Catalogue, tools::TImageList* Images);

    // Event handlers and operations, under their design names.
    void FormShow();
    void FormHide();
    void FormClose();
    void TimerTimer();
    void PdfTreeViewChange(const QModelIndex& Node);
    void Btn_InstalAcrobatClick();
    void FocusReader();
    // Document is an entry's document as the catalogue finds it (TDocCatalogue::Document).
    void OpenDocument(const std::filesystem::path& Document, int32_t Page,
                      const std::string& Destination);
    // A result of the search in the manual: opened as an entry is, its words marked.
    void OpenSearchResult(const std::filesystem::path& Document, int32_t Page,
                          const QStringList& Words);
    void SelectInitial();
    void CloseDocument();
    // A warning about the catalogue shown above the table of contents (a file that ends
    // early); empty hides it.
    void SetCatalogueWarning(const QString& Text);

    // Layout.
    void SB_TreeVClick();
    void SB_TreeHClick();
    void UpdateButtons();
    void SplitResize();
    void PDFPaneResize();
    void ApplyLayout(const TViewerLayout& Layout);
    TViewerLayout CurrentLayout() const;

    // State.
    bool Busy() const;
    bool ControlPending() const { return FControlPending; }
    bool ControlReady() const { return FControlReady; }
    bool FirstShow() const { return FFirstShow; }
    const std::filesystem::path& CurrentFile() const { return FCurrentFile; }
    int32_t CurrentPage() const { return FCurrentPage; }
    const std::string& CurrentDest() const { return FCurrentDest; }
    int32_t LastType() const { return FLastType; }
    bool OrientV() const { return FOrientV; }
    TPDF* PdfControl() const;
    TPdfOld* PdfOldControl() const;
    // The control of the current kind, or none.
    TReaderControl* CurrentControl() const;
    // The entry whose part of the document is on screen (marked bold), or none.
    QModelIndex MarkedEntry() const;

    // Places: the document and place in view (none without a document), going back (-1)
    // or forward (+1), and the list itself.
    std::optional<TPlace> ShownPlace() const;
    void GoPlace(int Direction);
    const TPlaces& Places() const { return FPlaces; }
    // The zoom mode documents open with.
    platform::TPdfZoomMode ZoomMode() const { return FZoomMode; }

    // Components.
    split::ToxSplit* Split = nullptr;
    split::ToxScrollPane* TreePane = nullptr;
    QFrame* Panel1 = nullptr;
    QToolButton* SB_TreeH = nullptr;
    QToolButton* SB_TreeV = nullptr;
    QCheckBox* CB_ExpandAll = nullptr;
    TManualSearchPanel* SearchPanel = nullptr;
    TPdfTreeView* PdfTreeView = nullptr;
    split::ToxScrollPane* PDFPane = nullptr;
    TPdfPanel* P_Pdf = nullptr;
    QLabel* L_AcrobatLoading = nullptr;
    QLabel* L_NoDocMsg = nullptr;
    QLabel* L_NoDocFile = nullptr;
    QLabel* L_CatalogueWarning = nullptr;
    QFrame* P_AcrobatSetup = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* L_AcrobatInstal = nullptr;
    QPushButton* Btn_InstalAcrobat = nullptr;
    QTimer* Timer = nullptr;
    QPointer<QLabel> ReadingPanel;
    QPointer<TTransparentPanel> ClickPanel;

signals:
    // A document was loaded into the reader (FileName as this file system names it).
    void DocumentLoaded(const QString& FileName);

protected:
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void FormCreate();
    void FormDestroy();
    void BuildTreePane();
    void BuildPdfPane();
    void AttachControl(TReaderControl* Control);
    void ForgetControl();
    void ReaderUnavailable();
    void ShowReadingPanel();
    void ShowClickPanel();
    // Names Document under "No documentation" when that is shown because it is missing.
    void ShowMissingFile(const std::filesystem::path& Document);
    void SwitchFocus();
    // Loaded: CurrentFile is the document in the reader (else it was found missing).
    void CollectSections(bool Loaded);
    void MarkCurrentEntry(int Page);
    // Records a jump from Left, unless the jump is a move through places itself.
    void RecordPlace(std::optional<TPlace> Left);
    void UpdatePlaces();

    bool FControlPending = true;
    bool FControlReady = false;
    bool FFirstShow = true;
    bool FLayoutApplied = false;
    bool FDestroyed = false;
    std::filesystem::path FCurrentFile;
    int32_t FCurrentPage = 0;
    std::string FCurrentDest;
    int32_t FLastType = objects::NullInt;
    QPointer<TPDF> FPdfControl;
    QPointer<TPdfOld> FPdfOldControl;
    bool FOrientV = true;
    TCurrentEntryDelegate* FDelegate = nullptr;
    // Where the named destinations of the loaded document's entries lie, asked of the
    // reader once per document, for marking the entry on screen.
    std::unordered_map<std::string, int32_t> FDestinationPages;
    TPlaces FPlaces;
    bool FMovingThroughPlaces = false;
    platform::TPdfZoomMode FZoomMode = platform::TPdfZoomMode::zmFitWidth;
};

// True when Document names an existing file here.
bool DocumentExists(const std::filesystem::path& Document);

}  // namespace tavo::docviewer
