#include "connectionstring.h"

namespace ConnectionString {

QHash<QString, QString> parse(const QString& text)
{
    QHash<QString, QString> values;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        values.insert(part.left(equals).trimmed().toLower(), part.mid(equals + 1).trimmed());
    }
    return values;
}

ConnectionSettings settingsFor(const QString& text)
{
    const QHash<QString, QString> values = parse(text);
    const QString provider = values.value(QStringLiteral("provider")).toUpper();
    const QString source = values.value(QStringLiteral("data source"));
    const QString catalog = values.value(QStringLiteral("initial catalog"));
    ConnectionSettings s;
    s.userName = values.value(QStringLiteral("user id"), values.value(QStringLiteral("uid")));
    s.password = values.value(QStringLiteral("password"), values.value(QStringLiteral("pwd")));
    if (provider == QLatin1String("SQLITE")) {
        s.driver = QStringLiteral("QSQLITE");
        s.databaseName = source;
        s.connectOptions = QStringLiteral("QSQLITE_OPEN_READONLY");
    } else if (provider == QLatin1String("POSTGRESQL")) {
        s.driver = QStringLiteral("QPSQL");
        s.hostName = source;
        s.databaseName = catalog;
    } else if (provider == QLatin1String("SQLOLEDB") || provider.startsWith(QLatin1String("SQLNCLI"))
               || provider.startsWith(QLatin1String("MSOLEDBSQL"))) {
        s.driver = QStringLiteral("QODBC");
        const bool trusted = values.value(QStringLiteral("integrated security")).compare(
                                 QLatin1String("SSPI"), Qt::CaseInsensitive) == 0;
        s.databaseName = QStringLiteral("DRIVER={FreeTDS};SERVER=%1;DATABASE=%2;%3")
                             .arg(source, catalog, trusted ? QStringLiteral("Trusted_Connection=yes;") : QString());
    }
    return s;
}

}  // namespace ConnectionString
