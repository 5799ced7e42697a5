#include "ManualSearchPanel.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "catalogue/DocCatalogue.h"
#include "docviewer/search/ManualIndexer.h"
#include "docviewer/search/SearchStrings.h"

namespace tavo::docviewer {

namespace {

constexpr int kSearchDelay = 250;  // ms after the last key before the search runs
constexpr int kSnippetLines = 2;
constexpr int kMargin = 4;

QString Number(int Value)
{
    return QString::number(Value);
}

// A result as two parts: the entry and its page on top, the snippet below with the words
// found in bold, cut after two lines.
class TSearchResultDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex&) const override
    {
        const int line = Option.fontMetrics.lineSpacing();
        return {Option.rect.width() > 0 ? Option.rect.width() : 200,
                line * (1 + kSnippetLines) + 3 * kMargin};
    }

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override
    {
        QStyleOptionViewItem option = Option;
        initStyleOption(&option, Index);
        const QString caption = option.text;
        option.text.clear();
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &option, Painter, option.widget);

        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        const QColor text =
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        const QRect area = option.rect.adjusted(kMargin, kMargin, -kMargin, -kMargin);
        const int line = option.fontMetrics.lineSpacing();

        Painter->save();
        Painter->setClipRect(option.rect);
        QFont bold = option.font;
        bold.setBold(true);
        const QString page =
            SearchText(SResultPage, {Number(Index.data(TSearchResultsModel::PageRole).toInt())});
        const int pageWidth = QFontMetrics(option.font).horizontalAdvance(page) + kMargin;
        Painter->setFont(bold);
        Painter->setPen(text);
        const QRect top(area.left(), area.top(), area.width() - pageWidth, line);
        Painter->drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(bold).elidedText(caption, Qt::ElideRight, top.width()));
        Painter->setFont(option.font);
        QColor dim = text;
        if (!selected)
            dim.setAlphaF(0.7f);
        Painter->setPen(dim);
        Painter->drawText(QRect(area.right() - pageWidth, area.top(), pageWidth, line),
                          Qt::AlignRight | Qt::AlignVCenter, page);

        QTextDocument snippet;
        snippet.setDefaultFont(option.font);
        snippet.setDocumentMargin(0);
        snippet.setHtml(Index.data(TSearchResultsModel::SnippetRole).toString());
        snippet.setTextWidth(area.width());
        const QRect below(area.left(), area.top() + line + kMargin, area.width(),
                          line * kSnippetLines);
        Painter->translate(below.topLeft());
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette.setColor(QPalette::Text, text);
        context.clip = QRectF(0, 0, below.width(), below.height());
        Painter->setClipRect(context.clip.toRect(), Qt::IntersectClip);
        snippet.documentLayout()->draw(Painter, context);
        Painter->restore();
    }
};

}  // namespace

void TSearchResultsModel::SetResults(std::vector<TSearchResult> Results)
{
    beginResetModel();
    FResults = std::move(Results);
    endResetModel();
}

int TSearchResultsModel::rowCount(const QModelIndex& Parent) const
{
    return Parent.isValid() ? 0 : static_cast<int>(FResults.size());
}

QVariant TSearchResultsModel::data(const QModelIndex& Index, int Role) const
{
    if (!Index.isValid() || Index.row() >= rowCount())
        return {};
    const TSearchResult& result = FResults[static_cast<size_t>(Index.row())];
    switch (Role) {
    case Qt::DisplayRole:
        return result.Entry->Caption;
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return SearchText(SResultAccessible,
                          {result.Entry->Caption, Number(result.Page), result.Snippet.Text});
    case PageRole:
        return result.Page;
    case SnippetRole:
        return result.Snippet.ToHtml();
    default:
        return {};
    }
}

