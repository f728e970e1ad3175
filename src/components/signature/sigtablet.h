#pragma once
// The tablet control (SigTablet1): turns a signature text into an image file. Properties:
// 49 the signature text, 2 and 3 the image's width and height in pixels, 1 and 32 the
// drawing (4: the strokes fitted to the image, dark ink on white). Method 71 writes the file.
#include <QObject>
#include <QVariant>

class SigTablet : public QObject {
    Q_OBJECT
public:
    explicit SigTablet(QObject* parent = nullptr);
    void setProperty(int id, const QVariant& value);
    // Method 71: writes the image (JPEG by the name's extension); false when it cannot.
    bool writeImage(const QString& path) const;
    QImage render() const;

private:
    QString m_text;
    int m_width = 200, m_height = 70;
    int m_fit = 4, m_ink = 4;
};
