#include "TextSelection.h"

#include <QPainter>
#include <algorithm>

#include "PdfDocument.h"

namespace tavo::pdfreader {

std::optional<TTextPos> WordAt(TPdfDocument& Document, int Page, QPointF Point, bool Nearest)
{
    if (Page < 0)
        return std::nullopt;
    const auto& words = Document.Words(Page);
    int best = -1;
    double bestDistance = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        const QRectF box = words[i].Box;
        if (box.adjusted(-1, -1, 1, 1).contains(Point))
            return TTextPos{Page, int(i)};
        const double dx = std::max({box.left() - Point.x(), 0.0, Point.x() - box.right()});
        const double dy = std::max({box.top() - Point.y(), 0.0, Point.y() - box.bottom()});
        // The nearest line first, then the nearest word on it: a point beside a line picks a
        // word of that line however far away.
        const double distance = dy * 1e6 + dx;
        if (best < 0 || distance < bestDistance) {
            best = int(i);
            bestDistance = distance;
        }
    }
    if (!Nearest || best < 0)
        return std::nullopt;
    return TTextPos{Page, best};
}

void TTextSelection::Extend(TTextPos To)
{
    if (FSelection)
        FSelection->Focus = To;
}

std::optional<std::pair<int, int>> TTextSelection::WordsOn(int Page, int Count) const
{
    if (!FSelection)
        return std::nullopt;
    const TTextPos from = std::min(FSelection->Anchor, FSelection->Focus);
    const TTextPos to = std::max(FSelection->Anchor, FSelection->Focus);
    if (Page < from.Page || Page > to.Page)
        return std::nullopt;
    return std::pair{Page == from.Page ? from.Word : 0, Page == to.Page ? to.Word : Count - 1};
}

QString TTextSelection::Text(TPdfDocument& Document) const
{
    if (!FSelection)
        return {};
    const int first = std::min(FSelection->Anchor, FSelection->Focus).Page;
    const int last = std::max(FSelection->Anchor, FSelection->Focus).Page;
    QString text;
    for (int page = first; page <= last; ++page) {
        const auto& words = Document.Words(page);
        const auto range = WordsOn(page, int(words.size()));
        if (page > first && !text.isEmpty())
            text += u'\n';
        for (int i = std::max(0, range->first); i <= range->second && i < int(words.size()); ++i) {
            const TPdfWord& word = words[size_t(i)];
            if (i > range->first) {
                const TPdfWord& before = words[size_t(i - 1)];
                if (word.Box.top() >= before.Box.center().y())
                    text += u'\n';
                else if (before.SpaceAfter)
                    text += u' ';
            }
            text += word.Text;
        }
    }
    return text;
}

void TTextSelection::Paint(QPainter& Painter, TPdfDocument& Document, int Page,
                           const std::function<QRectF(const QRectF&)>& ToView,
                           QColor Highlight) const
{
    if (!FSelection)
        return;
    const auto& words = Document.Words(Page);
    const auto range = WordsOn(Page, int(words.size()));
    if (!range)
        return;
    Highlight.setAlpha(90);
    for (int i = std::max(0, range->first); i <= range->second && i < int(words.size()); ++i)
        Painter.fillRect(ToView(words[size_t(i)].Box), Highlight);
}

}  // namespace tavo::pdfreader