TManualSearchPanel::TManualSearchPanel(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("P_ManualSearch"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);

    E_ManualSearch = new QLineEdit(this);
    E_ManualSearch->setObjectName(QStringLiteral("E_ManualSearch"));
    E_ManualSearch->setPlaceholderText(SearchText(SSearchField));
    E_ManualSearch->setAccessibleName(SearchText(SSearchField));
    E_ManualSearch->setToolTip(SearchText(SSearchHint));
    E_ManualSearch->setAccessibleDescription(SearchText(SSearchHint));
    E_ManualSearch->setClearButtonEnabled(true);
    E_ManualSearch->installEventFilter(this);
    column->addWidget(E_ManualSearch);

    auto* statusRow = new QHBoxLayout;
    statusRow->setContentsMargins(0, 0, 0, 0);
    statusRow->setSpacing(2);
    L_SearchStatus = new QLabel(this);
    L_SearchStatus->setObjectName(QStringLiteral("L_SearchStatus"));
    L_SearchStatus->setTextFormat(Qt::PlainText);
    L_SearchStatus->setWordWrap(true);
    L_SearchStatus->setContentsMargins(2, 0, 2, 0);
    L_SearchStatus->hide();
    statusRow->addWidget(L_SearchStatus, 1);
    Btn_NotSearched = new QToolButton(this);
    Btn_NotSearched->setObjectName(QStringLiteral("Btn_NotSearched"));
    Btn_NotSearched->setText(SearchText(SShowNotSearched));
    Btn_NotSearched->setAccessibleName(SearchText(SShowNotSearched));
    Btn_NotSearched->setCheckable(true);
    Btn_NotSearched->setAutoRaise(true);
    Btn_NotSearched->setFocusPolicy(Qt::StrongFocus);
    Btn_NotSearched->hide();
    statusRow->addWidget(Btn_NotSearched, 0, Qt::AlignTop);
    column->addLayout(statusRow);
    connect(Btn_NotSearched, &QToolButton::toggled, this,
            [this](bool Checked) { ShowNotSearched(Checked); });

    // Plain text the user may select and copy: file names and why they cannot be read.
    L_NotSearched = new QLabel(this);
    L_NotSearched->setObjectName(QStringLiteral("L_NotSearched"));
    L_NotSearched->setTextFormat(Qt::PlainText);
    L_NotSearched->setWordWrap(true);
    L_NotSearched->setContentsMargins(8, 0, 2, 2);
    L_NotSearched->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
    L_NotSearched->setFocusPolicy(Qt::StrongFocus);
    L_NotSearched->setAccessibleName(SearchText(SNotSearchedListName));
    L_NotSearched->hide();
    column->addWidget(L_NotSearched);

    FModel = new TSearchResultsModel(this);
    LV_SearchResults = new QListView(this);
    LV_SearchResults->setObjectName(QStringLiteral("LV_SearchResults"));
    LV_SearchResults->setModel(FModel);
    LV_SearchResults->setItemDelegate(new TSearchResultDelegate(LV_SearchResults));
    LV_SearchResults->setAccessibleName(SearchText(SSearchResultsName));
    LV_SearchResults->setSelectionMode(QAbstractItemView::SingleSelection);
    LV_SearchResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV_SearchResults->setUniformItemSizes(true);
    LV_SearchResults->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    LV_SearchResults->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LV_SearchResults->setFrameShape(QFrame::NoFrame);
    LV_SearchResults->installEventFilter(this);
    LV_SearchResults->hide();
    column->addWidget(LV_SearchResults, 1);
    setTabOrder(E_ManualSearch, Btn_NotSearched);
    setTabOrder(Btn_NotSearched, L_NotSearched);
    setTabOrder(L_NotSearched, LV_SearchResults);

    FSearchTimer = new QTimer(this);
    FSearchTimer->setSingleShot(true);
    FSearchTimer->setInterval(kSearchDelay);
    connect(FSearchTimer, &QTimer::timeout, this, [this] { Search(); });
    FStartTimer = new QTimer(this);
    FStartTimer->setSingleShot(true);
    connect(FStartTimer, &QTimer::timeout, this, [this] { StartIndexing(); });

    connect(E_ManualSearch, &QLineEdit::textChanged, this, [this](const QString& Text) {
        if (Text.trimmed().isEmpty()) {
            FSearchTimer->stop();
            Search();
            return;
        }
        StartIndexing();
        FSearchTimer->start();
    });
    connect(LV_SearchResults, &QListView::clicked, this,
            [this](const QModelIndex& Index) { OpenResult(Index.row()); });

    A_FindInManual = new QAction(SearchText(SSearchField), this);
    A_FindInManual->setObjectName(QStringLiteral("A_FindInManual"));
    A_FindInManual->setShortcuts(QKeySequence::keyBindings(QKeySequence::Find));
    A_NextResult = new QAction(this);
    A_NextResult->setObjectName(QStringLiteral("A_NextResult"));
    A_NextResult->setShortcuts(QKeySequence::keyBindings(QKeySequence::FindNext));
    A_PreviousResult = new QAction(this);
    A_PreviousResult->setObjectName(QStringLiteral("A_PreviousResult"));
    A_PreviousResult->setShortcuts(QKeySequence::keyBindings(QKeySequence::FindPrevious));
    for (QAction* action : {A_FindInManual, A_NextResult, A_PreviousResult})
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(A_FindInManual, &QAction::triggered, this, [this] { FindInManual(); });
    connect(A_NextResult, &QAction::triggered, this, [this] { NextResult(); });
    connect(A_PreviousResult, &QAction::triggered, this, [this] { PreviousResult(); });

    FIndexer = new TManualIndexer(this);
    connect(FIndexer, &TManualIndexer::Opened, this, [this] { IndexOpened(); });
    connect(FIndexer, &TManualIndexer::Progress, this,
            [this](int Done, int Total) { IndexProgress(Done, Total); });
    connect(FIndexer, &TManualIndexer::DocumentStored, this, [this] {
        if (ResultsShown())
            Search();
        emit IndexChanged();
    });
    connect(FIndexer, &TManualIndexer::Finished, this,
            [this](const TRefreshReport& Report) { IndexFinished(Report); });
    connect(FIndexer, &TManualIndexer::Failed, this,
            [this](const QString& Reason) { IndexFailed(Reason); });
}

