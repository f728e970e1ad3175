#include "stylesheet.h"

#include "propertychanges.h"
#include "wordbinary.h"

#include <QString>

namespace StyleSheet {

QList<Style> read(const LittleEndian::Reader& t, quint32 fc, quint32 lcb)
{
    QList<Style> list;
    if (lcb < 4 || !t.has(fc, lcb))
        return list;
    const qint64 end = qint64(fc) + lcb;
    const int cbStshi = t.u16(fc);
    const int cstd = std::min<int>(t.u16(fc + 2), 4096);
    const int baseSize = t.u16(fc + 4);
    qint64 at = fc + 2 + cbStshi;
    for (int i = 0; i < cstd && at + 2 <= end; ++i) {
        const int cbStd = t.u16(at);
        const qint64 std = at + 2;
        at = std + cbStd;
        Style style;
        if (cbStd >= baseSize && baseSize >= 10 && at <= end) {
            const int kind = t.u16(std + 2) & 0x0F;
            style.base = t.u16(std + 2) >> 4;
            const int upxs = t.u16(std + 4) & 0x0F;
            qint64 pos = std + baseSize;
            pos += 2 + 2 * qint64(t.u16(pos)) + 2;  // the name, counted and terminated
            for (int u = 0; u < upxs && pos + 2 <= at; ++u) {
                if ((pos - std) % 2)
                    ++pos;
                const int cbUpx = t.u16(pos);
                const qint64 upx = pos + 2;
                if (upx + cbUpx > at)
                    break;
                if (kind == 1 && u == 0) {
                    style.papx = upx + 2;  // after the style index
                    style.papxLength = std::max(0, cbUpx - 2);
                } else if ((kind == 1 && u == 1) || (kind == 2 && u == 0)) {
                    style.chpx = upx;
                    style.chpxLength = cbUpx;
                }
                pos = upx + cbUpx;
            }
        }
        list.append(style);
    }
    return list;
}

int defaultFont(const LittleEndian::Reader& t, quint32 fc, quint32 lcb)
{
    // After the sheet's size: the style count, base size, flags, highest built-in style, fixed
    // styles, names' version, then the default fonts.
    return lcb >= 2 + 14 && t.has(fc, lcb) ? t.u16(fc + 2 + 12) : -1;
}

QByteArray write(double pointSize)
{
    constexpr int Styles = 15;
    auto style = [](int sti, int kind, int next, const QString& name, const QList<QByteArray>& upxs) {
        LittleEndian::Writer std;
        std.u16(sti);
        std.u16(kind | (0xFFF << 4));  // no base style
        std.u16(int(upxs.size()) | (next << 4));
        std.u16(0);  // size, below
        std.u16(0);
        std.u16(int(name.size()));
        for (const QChar c : name)
            std.u16(c.unicode());
        std.u16(0);
        for (const QByteArray& upx : upxs) {
            std.padTo(2);
            std.u16(int(upx.size()));
            std.append(upx);
        }
        std.padTo(2);
        std.set16(6, int(std.size()));
        return std.bytes;
    };
    PropertyChanges::List normal;
    normal.word(WordBinary::Sprm::CRgFtc0, 0);
    normal.word(WordBinary::Sprm::CRgFtc2, 0);
    normal.word(WordBinary::Sprm::CHps, std::clamp(qRound(pointSize * 2), 2, 3276));
    const QList<QByteArray> stds{style(0, 1, 0, QStringLiteral("Normal"), {QByteArray(2, '\0'), normal.bytes()}),
                                 style(65, 2, 10, QStringLiteral("Default Paragraph Font"), {QByteArray()})};
    LittleEndian::Writer out;
    out.u16(20);
    out.u16(Styles);
    out.u16(10);     // the base part of each style
    out.u16(1);      // built-in names written
    out.u16(0x5B);   // highest built-in style known
    out.u16(Styles);  // fixed styles
    out.u16(0);
    out.zeros(6 + 2);  // default fonts
    for (int istd = 0; istd < Styles; ++istd) {
        const QByteArray std = istd == 0 ? stds.at(0) : istd == 10 ? stds.at(1) : QByteArray();
        out.u16(int(std.size()));
        out.append(std);
    }
    return out.bytes;
}

}  // namespace StyleSheet
