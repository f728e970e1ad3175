#include "objects.h"

#include "controltexts.h"
#include "layoutunits.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QUrl>

namespace Objects {
namespace {

QString nameFor(int id) { return QStringLiteral("object%1.png").arg(id); }

QTextCharFormat formatAt(const QTextDocument* document, int position)
{
    const QTextBlock block = document->findBlock(position);
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (f.contains(position))
            return f.charFormat();
    }
    return {};
}

}  // namespace

std::optional<QTextImageFormat> load(QTextDocument* document, const QString& path, int scaleX, int scaleY, QString* error)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return std::nullopt;
    }
    int id = 1;
    while (!document->resource(QTextDocument::ImageResource, QUrl(nameFor(id))).isNull())
        ++id;
    document->addResource(QTextDocument::ImageResource, QUrl(nameFor(id)), image);
    QTextImageFormat format;
    format.setName(nameFor(id));
    format.setProperty(IdProperty, id);
    format.setProperty(SaveModeProperty, 1);
    format.setProperty(SourceProperty, path);
    // The picture's own resolution decides its size on the page, as 96 per inch by default.
    const double dotsPerInch = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() * 0.0254 : 96.0;
    format.setWidth(image.width() * LayoutUnits::UnitsPerInch / dotsPerInch * std::clamp(scaleX, 1, 1000) / 100.0);
    format.setHeight(image.height() * LayoutUnits::UnitsPerInch / dotsPerInch * std::clamp(scaleY, 1, 1000) / 100.0);
    return format;
}

int selectedImage(const QTextCursor& cursor)
{
    if (cursor.selectionEnd() - cursor.selectionStart() != 1)
        return -1;
    const int position = cursor.selectionStart();
    return formatAt(cursor.document(), position).isImageFormat() ? position : -1;
}

int idAt(const QTextDocument* document, int position)
{
    const QTextCharFormat format = formatAt(document, position);
    if (!format.isImageFormat())
        return 0;
    if (const int id = format.intProperty(IdProperty))
        return id;
    return position + 1;  // an image read from a file without one: its place names it
}

QTextFrame* placedFrame(const QTextDocument* document, int position)
{
    QTextFrame* frame = document->frameAt(position);
    if (frame && frame != document->rootFrame() && frame->frameFormat().position() != QTextFrameFormat::InFlow)
        return frame;
    return nullptr;
}

void reflowAround(QTextFrame* frame)
{
    // The paragraphs beside a picture are few; forty of them cover any picture's height.
    QTextDocument* document = frame->document();
    QTextBlock block = document->findBlock(frame->lastPosition() + 1);
    for (int n = 0; n < 40 && block.next().isValid(); ++n)
        block = block.next();
    const int end = block.position() + block.length();
    document->markContentsDirty(frame->firstPosition(), std::max(0, end - frame->firstPosition() - 1));
}

QRectF rect(const QTextDocument* document, int position)
{
    const QTextCharFormat format = formatAt(document, position);
    const QTextBlock block = document->findBlock(position);
    if (!format.isImageFormat() || !block.layout())
        return {};
    const QTextLine line = block.layout()->lineForTextPosition(position - block.position());
    if (!line.isValid())
        return {};
    const QTextImageFormat image = format.toImageFormat();
    const QRectF box = document->documentLayout()->blockBoundingRect(block);
    const double x = line.cursorToX(position - block.position());
    return QRectF(box.left() + x, box.top() + line.y() + line.ascent() - image.height(), image.width(), image.height());
}

int imageAt(const QTextDocument* document, QPointF point)
{
    const int hit = document->documentLayout()->hitTest(point, Qt::FuzzyHit);
    for (const int position : {hit, hit - 1})
        if (position >= 0 && rect(document, position).contains(point))
            return position;
    return -1;
}

