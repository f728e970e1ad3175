#pragma once
// Lists in Word 97-2003 files: the list table (PlfLst with each list's levels, LVL), the list
// overrides (PlfLfo) that paragraphs name, and the paragraph's list and level (sprmPIlfo,
// sprmPIlvl).
#include "components/textcontrol/document/listlevels.h"

#include <QByteArray>

class QTextBlock;

namespace DocLists {

// File-pointer pairs of the FIB.
constexpr int PlfLst = 73;
constexpr int PlfLfo = 74;
// Paragraph property changes.
constexpr quint16 SprmPIlvl = 0x260A;
constexpr quint16 SprmPIlfo = 0x460B;

// The list a paragraph's list override index names; empty for none.
QString groupKey(int ilfo);

// The lists of the table stream, under the keys groupKey() gives.
ListLevels::Definitions read(const QByteArray& table, quint32 fcLst, quint32 lcbLst, quint32 fcLfo, quint32 lcbLfo);

// Writing: list i of the table is list override i + 1.
struct Tables {
    QByteArray lists;      // PlfLst followed by the levels
    QByteArray overrides;  // PlfLfo followed by its (empty) override data
};
Tables write(const ListLevels::Table& table);
// The paragraph's list, level and indents, to follow its own property changes.
QByteArray paragraphChanges(const ListLevels::Table& table, const QTextBlock& block);

}  // namespace DocLists
