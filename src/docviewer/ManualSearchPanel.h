#pragma once
// "Find in the manual": a search field above the table of contents and, while there is a
// query, the results in the tree's place: the entry each hit belongs to, its page and a
// snippet with the words marked, best first. The index is brought up to date on a thread
// of its own; until it is done, results come from the documents indexed so far and say so.
#include <QAbstractListModel>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "docviewer/search/ManualEntries.h"
#include "docviewer/search/ManualIndexer.h"
#include "docviewer/search/ManualSearch.h"

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QTimer;
class QToolButton;

namespace tavo::docviewer {

class TManualIndexer;
class TManualIndex;

class TSearchResultsModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int PageRole = Qt::UserRole + 1;
    static constexpr int SnippetRole = Qt::UserRole + 2;  // HTML, the words in bold

    using QAbstractListModel::QAbstractListModel;
    void SetResults(std::vector<TSearchResult> Results);
    const std::vector<TSearchResult>& Results() const { return FResults; }

    int rowCount(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;

private:
    std::vector<TSearchResult> FResults;
};

class TManualSearchPanel : public QWidget {
    Q_OBJECT
public:
    explicit TManualSearchPanel(QWidget* Parent = nullptr);
    ~TManualSearchPanel() override;

    // The manual to search: Catalogue (not owned, it must outlive the panel's results), whose
    // file the index belongs to. Contents is the table of contents, which the results
    // replace while shown.
    void SetCatalogue(const catalogue::TDocCatalogue* Catalogue);
    void SetContents(QWidget* Contents) { FContents = Contents; }
    // Ctrl+F, F3 and Shift+F3 while the keyboard focus is within Scope.
    void AddShortcutsTo(QWidget* Scope);

    // Brings the index up to date, once per catalogue; again after an error.
    void StartIndexing();
    // The same, Delay ms from now, unless something starts it earlier.
    void StartIndexingSoon(int Delay);
    bool Indexing() const;
    // The documents indexed so far and all of them, while indexing runs.
    int DocumentsDone() const { return FDone; }
    int DocumentsTotal() const { return FTotal; }

    // Commands, under the names of their actions.
    void FindInManual();
    void Search();
    void OpenResult(int Row);
    void NextResult();
    void PreviousResult();
    void ReturnToContents();

    bool ResultsShown() const;
    const std::vector<TSearchResult>& Results() const { return FModel->Results(); }
    // The documents the last indexing could not search (unreadable or missing).
    const std::vector<TIndexEvent>& NotSearched() const { return FNotSearched; }
    // Shows or hides the list of them (Btn_NotSearched).
    void ShowNotSearched(bool Shown);

    QLineEdit* E_ManualSearch = nullptr;
    QLabel* L_SearchStatus = nullptr;
    QToolButton* Btn_NotSearched = nullptr;
    QLabel* L_NotSearched = nullptr;
    QListView* LV_SearchResults = nullptr;
    QAction* A_FindInManual = nullptr;
    QAction* A_NextResult = nullptr;
    QAction* A_PreviousResult = nullptr;

signals:
    // Open Document (the entry's, TDocCatalogue::Document) at Page and mark Words there.
    void OpenRequested(const std::filesystem::path& Document, int32_t Page,
                       const QStringList& Words);
    // The results took the table's place, or gave it back.
    void ResultsShownChanged(bool Shown);
    // The index was opened, a document stored, or indexing ended (tests wait on it).
    void IndexChanged();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void IndexOpened();
    void IndexProgress(int Done, int Total);
    void IndexFinished(const TRefreshReport& Report);
    void IndexFailed(const QString& Reason);
    void ShowResults(bool Shown);
    void UpdateStatus();
    bool OpenReader();

    TSearchResultsModel* FModel = nullptr;
    QTimer* FSearchTimer = nullptr;
    QTimer* FStartTimer = nullptr;
    TManualIndexer* FIndexer = nullptr;
    std::unique_ptr<TManualIndex> FReader;
    std::unique_ptr<TManualEntries> FEntries;
    std::filesystem::path FIndexFile;
    std::filesystem::path FCatalogueFolder;
    std::vector<TIndexEvent> FNotSearched;
    QPointer<QWidget> FContents;
    TSearchQuery FQuery;
    QString FSearched;      // the text the results are for
    QString FProblem;       // why the manual cannot be searched
    bool FIndexed = false;  // brought up to date in this session
    bool FOpened = false;   // the indexer has the file open and checked
    bool FRunning = false;  // started, and its end not yet handled
    int FDone = 0;
    int FTotal = 0;
};

}  // namespace tavo::docviewer
