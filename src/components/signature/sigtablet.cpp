#include "sigtablet.h"

#include "signaturetext.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

SigTablet::SigTablet(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("SigTablet1")); }

void SigTablet::setProperty(int id, const QVariant& value)
{
    switch (id) {
    case 49: m_text = value.toString(); break;
    case 2: m_width = std::clamp(value.toInt(), 1, 4000); break;
    case 3: m_height = std::clamp(value.toInt(), 1, 4000); break;
    case 1: m_fit = value.toInt(); break;
    case 32: m_ink = value.toInt(); break;
    default: break;
    }
}

QImage SigTablet::render() const
{
    QImage image(m_width, m_height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const Signature signature = Signature::fromText(m_text);
    QRectF bounds;
    for (const SignatureStroke& stroke : signature.strokes)
        for (const SignaturePoint& p : stroke)
            bounds = bounds.isNull() ? QRectF(p.position, QSizeF(0.01, 0.01)) : bounds.united(QRectF(p.position, QSizeF(0.01, 0.01)));
    if (bounds.isNull())
        return image;
    // 4: fitted to the image with a small margin, keeping the signature's proportions;
    // otherwise the signing area is scaled to the image as a whole.
    const double margin = 4;
    QTransform fit;
    if (m_fit == 4) {
        const double scale = std::min((m_width - 2 * margin) / std::max(bounds.width(), 1.0),
                                      (m_height - 2 * margin) / std::max(bounds.height(), 1.0));
        fit.translate(m_width / 2.0, m_height / 2.0);
        fit.scale(scale, scale);
        fit.translate(-bounds.center().x(), -bounds.center().y());
    } else if (!signature.area.isEmpty()) {
        fit.scale(double(m_width) / signature.area.width(), double(m_height) / signature.area.height());
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = m_ink == 4 ? QColor(0x10, 0x10, 0x30) : QColor(Qt::black);
    for (const SignatureStroke& stroke : signature.strokes) {
        for (int i = 0; i < stroke.size(); ++i) {
            const QPointF from = fit.map(stroke.at(std::max(0, i - 1)).position);
            const QPointF to = fit.map(stroke.at(i).position);
            painter.setPen(QPen(ink, 1.2 + 1.8 * stroke.at(i).pressure, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawLine(from, to);
        }
    }
    return image;
}

bool SigTablet::writeImage(const QString& path) const
{
    return render().save(path, nullptr, 92);
}
