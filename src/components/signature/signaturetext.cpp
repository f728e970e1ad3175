#include "signaturetext.h"

#include <QStringList>

namespace {
const QString Magic = QStringLiteral("SIG1");
}

bool Signature::isEmpty() const
{
    for (const SignatureStroke& stroke : strokes)
        if (!stroke.isEmpty())
            return false;
    return true;
}

// SIG1 W H;x y p,x y p,...;x y p,...   coordinates in whole pixels, pressure 0 to 255; each
// point after a stroke's first is written as its difference to the point before.
QString Signature::toText() const
{
    QString text = Magic + QStringLiteral(" %1 %2").arg(area.width()).arg(area.height());
    for (const SignatureStroke& stroke : strokes) {
        if (stroke.isEmpty())
            continue;
        text += QLatin1Char(';');
        QPoint last;
        for (int i = 0; i < stroke.size(); ++i) {
            const QPoint at = stroke.at(i).position.toPoint();
            const QPoint step = i == 0 ? at : at - last;
            const int pressure = std::clamp(int(stroke.at(i).pressure * 255 + 0.5), 0, 255);
            text += QStringLiteral("%1%2 %3 %4").arg(i ? QStringLiteral(",") : QString()).arg(step.x()).arg(step.y()).arg(pressure);
            last = at;
        }
    }
    return text;
}

Signature Signature::fromText(const QString& text)
{
    Signature s;
    const QStringList parts = text.split(QLatin1Char(';'));
    const QStringList head = parts.value(0).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (head.size() != 3 || head.at(0) != Magic)
        return {};
    s.area = QSize(std::clamp(head.at(1).toInt(), 0, 100000), std::clamp(head.at(2).toInt(), 0, 100000));
    for (qsizetype i = 1; i < parts.size(); ++i) {
        SignatureStroke stroke;
        QPoint last;
        for (const QString& point : parts.at(i).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList v = point.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (v.size() != 3)
                return {};
            // Positions stay within ±100,000, so every step between two fits in ±200,000.
            const QPoint step(std::clamp(v.at(0).toInt(), -200000, 200000), std::clamp(v.at(1).toInt(), -200000, 200000));
            last = stroke.isEmpty() ? step : last + step;
            last = QPoint(std::clamp(last.x(), -100000, 100000), std::clamp(last.y(), -100000, 100000));
            stroke.append({QPointF(last), std::clamp(v.at(2).toInt(), 0, 255) / 255.0});
        }
        s.strokes.append(stroke);
    }
    return s;
}
