#pragma once
// Find in the document: the next (or previous) occurrence of a text after the one shown,
// page by page in slices of the event loop, so that the window answers while a long
// document is searched; every hit of a page is painted, the current one stronger.
#include <QHash>
#include <QList>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <utility>

class QPainter;

namespace tavo::pdfreader {

class TPdfDocument;

class TPageFind : public QObject {
    Q_OBJECT

public:
    explicit TPageFind(QObject* Parent = nullptr);

    // The document searched (not owned); any search ends.
    void SetDocument(TPdfDocument* Document);
    // From the hit shown on; without one from FromPage (0-based). Ends with finished();
    // a blank text clears instead.
    void Find(const QString& Text, bool Backwards, int FromPage);
    void Clear();
    const QString& Text() const { return FText; }

    // The hits of Page (points on it), the current one stronger; ToView turns points on
    // the page into the viewport's.
    void Paint(QPainter& Painter, int Page, const std::function<QRectF(const QRectF&)>& ToView);

signals:
    // The hit found, to be brought into view.
    void show(int Page, const QRectF& Hit);
    void finished(bool Found);
    // What is painted changed.
    void changed();

private:
    void Step();
    const QList<QRectF>& Hits(int Page);

    TPdfDocument* FDoc = nullptr;
    QString FText;
    QHash<int, QList<QRectF>> FHits;
    std::optional<std::pair<int, int>> FCurrent;  // page, index of the hit shown
    QTimer FTimer;
    bool FBackwards = false;
    int FNextPage = 0;
    int FRemaining = 0;
};

}  // namespace tavo::pdfreader
