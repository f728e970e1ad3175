#pragma once
// The practice tables the mail merge reads and the select statements it runs on them.
#include <QString>

namespace MergeStatements {

// The table of a position in the data source list ("" for none).
QString tableForListIndex(int index);
// The order in which a table's letters come: the order of its fixed statement.
QString naturalOrder(const QString& table);
// The fixed statement of a table (all its records).
QString forTable(const QString& table);
// The statement of the records whose column compares with the value, in the table's natural
// order; `compareIndex` is the position of `op` among the comparisons (5 is Like, a prefix
// match). A text column compares without regard to case.
QString where(const QString& table, const QString& column, int compareIndex, const QString& op,
              const QString& value, bool textColumn = true);
// A statement that returns a table's columns and no records.
QString columnsOf(const QString& table);
// `text` with every apostrophe doubled, as a quoted SQL literal needs it.
QString doubledQuotes(QString text);

}  // namespace MergeStatements