TManualSearchPanel::~TManualSearchPanel()
{
    // The work stops at the next page, and the index keeps every document finished.
    delete FIndexer;
    FIndexer = nullptr;
    FReader.reset();
}

void TManualSearchPanel::SetCatalogue(const catalogue::TDocCatalogue* Catalogue)
{
    const std::filesystem::path CatalogueFile =
        Catalogue ? Catalogue->File() : std::filesystem::path();
    const bool wasStarted = FIndexed || FRunning;
    FIndexer->Stop();
    FRunning = false;
    FReader.reset();
    FModel->SetResults({});
    FEntries = std::make_unique<TManualEntries>(Catalogue);
    FIndexFile = ManualIndexFile(CatalogueFile);
    FCatalogueFolder = CatalogueFile.parent_path();
    FNotSearched.clear();
    ShowNotSearched(false);
    FIndexed = FOpened = false;
    FProblem.clear();
    FDone = FTotal = 0;
    if (wasStarted)
        StartIndexing();
    else
        UpdateStatus();
}

void TManualSearchPanel::AddShortcutsTo(QWidget* Scope)
{
    Scope->addActions({A_FindInManual, A_NextResult, A_PreviousResult});
}

bool TManualSearchPanel::Indexing() const
{
    return FRunning && FProblem.isEmpty();
}

void TManualSearchPanel::StartIndexing()
{
    FStartTimer->stop();
    if (!FEntries || FEntries->Files().isEmpty() || FIndexed || FRunning)
        return;
    FProblem.clear();
    FDone = 0;
    FTotal = static_cast<int>(FEntries->Files().size());
    FRunning = true;
    FIndexer->Start(FIndexFile, FEntries->Files(), FEntries->Destinations());
    UpdateStatus();
}

void TManualSearchPanel::StartIndexingSoon(int Delay)
{
    if (!FIndexed && !FRunning)
        FStartTimer->start(Delay);
}

void TManualSearchPanel::IndexOpened()
{
    FOpened = true;
    FProblem.clear();
    if (ResultsShown())
        Search();
    emit IndexChanged();
}

void TManualSearchPanel::IndexProgress(int Done, int Total)
{
    FDone = Done;
    FTotal = Total;
    UpdateStatus();
}

