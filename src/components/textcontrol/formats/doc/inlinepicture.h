#pragma once
// A picture in the text of a Word 97-2003 document: the PICF header in the Data stream with its
// Office drawing records (a picture-frame shape and the blip store entry holding the image).
#include <QByteArray>
#include <QImage>
#include <optional>

namespace InlinePicture {

// The Data-stream bytes of a PNG picture shown `widthTwips` by `heightTwips`.
QByteArray write(const QByteArray& png, int widthTwips, int heightTwips);

struct Picture {
    QImage image;
    int widthTwips = 0;  // 0 where the file gives no size
    int heightTwips = 0;
};

// The picture at `offset` of the Data stream; nothing for pictures kept in a form that is not
// a bitmap (metafiles) or data that are not a picture.
std::optional<Picture> read(const QByteArray& data, qint64 offset);

}  // namespace InlinePicture
