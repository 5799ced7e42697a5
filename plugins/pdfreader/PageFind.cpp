#include "PageFind.h"

#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>

#include "PdfDocument.h"

namespace tavo::pdfreader {

TPageFind::TPageFind(QObject* Parent) : QObject(Parent)
{
    FTimer.setInterval(0);
    connect(&FTimer, &QTimer::timeout, this, &TPageFind::Step);
}

void TPageFind::SetDocument(TPdfDocument* Document)
{
    FDoc = Document;
    FText.clear();
    FHits.clear();
    FCurrent.reset();
    FTimer.stop();
}

const QList<QRectF>& TPageFind::Hits(int Page)
{
    auto found = FHits.find(Page);
    if (found == FHits.end())
        found = FHits.insert(Page, FDoc->Search(Page, FText));
    return found.value();
}

void TPageFind::Clear()
{
    FText.clear();
    FHits.clear();
    FCurrent.reset();
    FTimer.stop();
    emit changed();
}

void TPageFind::Find(const QString& Text, bool Backwards, int FromPage)
{
    if (!FDoc || Text.trimmed().isEmpty()) {
        Clear();
        return;
    }
    if (Text != FText) {
        FText = Text;
        FHits.clear();
        FCurrent.reset();
    }
    FBackwards = Backwards;
    const int count = FDoc->PageCount();
    if (FCurrent) {
        // The next hit on the same page, else on from the next page round to this one.
        const auto [page, index] = *FCurrent;
        const int next = index + (Backwards ? -1 : 1);
        if (next >= 0 && next < Hits(page).size()) {
            FCurrent = {page, next};
            emit show(page, Hits(page)[next]);
            emit finished(true);
            return;
        }
        FNextPage = (page + (Backwards ? count - 1 : 1)) % count;
    } else {
        FNextPage = std::max(0, FromPage);
    }
    FRemaining = count;
    FTimer.start();
    emit changed();
}

// A slice of the search; the window stays responsive while a long document is searched.
void TPageFind::Step()
{
    if (!FDoc) {
        FTimer.stop();
        return;
    }
    QElapsedTimer slice;
    slice.start();
    const int count = FDoc->PageCount();
    while (FRemaining > 0) {
        const int page = FNextPage;
        const QList<QRectF>& hits = Hits(page);
        if (!hits.isEmpty()) {
            FTimer.stop();
            const int index = FBackwards ? int(hits.size()) - 1 : 0;
            FCurrent = {page, index};
            emit show(page, hits[index]);
            emit finished(true);
            return;
        }
        FNextPage = (page + (FBackwards ? count - 1 : 1)) % count;
        --FRemaining;
        if (slice.elapsed() > 12)
            return;
    }
    FTimer.stop();
    emit changed();
    emit finished(false);
}

void TPageFind::Paint(QPainter& Painter, int Page,
                      const std::function<QRectF(const QRectF&)>& ToView)
{
    if (FText.isEmpty() || !FDoc)
        return;
    const QList<QRectF>& hits = Hits(Page);
    for (int i = 0; i < hits.size(); ++i) {
        const bool current = FCurrent && FCurrent->first == Page && FCurrent->second == i;
        Painter.fillRect(ToView(hits[i]).adjusted(-1, -1, 1, 1),
                         current ? QColor(255, 140, 0, 140) : QColor(255, 230, 0, 110));
    }
}

}  // namespace tavo::pdfreader
