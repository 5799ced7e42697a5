#pragma once
// The text the user selects on the pages: from the word where the drag began to the word
// under the mouse, across pages, in reading order; copied as lines and words.
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <compare>
#include <functional>
#include <optional>

class QPainter;

namespace tavo::pdfreader {

class TPdfDocument;

// A word on a page (both 0-based).
struct TTextPos {
    int Page = 0;
    int Word = 0;
    friend auto operator<=>(const TTextPos&, const TTextPos&) = default;
};

// The word at Point (points on Page): the one whose box holds it, else with Nearest the
// word of the nearest line nearest to it; none on a page without words.
std::optional<TTextPos> WordAt(TPdfDocument& Document, int Page, QPointF Point, bool Nearest);

class TTextSelection {
public:
    bool Active() const { return FSelection.has_value(); }
    void Clear() { FSelection.reset(); }
    // Begins at At (Anchor and Focus); Extend moves the focus.
    void Begin(TTextPos At) { FSelection = TSelection{At, At}; }
    void Extend(TTextPos To);

    // The selected words, a line break where a word starts below the one before it (and
    // between pages), a space where the document puts one.
    QString Text(TPdfDocument& Document) const;
    // Highlights the selected words of Page; ToView turns points on it into the viewport's.
    void Paint(QPainter& Painter, TPdfDocument& Document, int Page,
               const std::function<QRectF(const QRectF&)>& ToView, QColor Highlight) const;

private:
    struct TSelection {
        TTextPos Anchor, Focus;
    };
    // The selected words of Page: first and last index, or none.
    std::optional<std::pair<int, int>> WordsOn(int Page, int Count) const;

    std::optional<TSelection> FSelection;
};

}  // namespace tavo::pdfreader
