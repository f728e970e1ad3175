#pragma once
// The data and properties of one \pict group, and the image they make.
#include <QByteArray>
#include <QImage>
#include <QSizeF>

class RtfPicture {
public:
    void controlWord(const QByteArray& word, int parameter);
    void addHex(unsigned char digit);
    void addBinary(const QByteArray& bytes);

    // The picture; a metafile (which cannot be drawn here) gives a placeholder of its size.
    QImage image() const;
    // Size on the page, twips.
    QSizeF displaySize() const;

private:
    enum Kind { Unknown, Png, Jpeg, Dib, Bitmap, Metafile };
    static constexpr qsizetype MaxBytes = 64 * 1024 * 1024;

    Kind m_kind = Unknown;
    QByteArray m_data;
    int m_nibble = -1;
    int m_width = 0, m_height = 0;          // \picw, \pich
    int m_goalWidth = 0, m_goalHeight = 0;  // \picwgoal, \pichgoal (twips)
    int m_scaleX = 100, m_scaleY = 100;
    QString m_kindName;
};
