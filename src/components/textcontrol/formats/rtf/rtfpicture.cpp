#include "rtfpicture.h"

#include <QPainter>
#include <QtEndian>

void RtfPicture::controlWord(const QByteArray& word, int p)
{
    if (word == "pngblip")
        m_kind = Png;
    else if (word == "jpegblip")
        m_kind = Jpeg;
    else if (word == "dibitmap")
        m_kind = Dib;
    else if (word == "wbitmap")
        m_kind = Bitmap;
    else if (word == "wmetafile" || word == "emfblip" || word == "pmmetafile" || word == "macpict") {
        m_kind = Metafile;
        m_kindName = word == "emfblip" ? QStringLiteral("EMF") : QStringLiteral("WMF");
    } else if (word == "picw")
        m_width = std::clamp(p, 0, 1'000'000);
    else if (word == "pich")
        m_height = std::clamp(p, 0, 1'000'000);
    else if (word == "picwgoal")
        m_goalWidth = std::clamp(p, 0, 1'000'000);
    else if (word == "pichgoal")
        m_goalHeight = std::clamp(p, 0, 1'000'000);
    else if (word == "picscalex")
        m_scaleX = std::clamp(p, 1, 1000);
    else if (word == "picscaley")
        m_scaleY = std::clamp(p, 1, 1000);
}

void RtfPicture::addHex(unsigned char c)
{
    int d;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    else
        return;  // white space and stray characters between the digits
    if (m_data.size() >= MaxBytes)
        return;
    if (m_nibble < 0) {
        m_nibble = d;
    } else {
        m_data.append(char(m_nibble * 16 + d));
        m_nibble = -1;
    }
}

void RtfPicture::addBinary(const QByteArray& bytes)
{
    if (m_data.size() + bytes.size() <= MaxBytes)
        m_data.append(bytes);
}

QSizeF RtfPicture::displaySize() const
{
    double w = m_goalWidth, h = m_goalHeight;
    if (w <= 0 || h <= 0) {
        // Without goal sizes: pixels at 96 per inch, or hundredths of a millimetre for metafiles.
        const double perUnit = m_kind == Metafile ? 1440.0 / 2540.0 : 15.0;
        const QImage picture = m_kind == Metafile ? QImage() : image();
        w = m_width > 0 ? m_width * perUnit : picture.width() * 15.0;
        h = m_height > 0 ? m_height * perUnit : picture.height() * 15.0;
    }
    w = w * m_scaleX / 100.0;
    h = h * m_scaleY / 100.0;
    return {std::clamp(w, 15.0, 31680.0), std::clamp(h, 15.0, 31680.0)};
}

QImage RtfPicture::image() const
{
    QImage picture;
    switch (m_kind) {
    case Png: picture.loadFromData(m_data, "PNG"); break;
    case Jpeg: picture.loadFromData(m_data, "JPEG"); break;
    case Dib: {
        // A device-independent bitmap lacks the file header that BMP readers expect.
        if (m_data.size() < 40)
            break;
        const quint32 headerSize = qFromLittleEndian<quint32>(m_data.constData());
        const quint16 bits = qFromLittleEndian<quint16>(m_data.constData() + 14);
        quint32 colours = qFromLittleEndian<quint32>(m_data.constData() + 32);
        if (colours == 0 && bits <= 8)
            colours = 1u << bits;
        const quint32 offset = 14 + std::min<quint32>(headerSize, 1024) + std::min<quint32>(colours, 256) * 4;
        QByteArray file("BM");
        char word[4];
        qToLittleEndian<quint32>(quint32(14 + m_data.size()), word);
        file.append(word, 4);
        file.append(4, '\0');
        qToLittleEndian<quint32>(offset, word);
        file.append(word, 4);
        file.append(m_data);
        picture.loadFromData(file, "BMP");
        break;
    }
    case Unknown:
    case Bitmap: picture.loadFromData(m_data); break;
    case Metafile: break;
    }
    if (!picture.isNull() || m_kind != Metafile)
        return picture;
    // A visible placeholder with the picture's size, instead of a picture we cannot draw.
    const QSizeF size = displaySize();
    QImage placeholder(std::max(8, int(size.width() / 15)), std::max(8, int(size.height() / 15)),
                       QImage::Format_RGB32);
    placeholder.fill(QColor(0xee, 0xee, 0xee));
    QPainter painter(&placeholder);
    painter.setPen(QColor(0x88, 0x88, 0x88));
    painter.drawRect(placeholder.rect().adjusted(0, 0, -1, -1));
    painter.drawText(placeholder.rect(), Qt::AlignCenter, m_kindName + QStringLiteral(" picture"));
    return placeholder;
}
