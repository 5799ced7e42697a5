#include "ArtworkIcon.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

namespace tavo::tools {

namespace {

QImage Render(QSvgRenderer& Renderer, const QSize& Size)
{
    QImage image(Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (Renderer.isValid()) {
        QPainter p(&image);
        Renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(Size)));
    }
    return image;
}

class TArtworkEngine : public QIconEngine {
public:
    explicit TArtworkEngine(QString Resource) : FResource(std::move(Resource)) {}

    QIconEngine* clone() const override { return new TArtworkEngine(FResource); }
    QString key() const override { return QStringLiteral("tavo-artwork"); }
    bool isNull() override { return !Renderer().isValid(); }
    QSize actualSize(const QSize& Size, QIcon::Mode, QIcon::State) override { return Size; }

    QPixmap pixmap(const QSize& Size, QIcon::Mode Mode, QIcon::State State) override
    {
        return scaledPixmap(Size, Mode, State, 1.0);
    }

    QPixmap scaledPixmap(const QSize& Size, QIcon::Mode Mode, QIcon::State, qreal Scale) override
    {
        const QSize device = Size * Scale;
        if (device.isEmpty())
            return QPixmap();
        const quint64 key = (quint64(device.width()) << 32) | quint64(device.height());
        QPixmap& cached = FCache[key];
        if (cached.isNull()) {
            cached = QPixmap::fromImage(Render(Renderer(), device));
            cached.setDevicePixelRatio(Scale);
        }
        if (Mode == QIcon::Normal || Mode == QIcon::Active || !qApp)
            return cached;
        // Disabled and selected looks as the style makes them from the normal picture.
        QStyleOption option;
        return QApplication::style()->generatedIconPixmap(Mode, cached, &option);
    }

    void paint(QPainter* Painter, const QRect& Rect, QIcon::Mode Mode, QIcon::State State) override
    {
        const qreal scale = Painter->device() ? Painter->device()->devicePixelRatioF() : 1.0;
        Painter->drawPixmap(Rect, scaledPixmap(Rect.size(), Mode, State, scale));
    }

private:
    QSvgRenderer& Renderer()
    {
        if (!FRenderer)
            FRenderer = std::make_unique<QSvgRenderer>(FResource);
        return *FRenderer;
    }

    QString FResource;
    std::unique_ptr<QSvgRenderer> FRenderer;
    QHash<quint64, QPixmap> FCache;
};

}  // namespace

QIcon ArtworkIcon(const QString& Resource)
{
    return QIcon(new TArtworkEngine(Resource));
}

QPixmap ArtworkPixmap(const QString& Resource, int Size, qreal DevicePixelRatio)
{
    // The splash and the main window show the same logos: drawn once.
    const QString key =
        QStringLiteral("tavo-artwork:%1:%2:%3").arg(Resource).arg(Size).arg(DevicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    QSvgRenderer renderer(Resource);
    pixmap = QPixmap::fromImage(Render(renderer, QSize(Size, Size) * DevicePixelRatio));
    pixmap.setDevicePixelRatio(DevicePixelRatio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

}  // namespace tavo::tools
