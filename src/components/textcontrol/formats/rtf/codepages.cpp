#include "codepages.h"

#include <QHash>
#include <QStringDecoder>
#include <array>
#include <mutex>

namespace CodePages {
namespace {

using Table = std::array<char16_t, 128>;

// Built once per code page through the platform's converters (ICU), else Windows-1252.
const Table& table(int codePage)
{
    static QHash<int, Table> tables;
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard(lock);
    auto it = tables.find(codePage);
    if (it != tables.end())
        return *it;
    Table t{};
    QByteArray high(128, '\0');
    for (int i = 0; i < 128; ++i)
        high[i] = char(0x80 + i);
    const QByteArray name = codePage == 10000 ? QByteArray("macintosh")
                                              : "windows-" + QByteArray::number(codePage);
    QString decoded;
    if (auto encoding = QStringConverter::encodingForName(name.constData()))
        decoded = QStringDecoder(*encoding).decode(high);
    else {
        QStringDecoder decoder(name.constData());
        if (decoder.isValid())
            decoded = decoder.decode(high);
    }
    if (decoded.size() != 128 || codePage == 1252) {
        static constexpr char16_t Cp1252[32] = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
            0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        for (int i = 0; i < 128; ++i)
            t[i] = i < 32 ? Cp1252[i] : char16_t(0x80 + i);
    } else {
        for (int i = 0; i < 128; ++i)
            t[i] = decoded.at(i).unicode();
    }
    return *tables.insert(codePage, t);
}

}  // namespace

int forCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    default: return 0;
    }
}

QChar toUnicode(int codePage, unsigned char byte)
{
    if (byte < 0x80)
        return QChar(byte);
    return QChar(table(codePage > 0 ? codePage : 1252)[byte - 0x80]);
}

bool isLeadByte(int codePage, unsigned char byte)
{
    switch (codePage) {
    case 932: return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950: return byte >= 0x81 && byte <= 0xFE;
    default: return false;
    }
}

QString toUnicode(int codePage, unsigned char lead, unsigned char trail)
{
    QStringDecoder decoder(("windows-" + QByteArray::number(codePage)).constData());
    const char pair[2] = {char(lead), char(trail)};
    const QString text = decoder.isValid() ? decoder.decode(QByteArrayView(pair, 2)) : QString();
    if (!text.isEmpty())
        return text;
    return QString(toUnicode(codePage, lead)) + toUnicode(codePage, trail);
}

}  // namespace CodePages
