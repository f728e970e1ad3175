#include "inlinepicture.h"

#include "littleendian.h"

#include <QCryptographicHash>

namespace InlinePicture {
namespace {

constexpr int PicfSize = 0x44;
constexpr int MmShape = 0x64;       // the picture is a drawing shape
constexpr int MmShapeFile = 0x66;   // the same, with a file name after the header
constexpr quint16 SpContainer = 0xF004;
constexpr quint16 Fsp = 0xF00A;
constexpr quint16 Fopt = 0xF00B;
constexpr quint16 Fbse = 0xF007;
constexpr quint16 BlipFirst = 0xF018, BlipLast = 0xF117;
constexpr quint16 BlipJpeg = 0xF01D, BlipPng = 0xF01E, BlipDib = 0xF01F, BlipTiff = 0xF029, BlipJpegCmyk = 0xF02A;
constexpr int PictureFrameShape = 75;
constexpr int BlipTypePng = 6;

void header(LittleEndian::Writer& out, int version, int instance, quint16 type, quint32 length)
{
    out.u16(version | (instance << 4));
    out.u16(type);
    out.u32(length);
}

// A DIB as kept in a drawing lacks the file header that image readers expect.
QByteArray bmpFile(const QByteArray& dib)
{
    const LittleEndian::Reader d{dib};
    const quint32 headerSize = d.u32(0);
    const int bitCount = d.u16(14);
    const quint32 compression = d.u32(16);
    quint32 colours = d.u32(32);
    if (colours == 0 && bitCount <= 8)
        colours = 1u << bitCount;
    quint32 offset = 14 + headerSize + std::min<quint32>(colours, 256) * 4;
    if (headerSize == 40 && compression == 3)
        offset += 12;  // the bit-field masks
    LittleEndian::Writer out;
    out.u8('B');
    out.u8('M');
    out.u32(quint32(14 + dib.size()));
    out.u32(0);
    out.u32(offset);
    out.append(dib);
    return out.bytes;
}

class Walker {
public:
    explicit Walker(const QByteArray& data) : m_d{data} {}

    // The first bitmap among the drawing records from `at` to `end`.
    QImage find(qint64 at, qint64 end, int depth = 0) const
    {
        while (depth < 8 && at + 8 <= end && m_d.has(at, 8)) {
            const int version = m_d.u16(at) & 0x0F;
            const int instance = m_d.u16(at) >> 4;
            const quint16 type = m_d.u16(at + 2);
            const qint64 length = m_d.u32(at + 4);
            const qint64 body = at + 8;
            const qint64 stop = std::min(end, body + length);
            QImage image;
            if (version == 0x0F)
                image = find(body, stop, depth + 1);
            else if (type == Fbse)
                image = find(body + 36 + m_d.u8(body + 33), stop, depth + 1);
            else if (type >= BlipFirst && type <= BlipLast)
                image = blip(type, instance, body, stop);
            if (!image.isNull())
                return image;
            if (length == 0 && version != 0x0F)
                at = body;
            else
                at = body + length;
        }
        return {};
    }

private:
    QImage blip(quint16 type, int instance, qint64 body, qint64 stop) const
    {
        if (type != BlipJpeg && type != BlipPng && type != BlipDib && type != BlipTiff && type != BlipJpegCmyk)
            return {};  // metafiles: not a bitmap
        const qint64 start = body + 16 * (1 + (instance & 1)) + 1;  // one or two ids and a tag
        if (start >= stop)
            return {};
        QByteArray bytes = m_d.bytes.mid(start, stop - start);
        if (type == BlipDib)
            bytes = bmpFile(bytes);
        QImage image;
        image.loadFromData(bytes);
        return image;
    }

    LittleEndian::Reader m_d;
};

}  // namespace

QByteArray write(const QByteArray& png, int widthTwips, int heightTwips)
{
    const QByteArray id = QCryptographicHash::hash(png, QCryptographicHash::Md5);

    LittleEndian::Writer blip;
    header(blip, 0, 0x6E0, BlipPng, quint32(17 + png.size()));
    blip.append(id);
    blip.u8(0xFF);
    blip.append(png);

    LittleEndian::Writer shape;
    header(shape, 2, PictureFrameShape, Fsp, 8);
    shape.u32(1025);
    shape.u32(0x0A00);  // has an anchor, has a shape type
    header(shape, 3, 1, Fopt, 6);
    shape.u16(0x4104);  // the picture: entry 1 of the blip store
    shape.u32(1);

    LittleEndian::Writer drawing;
    header(drawing, 0x0F, 0, SpContainer, quint32(shape.size()));
    drawing.append(shape.bytes);
    header(drawing, 2, BlipTypePng, Fbse, quint32(36 + blip.size()));
    drawing.u8(BlipTypePng);
    drawing.u8(BlipTypePng);
    drawing.append(id);
    drawing.u16(0xFF);
    drawing.u32(quint32(blip.size()));
    drawing.u32(1);  // references
    drawing.u32(0);  // the blip follows here, not elsewhere
    drawing.u32(0);  // unused, name length, unused
    drawing.append(blip.bytes);

    LittleEndian::Writer out;
    out.u32(quint32(PicfSize + drawing.size()));
    out.u16(PicfSize);
    out.u16(MmShape);
    out.zeros(6 + 14);
    out.u16(std::clamp(widthTwips, 1, 31680));
    out.u16(std::clamp(heightTwips, 1, 31680));
    out.u16(1000);  // scale, per thousand
    out.u16(1000);
    out.zeros(PicfSize - out.size());
    out.append(drawing.bytes);
    return out.bytes;
}

std::optional<Picture> read(const QByteArray& data, qint64 offset)
{
    const LittleEndian::Reader d{data};
    const qint64 lcb = d.u32(offset);
    const int cbHeader = d.u16(offset + 4);
    const int mm = d.u16(offset + 6);
    if (cbHeader < PicfSize || lcb <= cbHeader || !d.has(offset, lcb) || (mm != MmShape && mm != MmShapeFile))
        return std::nullopt;
    qint64 at = offset + cbHeader;
    if (mm == MmShapeFile)
        at += 1 + d.u8(at);
    Picture picture;
    picture.image = Walker(data).find(at, offset + lcb);
    if (picture.image.isNull())
        return std::nullopt;
    const int mx = d.u16(offset + 32) ? d.u16(offset + 32) : 1000;
    const int my = d.u16(offset + 34) ? d.u16(offset + 34) : 1000;
    picture.widthTwips = int(qint64(d.i16(offset + 28)) * mx / 1000);
    picture.heightTwips = int(qint64(d.i16(offset + 30)) * my / 1000);
    if (picture.widthTwips <= 0 || picture.heightTwips <= 0)
        picture.widthTwips = picture.heightTwips = 0;
    return picture;
}

}  // namespace InlinePicture
