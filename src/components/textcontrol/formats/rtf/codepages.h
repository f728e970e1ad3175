#pragma once
// Code pages that RTF files name with \ansicpg and \fcharset: single-byte ones, and the
// double-byte ones of East Asian text, whose characters are a lead byte and a trail byte.
#include <QString>

namespace CodePages {

// The code page of an RTF character set (\fcharset); 0 when it names none.
int forCharset(int charset);

// One byte of code page `codePage` as Unicode; unknown code pages read as Windows-1252.
QChar toUnicode(int codePage, unsigned char byte);

// Whether `byte` begins a two-byte character in `codePage` (932, 936, 949, 950).
bool isLeadByte(int codePage, unsigned char byte);

// A lead and a trail byte of a double-byte code page as Unicode.
QString toUnicode(int codePage, unsigned char lead, unsigned char trail);

}  // namespace CodePages
