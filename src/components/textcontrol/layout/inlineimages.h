#pragma once
// Pictures standing in the text like characters: their size on the line and their drawing.
// The picture comes from the document's image resource of the format's name; a picture the
// document does not have shows as a grey box of its size.
#include <QObject>
#include <QTextObjectInterface>

class InlineImages : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;
};