QByteArray png(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

std::optional<Picture> picture(const QTextDocument* document, const QTextImageFormat& format)
{
    const QImage image = document->resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    if (image.isNull())
        return std::nullopt;
    const QSizeF size(format.width() > 0 ? format.width() : image.width(),
                      format.height() > 0 ? format.height() : image.height());
    return Picture{image, png(image), size};
}

bool isLinked(const QTextCharFormat& format)
{
    return format.isImageFormat() && format.hasProperty(SaveModeProperty) && format.intProperty(SaveModeProperty) == 0
        && !format.stringProperty(SourceProperty).isEmpty();
}

void loadLinks(QTextDocument* document, const QString& folder)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!isLinked(format))
                continue;
            const QTextImageFormat image = format.toImageFormat();
            const QUrl name(image.name());
            if (!document->resource(QTextDocument::ImageResource, name).isNull())
                continue;
            const QString source = format.stringProperty(SourceProperty);
            QImage picture(source);
            if (picture.isNull() && !folder.isEmpty())
                picture = QImage(QDir(folder).filePath(QFileInfo(source).fileName()));
            if (picture.isNull()) {
                picture = QImage(std::max(8, int(image.width())), std::max(8, int(image.height())), QImage::Format_RGB32);
                picture.fill(QColor(0xc0, 0xc0, 0xc0));
            }
            document->addResource(QTextDocument::ImageResource, name, picture);
        }
}

QString filters()
{
    QStringList patterns;
    for (const QByteArray& suffix : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(suffix);
    return ControlTexts::imagesFilter() + QLatin1Char('|') + patterns.join(QLatin1Char(';')) + QLatin1Char('|')
        + ControlTexts::allFilesFilter() + QStringLiteral("|*.*");
}

QTextFrame* place(QTextCursor& cursor, const QTextImageFormat& image, bool right, const QMarginsF& distances,
                  int textflow)
{
    QTextFrameFormat frame;
    frame.setPosition(right ? QTextFrameFormat::FloatRight : QTextFrameFormat::FloatLeft);
    frame.setBorder(0);
    frame.setPadding(0);
    frame.setLeftMargin(distances.left());
    frame.setTopMargin(distances.top());
    frame.setRightMargin(distances.right());
    frame.setBottomMargin(distances.bottom());
    frame.setWidth(image.width());
    frame.setProperty(TextflowProperty, textflow);
    cursor.beginEditBlock();
    QTextFrame* placed = cursor.insertFrame(frame);
    cursor.insertImage(image);
    cursor.endEditBlock();
    reflowAround(placed);
    cursor.setPosition(placed->firstPosition());
    cursor.setPosition(placed->firstPosition() + 1, QTextCursor::KeepAnchor);
    return placed;
}

namespace {

// The distances of a placed image are its frame's margins; an image in the text keeps them
// for the time it is placed.
double frameMargin(const QTextFrameFormat& f, int index)
{
    switch (index) {
    case 1: return f.leftMargin();
    case 2: return f.topMargin();
    case 3: return f.rightMargin();
    default: return f.bottomMargin();
    }
}

void setFrameMargin(QTextFrameFormat& f, int index, double units)
{
    switch (index) {
    case 1: f.setLeftMargin(units); break;
    case 2: f.setTopMargin(units); break;
    case 3: f.setRightMargin(units); break;
    default: f.setBottomMargin(units); break;
    }
}

}  // namespace

int distance(const QTextCursor& cursor, int index)
{
    const int position = selectedImage(cursor);
    if (position < 0 || index < 1 || index > 4)
        return 0;
    if (const QTextFrame* frame = placedFrame(cursor.document(), position))
        return LayoutUnits::toTwips(frameMargin(frame->frameFormat(), index));
    return cursor.charFormat().intProperty(DistanceProperty + index - 1);
}

bool setPlacedDistance(const QTextCursor& cursor, int index, int twips)
{
    const int position = selectedImage(cursor);
    QTextFrame* frame = position < 0 ? nullptr : placedFrame(cursor.document(), position);
    if (!frame)
        return false;
    QTextFrameFormat format = frame->frameFormat();
    setFrameMargin(format, index, LayoutUnits::fromTwips(std::max(0, twips)));
    frame->setFrameFormat(format);
    reflowAround(frame);
    return true;
}

bool resize(QTextCursor cursor, QSizeF size)
{
    if (selectedImage(cursor) < 0 || size.width() < 4 || size.height() < 4)
        return false;
    QTextImageFormat format;
    format.setWidth(size.width());
    format.setHeight(size.height());
    cursor.beginEditBlock();
    cursor.mergeCharFormat(format);
    if (QTextFrame* frame = placedFrame(cursor.document(), cursor.selectionStart())) {
        QTextFrameFormat framing = frame->frameFormat();
        framing.setWidth(size.width());
        frame->setFrameFormat(framing);
        reflowAround(frame);
    }
    cursor.endEditBlock();
    return true;
}

}  // namespace Objects
