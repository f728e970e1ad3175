#pragma once
// Plain text files: read as UTF-8 (with or without BOM), UTF-16 with BOM, else Windows-1252;
// CR, LF and CRLF all end a paragraph. Written as UTF-8 with LF line ends.
#include <QByteArray>
#include <QString>

namespace PlainText {

QString decode(const QByteArray& bytes);
QByteArray encode(const QString& text);

// Paragraph breaks of any convention become '\n'.
QString normaliseLineEnds(const QString& text);

QString fromWindows1252(const QByteArray& bytes);

}  // namespace PlainText
