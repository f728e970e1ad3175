#pragma once
// The style sheet (STSH) of Word 97-2003 files.
#include "littleendian.h"

#include <QList>

namespace StyleSheet {

// A style of the style sheet: its base and where its paragraph and character changes are in
// the table stream.
struct Style {
    int base = 0xFFF;
    qint64 papx = 0, papxLength = 0;
    qint64 chpx = 0, chpxLength = 0;
};

// The styles by index; an empty slot is a style without changes.
QList<Style> read(const LittleEndian::Reader& table, quint32 fc, quint32 lcb);

// The index in the font table of the font for text that names none; -1 where there is no sheet.
int defaultFont(const LittleEndian::Reader& table, quint32 fc, quint32 lcb);

// A sheet with Normal (font 0 at `pointSize`) and Default Paragraph Font in their fixed places.
QByteArray write(double pointSize);

}  // namespace StyleSheet
