#pragma once
// The inverted outline of a bar being dragged. It lies over the whole split and inverts
// the pixels of its strips, so that drawing a strip twice gives back the screen as it was,
// and a crossing drawn by both strips shows uninverted, as on the platform's screen.
#include <QRect>
#include <QWidget>
#include <vector>

namespace tavo::split {

class TDragOutline : public QWidget {
    Q_OBJECT
public:
    explicit TDragOutline(QWidget* Parent);

    // Inverts Strip once more: a strip already inverted is restored.
    void Invert(const QRect& Strip);
    void Clear();
    const std::vector<QRect>& Strips() const { return FStrips; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    std::vector<QRect> FStrips;
};

}  // namespace tavo::split
