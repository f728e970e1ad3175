#include "mergestatements.h"

namespace MergeStatements {

QString tableForListIndex(int index)
{
    static const char* const tables[] = {"patient_info", "provider_info", "ref_source_info",
                                         "insurance_info"};
    return index >= 0 && index < 4 ? QLatin1String(tables[index]) : QString();
}

QString naturalOrder(const QString& table)
{
    return table == QLatin1String("patient_info") ? QStringLiteral("Last_name, first_name")
                                                   : QStringLiteral("name");
}

QString forTable(const QString& table)
{
    const QString order = QStringLiteral(" Order by ") + naturalOrder(table) + QLatin1Char(';');
    if (table == QLatin1String("patient_info"))
        return QStringLiteral("Select salutation, last_name, first_name, middle_init, address, city, "
                              "state, zipcode from patient_info")
            + order;
    if (table == QLatin1String("provider_info"))
        return QStringLiteral("Select name, address, city, state, zipcode from ") + table + order;
    return QStringLiteral("Select name, contact, address, city, state, zipcode from ") + table + order;
}

QString where(const QString& table, const QString& column, int compareIndex, const QString& op,
              const QString& value, bool textColumn)
{
    // Text compares without regard to case on every database, as SQL Server's usual collation
    // does; the value stays a quoted literal whatever it holds.
    const QString literal = QLatin1Char('\'') + doubledQuotes(value)
        + (compareIndex == 5 ? QStringLiteral("%'") : QStringLiteral("'"));
    const QString left = textColumn ? QStringLiteral("UPPER(") + column + QLatin1Char(')') : column;
    const QString right = textColumn ? QStringLiteral("UPPER(") + literal + QLatin1Char(')') : literal;
    const QString comparison = compareIndex == 5 ? QStringLiteral("Like") : op;
    return QStringLiteral("Select * from ") + table + QStringLiteral(" Where ") + left + QLatin1Char(' ')
        + comparison + QLatin1Char(' ') + right + QStringLiteral(" Order by ") + naturalOrder(table);
}

QString columnsOf(const QString& table)
{
    return QStringLiteral("Select * from ") + table + QStringLiteral(" Where 1 = 0");
}

QString doubledQuotes(QString text)
{
    return text.replace(QLatin1Char('\''), QStringLiteral("''"));
}

}  // namespace MergeStatements
