#pragma once
// Lists in Rich Text: the list table and its overrides (\listtable, \listoverridetable) with the
// paragraph's \ls and \ilvl, the older paragraph numbering (\pn) that some programs still
// write, and the words a writer puts out for them (with \listtext for readers that show only
// text).
#include "components/textcontrol/document/listlevels.h"

#include <QByteArray>
#include <QHash>

class QTextBlock;
class QTextDocument;

namespace RtfLists {

// Where the group whose content starts at `from` ends: the position of its closing brace (or
// the end of the data).
qsizetype groupEnd(const QByteArray& data, qsizetype from);

// The text of a group (a \listtext): its characters, \tab as a tab.
QString groupText(QByteArrayView group);

// The list tables of one document.
class Tables {
public:
    void readListTable(QByteArrayView group);
    void readOverrideTable(QByteArrayView group);
    // The levels of override `ls`; empty when the file defines none.
    QList<ListLevels::LevelDefinition> levels(int ls) const;

private:
    QHash<int, QList<ListLevels::LevelDefinition>> m_lists;  // \listid → levels
    QHash<int, int> m_listOfOverride;                         // \ls → \listid
    QHash<int, QHash<int, int>> m_startOverrides;             // \ls → level → start
};

// A paragraph's old numbering (a \pn group).
struct OldNumbering {
    int level = 0;
    ListLevels::LevelDefinition definition;
    QString key;  // paragraphs with the same numbering continue one list
};
OldNumbering readOldNumbering(QByteArrayView group);

// Writing.
class Writer {
public:
    explicit Writer(const QTextDocument* document);
    bool isEmpty() const { return m_table.isEmpty(); }
    // \listtable and \listoverridetable, for after the colour table.
    QByteArray tables() const;
    // Words after a paragraph's own: its list, level and indents.
    QByteArray paragraphWords(const QTextBlock& block) const;
    // The paragraph's bullet or number as text: a \listtext group with the given character words.
    QByteArray listText(const QTextBlock& block, const QByteArray& characterWords) const;

private:
    const QTextDocument* m_document;
    ListLevels::Table m_table;
};

}  // namespace RtfLists
