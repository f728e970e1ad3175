#include "fontlinemetrics.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QRawFont>
#include <QtEndian>

namespace FontLineMetrics {

namespace {

qint16 signedAt(const QByteArray& table, int offset)
{
    return offset + 2 <= table.size() ? qFromBigEndian<qint16>(table.constData() + offset) : 0;
}

quint16 unsignedAt(const QByteArray& table, int offset)
{
    return offset + 2 <= table.size() ? qFromBigEndian<quint16>(table.constData() + offset) : 0;
}

Metrics measure(const QFont& font, QPaintDevice* device)
{
    const QFont resolved = device ? QFont(font, device) : font;
    const QFontMetricsF qt(resolved);
    Metrics m;
    m.qtAscent = qt.ascent();
    m.qtDescent = qt.descent();
    m.ascent = qt.ascent();
    m.descent = qt.descent();
    m.gap = qt.leading();
    const QRawFont raw = QRawFont::fromFont(resolved);
    const QByteArray head = raw.fontTable("head");
    const QByteArray hhea = raw.fontTable("hhea");
    const QByteArray os2 = raw.fontTable("OS/2");
    const int unitsPerEm = unsignedAt(head, 18);
    if (!raw.isValid() || unitsPerEm == 0 || hhea.size() < 10)
        return m;
    const double scale = raw.pixelSize() / unitsPerEm;
    double ascent = signedAt(hhea, 4), descent = -signedAt(hhea, 6), gap = signedAt(hhea, 8);
    if (os2.size() >= 78) {
        if (ascent == 0 && descent == 0) {
            ascent = unsignedAt(os2, 74);
            descent = unsignedAt(os2, 76);
            gap = 0;
        }
        const bool useTypo = unsignedAt(os2, 62) & (1 << 7);
        if (useTypo && (signedAt(os2, 68) != 0 || signedAt(os2, 70) != 0)) {
            ascent = signedAt(os2, 68);
            descent = -signedAt(os2, 70);
            gap = signedAt(os2, 72);
        }
    }
    if (ascent + descent <= 0)
        return m;
    m.ascent = ascent * scale;
    m.descent = descent * scale;
    m.gap = std::max(0.0, gap * scale);
    return m;
}

}  // namespace

const Metrics& of(const QFont& font, QPaintDevice* device)
{
    static QHash<QString, Metrics> known;
    const QString key = font.key() + QLatin1Char('@') + QString::number(device ? device->logicalDpiY() : 0);
    auto it = known.constFind(key);
    if (it == known.constEnd())
        it = known.insert(key, measure(font, device));
    return *it;
}

}  // namespace FontLineMetrics
