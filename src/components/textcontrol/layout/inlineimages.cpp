#include "inlineimages.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTextDocument>
#include <QTextFormat>
#include <QUrl>

namespace {

QImage imageOf(QTextDocument* document, const QTextImageFormat& format)
{
    const QUrl name(format.name());
    const QVariant resource = document->resource(QTextDocument::ImageResource, name);
    if (resource.typeId() == QMetaType::QImage)
        return resource.value<QImage>();
    if (resource.typeId() == QMetaType::QPixmap)
        return resource.value<QPixmap>().toImage();
    if (resource.typeId() == QMetaType::QByteArray) {
        QImage image = QImage::fromData(resource.toByteArray());
        if (!image.isNull())
            document->addResource(QTextDocument::ImageResource, name, image);  // decoded once
        return image;
    }
    return {};
}

}  // namespace

QSizeF InlineImages::intrinsicSize(QTextDocument* document, int, const QTextFormat& format)
{
    const QTextImageFormat image = format.toImageFormat();
    const bool hasWidth = image.hasProperty(QTextFormat::ImageWidth) && image.width() > 0;
    const bool hasHeight = image.hasProperty(QTextFormat::ImageHeight) && image.height() > 0;
    if (hasWidth && hasHeight)
        return QSizeF(image.width(), image.height());
    const QSizeF natural = imageOf(document, image).size();
    if (natural.isEmpty())
        return QSizeF(hasWidth ? image.width() : 16, hasHeight ? image.height() : 16);
    if (hasWidth)
        return QSizeF(image.width(), natural.height() * image.width() / natural.width());
    if (hasHeight)
        return QSizeF(natural.width() * image.height() / natural.height(), image.height());
    return natural;
}

void InlineImages::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                              const QTextFormat& format)
{
    const QImage image = imageOf(document, format.toImageFormat());
    if (image.isNull()) {
        painter->fillRect(rect, QColor(0xd0, 0xd0, 0xd0));
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(rect, image);
    painter->restore();
}
