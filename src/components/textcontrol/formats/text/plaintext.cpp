#include "plaintext.h"

#include <QStringDecoder>

namespace PlainText {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; undefined bytes keep their C1 value.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool startsWith(const QByteArray& bytes, std::initializer_list<unsigned char> bom)
{
    if (bytes.size() < qsizetype(bom.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char b : bom)
        if (static_cast<unsigned char>(bytes.at(i++)) != b)
            return false;
    return true;
}

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes, bool* ok = nullptr)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (ok)
        *ok = !decoder.hasError();
    return text;
}

// A UTF-16 file may hold half of a surrogate pair; it becomes U+FFFD like any bad sequence.
void replaceLoneSurrogates(QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
}

}  // namespace

QString fromWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(Cp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

QString decode(const QByteArray& bytes)
{
    QString text;
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        text = decodeWith(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3));
    else if (startsWith(bytes, {0xFF, 0xFE}))
        text = decodeWith(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    else if (startsWith(bytes, {0xFE, 0xFF}))
        text = decodeWith(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));
    else {
        bool valid = false;
        text = decodeWith(QStringConverter::Utf8, bytes, &valid);
        if (!valid)
            text = fromWindows1252(bytes);
    }
    text.remove(QChar(0));
    replaceLoneSurrogates(text);
    return normaliseLineEnds(text);
}

QString normaliseLineEnds(const QString& text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    out.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    out.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    return out;
}

QByteArray encode(const QString& text) { return normaliseLineEnds(text).toUtf8(); }

}  // namespace PlainText