void TManualSearchPanel::IndexFinished(const TRefreshReport& Report)
{
    FRunning = false;
    FIndexed = true;
    FDone = FTotal;
    FNotSearched = Report.Unsearchable;
    // The list is written now; it shows when asked for.
    QStringList lines;
    const QDir folder(QString::fromStdString(FCatalogueFolder.string()));
    for (const TIndexEvent& event : FNotSearched) {
        QString name = folder.relativeFilePath(event.File);
        if (name.startsWith(QLatin1String("..")))
            name = QDir::toNativeSeparators(event.File);
        lines << (event.Kind == TIndexEvent::ieMissing
                      ? SearchText(SDocumentMissing, {name})
                      : SearchText(SDocumentUnreadable, {name, event.Error}));
    }
    L_NotSearched->setText(lines.join(u'\n'));
    if (FNotSearched.empty())
        ShowNotSearched(false);
    if (ResultsShown())
        Search();
    UpdateStatus();
    emit IndexChanged();
}

void TManualSearchPanel::IndexFailed(const QString& Reason)
{
    FRunning = false;
    FProblem = Reason;
    UpdateStatus();
    emit IndexChanged();
}

bool TManualSearchPanel::OpenReader()
{
    if (FReader)
        return true;
    if (!FOpened)
        return false;
    try {
        FReader = std::make_unique<TManualIndex>(FIndexFile, TManualIndex::ocNone);
    } catch (const EManualIndex& Error) {
        FProblem = Error.Text();
        return false;
    }
    return true;
}

void TManualSearchPanel::Search()
{
    FSearchTimer->stop();
    const QString text = E_ManualSearch->text();
    if (text.trimmed().isEmpty()) {
        FSearched.clear();
        FQuery = {};
        FModel->SetResults({});
        ShowResults(false);
        UpdateStatus();
        return;
    }
    // The result under the cursor stays current when a search is run again.
    QString currentFile;
    int32_t currentPage = 0;
    if (const QModelIndex current = LV_SearchResults->currentIndex(); current.isValid()) {
        currentFile = Results()[static_cast<size_t>(current.row())].File;
        currentPage = Results()[static_cast<size_t>(current.row())].Page;
    }
    FSearched = text;
    FQuery = ParseSearchQuery(text);
    std::vector<TSearchResult> results;
    if (!FQuery.IsEmpty() && FEntries && OpenReader()) {
        try {
            results = SearchManual(*FReader, *FEntries, FQuery);
        } catch (const EManualIndex& Error) {
            // A file that reads badly is checked from end to end, set aside and rebuilt.
            FReader.reset();
            FProblem = Error.Text();
            FIndexer->Stop();
            FIndexed = FOpened = false;
            FRunning = true;
            FIndexer->Start(FIndexFile, FEntries->Files(), FEntries->Destinations(),
                            TManualIndex::ocFull);
        }
    }
    int keep = -1;
    for (size_t i = 0; i < results.size() && keep < 0; ++i)
        if (results[i].File == currentFile && results[i].Page == currentPage)
            keep = static_cast<int>(i);
    FModel->SetResults(std::move(results));
    if (keep >= 0)
        LV_SearchResults->setCurrentIndex(FModel->index(keep));
    ShowResults(true);
    UpdateStatus();
}

void TManualSearchPanel::UpdateStatus()
{
    QString status;
    const bool indexing = Indexing();
    if (!FProblem.isEmpty()) {
        status = SearchText(SCannotSearch, {FProblem});
    } else if (!ResultsShown()) {
        if (indexing)
            status = SearchText(SIndexingProgress, {Number(std::min(FDone + 1, FTotal)),
                                                    CountText(cntDocuments, FTotal)});
    } else if (FQuery.IsEmpty()) {
        status = SearchText(SNoWordsToFind);
    } else {
        const int count = static_cast<int>(Results().size());
        QString found = count == 0                   ? SearchText(SNoResults)
                        : count >= kMaxSearchResults ? SearchText(SBestResults, {Number(count)})
                                                     : CountText(cntResults, count);
        status = indexing ? SearchText(SResultsSoFar,
                                       {found, Number(FDone), CountText(cntDocuments, FTotal)})
                          : found;
        // What was searched is said with what was not.
        if (!indexing && !FNotSearched.empty())
            status = SearchText(
                SStatusAndProblems,
                {status, CountText(cntNotSearched, static_cast<int>(FNotSearched.size()))});
    }
    L_SearchStatus->setText(status);
    L_SearchStatus->setVisible(!status.isEmpty());
    const bool problems = ResultsShown() && FProblem.isEmpty() && !indexing && !FQuery.IsEmpty() &&
                          !FNotSearched.empty();
    Btn_NotSearched->setVisible(problems);
    if (!problems)
        ShowNotSearched(false);
}

