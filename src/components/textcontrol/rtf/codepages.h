#pragma once
// Single-byte code pages that RTF files name with \ansicpg and \fcharset.
#include <QString>

namespace CodePages {

// The code page of an RTF character set (\fcharset); 0 when it names none.
int forCharset(int charset);

// One byte of code page `codePage` as Unicode; unknown code pages read as Windows-1252.
QChar toUnicode(int codePage, unsigned char byte);

}  // namespace CodePages
