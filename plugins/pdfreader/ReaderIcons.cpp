#include "ReaderIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace tavo::pdfreader {

namespace {

// Draws on a 16 x 16 grid whatever the pixel ratio, so the icon stays sharp on HiDPI.
void Draw(QPainter& P, TReaderIcon Icon, const QColor& Ink)
{
    P.setRenderHint(QPainter::Antialiasing);
    QPen pen(Ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    P.setPen(pen);
    switch (Icon) {
    case TReaderIcon::riZoomIn:
    case TReaderIcon::riZoomOut:
        P.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
        P.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
        P.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
        if (Icon == TReaderIcon::riZoomIn)
            P.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
        break;
    case TReaderIcon::riFitWidth:
        P.drawRect(QRectF(3.5, 2.5, 9, 11));
        P.drawLine(QPointF(1, 8), QPointF(15, 8));
        P.drawLine(QPointF(1, 8), QPointF(3, 6));
        P.drawLine(QPointF(1, 8), QPointF(3, 10));
        P.drawLine(QPointF(15, 8), QPointF(13, 6));
        P.drawLine(QPointF(15, 8), QPointF(13, 10));
        break;
    case TReaderIcon::riFitPage:
        P.drawRect(QRectF(4.5, 1.5, 7, 13));
        P.drawLine(QPointF(8, 4), QPointF(8, 12));
        P.drawLine(QPointF(8, 4), QPointF(6.5, 5.5));
        P.drawLine(QPointF(8, 4), QPointF(9.5, 5.5));
        P.drawLine(QPointF(8, 12), QPointF(6.5, 10.5));
        P.drawLine(QPointF(8, 12), QPointF(9.5, 10.5));
        break;
    case TReaderIcon::riActualSize: {
        // "1:1"
        P.drawLine(QPointF(3, 4.5), QPointF(4.5, 3));
        P.drawLine(QPointF(4.5, 3), QPointF(4.5, 13));
        P.drawLine(QPointF(11.5, 4.5), QPointF(13, 3));
        P.drawLine(QPointF(13, 3), QPointF(13, 13));
        P.setBrush(Ink);
        P.drawEllipse(QPointF(8.5, 6), 0.6, 0.6);
        P.drawEllipse(QPointF(8.5, 11), 0.6, 0.6);
        break;
    }
    case TReaderIcon::riBack:
    case TReaderIcon::riForward: {
        const bool back = Icon == TReaderIcon::riBack;
        const double tip = back ? 2.5 : 13.5;
        const double tail = back ? 13.5 : 2.5;
        const double wing = back ? 7 : 9;
        P.drawLine(QPointF(tip, 8), QPointF(tail, 8));
        P.drawPolyline(QPolygonF({QPointF(wing, 3.5), QPointF(tip, 8), QPointF(wing, 12.5)}));
        break;
    }
    case TReaderIcon::riPrint:
        P.drawRect(QRectF(4.5, 1.5, 7, 4));
        P.drawRect(QRectF(1.5, 5.5, 13, 6));
        P.drawRect(QRectF(4.5, 9.5, 7, 5));
        break;
    case TReaderIcon::riSave:
        P.drawPolyline(QPolygonF({QPointF(8, 1.5), QPointF(8, 10), QPointF(4.5, 6.5)}));
        P.drawLine(QPointF(8, 10), QPointF(11.5, 6.5));
        P.drawPolyline(
            QPolygonF({QPointF(2, 10.5), QPointF(2, 14.5), QPointF(14, 14.5), QPointF(14, 10.5)}));
        break;
    case TReaderIcon::riOpenExternally:
        P.drawPolyline(QPolygonF({QPointF(7, 2.5), QPointF(2.5, 2.5), QPointF(2.5, 13.5),
                                  QPointF(13.5, 13.5), QPointF(13.5, 9)}));
        P.drawLine(QPointF(7.5, 8.5), QPointF(14, 2));
        P.drawPolyline(QPolygonF({QPointF(9.5, 2), QPointF(14, 2), QPointF(14, 6.5)}));
        break;
    case TReaderIcon::riPrevious:
        P.drawPolyline(QPolygonF({QPointF(3, 10.5), QPointF(8, 5.5), QPointF(13, 10.5)}));
        break;
    case TReaderIcon::riNext:
        P.drawPolyline(QPolygonF({QPointF(3, 5.5), QPointF(8, 10.5), QPointF(13, 5.5)}));
        break;
    }
}

QPixmap Render(TReaderIcon Icon, const QColor& Ink, qreal Ratio)
{
    QPixmap pixmap(QSize(16, 16) * Ratio);
    pixmap.setDevicePixelRatio(Ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Draw(painter, Icon, Ink);
    return pixmap;
}

}  // namespace

QIcon ReaderIcon(TReaderIcon Icon, const QPalette& Palette)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0, 3.0}) {
        icon.addPixmap(Render(Icon, Palette.color(QPalette::Active, QPalette::ButtonText), ratio),
                       QIcon::Normal);
        icon.addPixmap(Render(Icon, Palette.color(QPalette::Disabled, QPalette::ButtonText), ratio),
                       QIcon::Disabled);
    }
    return icon;
}

}  // namespace tavo::pdfreader