void TManualSearchPanel::ShowNotSearched(bool Shown)
{
    Shown = Shown && !FNotSearched.empty();
    if (Btn_NotSearched->isChecked() != Shown) {
        const QSignalBlocker block(Btn_NotSearched);
        Btn_NotSearched->setChecked(Shown);
    }
    const QString text = SearchText(Shown ? SHideNotSearched : SShowNotSearched);
    Btn_NotSearched->setText(text);
    Btn_NotSearched->setAccessibleName(text);
    L_NotSearched->setVisible(Shown);
}

bool TManualSearchPanel::ResultsShown() const
{
    return !LV_SearchResults->isHidden();
}

void TManualSearchPanel::ShowResults(bool Shown)
{
    if (Shown == ResultsShown())
        return;
    LV_SearchResults->setVisible(Shown);
    if (FContents)
        FContents->setVisible(!Shown);
    emit ResultsShownChanged(Shown);
}

void TManualSearchPanel::FindInManual()
{
    StartIndexing();
    if (!E_ManualSearch->text().trimmed().isEmpty() && !ResultsShown())
        Search();
    E_ManualSearch->setFocus(Qt::ShortcutFocusReason);
    E_ManualSearch->selectAll();
}

void TManualSearchPanel::OpenResult(int Row)
{
    if (Row < 0 || Row >= static_cast<int>(Results().size()))
        return;
    LV_SearchResults->setCurrentIndex(FModel->index(Row));
    const TSearchResult& result = Results()[static_cast<size_t>(Row)];
    emit OpenRequested(std::filesystem::path(result.Entry->File.toStdString()), result.Page,
                       FQuery.MarkWords());
}

void TManualSearchPanel::NextResult()
{
    const int count = static_cast<int>(Results().size());
    if (count == 0 || !ResultsShown())
        return;
    const int row = LV_SearchResults->currentIndex().row();
    OpenResult(row < 0 ? 0 : (row + 1) % count);
}

void TManualSearchPanel::PreviousResult()
{
    const int count = static_cast<int>(Results().size());
    if (count == 0 || !ResultsShown())
        return;
    const int row = LV_SearchResults->currentIndex().row();
    OpenResult(row <= 0 ? count - 1 : row - 1);
}

void TManualSearchPanel::ReturnToContents()
{
    FSearchTimer->stop();
    ShowResults(false);
    UpdateStatus();
    if (FContents)
        FContents->setFocus(Qt::OtherFocusReason);
}

bool TManualSearchPanel::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(Watched, Event);
    auto* key = static_cast<QKeyEvent*>(Event);
    const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                       (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        ReturnToContents();
        return true;
    }
    if (Watched == E_ManualSearch) {
        if (enter) {
            if (FSearchTimer->isActive() || FSearched != E_ManualSearch->text() || !ResultsShown())
                Search();
            const int row = LV_SearchResults->currentIndex().row();
            OpenResult(row < 0 ? 0 : row);
            return true;
        }
        if (key->key() == Qt::Key_Down && ResultsShown() && !Results().empty()) {
            if (!LV_SearchResults->currentIndex().isValid())
                LV_SearchResults->setCurrentIndex(FModel->index(0));
            LV_SearchResults->setFocus(Qt::TabFocusReason);
            return true;
        }
    } else if (Watched == LV_SearchResults) {
        if (enter) {
            OpenResult(LV_SearchResults->currentIndex().row());
            return true;
        }
        if (key->key() == Qt::Key_Up && LV_SearchResults->currentIndex().row() <= 0) {
            E_ManualSearch->setFocus(Qt::BacktabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

}  // namespace tavo::docviewer
