#include "mergestatements.h"

namespace MergeStatements {

QString tableForListIndex(int index)
{
    static const char* const tables[] = {"patient_info", "provider_info", "ref_source_info",
                                         "insurance_info"};
    return index >= 0 && index < 4 ? QLatin1String(tables[index]) : QString();
}

QString forTable(const QString& table)
{
    if (table == QLatin1String("patient_info"))
        return QStringLiteral("Select salutation, last_name, first_name, middle_init, address, city, "
                              "state, zipcode from patient_info Order by Last_name, first_name;");
    if (table == QLatin1String("provider_info"))
        return QStringLiteral("Select name, address, city, state, zipcode from ") + table
            + QStringLiteral(" Order by name;");
    return QStringLiteral("Select name, contact, address, city, state, zipcode from ") + table
        + QStringLiteral(" Order by name;");
}

QString where(const QString& table, const QString& column, int compareIndex, const QString& op,
              const QString& value)
{
    const QString start = QStringLiteral("Select * from ") + table + QStringLiteral(" Where ") + column;
    if (compareIndex == 5)
        return start + QStringLiteral(" Like '") + doubledQuotes(value) + QStringLiteral("%' Order by ")
            + column;
    return start + QLatin1Char(' ') + op + QStringLiteral(" '") + doubledQuotes(value)
        + QStringLiteral("' Order by ") + column;
}

QString doubledQuotes(QString text)
{
    return text.replace(QLatin1Char('\''), QStringLiteral("''"));
}

}  // namespace MergeStatements
