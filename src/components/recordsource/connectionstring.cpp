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
        const qsizetype comma = source.lastIndexOf(QLatin1Char(','));
        s.hostName = comma < 0 ? source : source.left(comma).trimmed();
        s.port = comma < 0 ? -1 : source.mid(comma + 1).trimmed().toInt();
        s.databaseName = catalog;
        s.connectOptions = QStringLiteral("connect_timeout=10");  // an absent server must not hang us
    } else if (provider == QLatin1String("MSDASQL")) {
        s.driver = QStringLiteral("QODBC");
        s.databaseName = source;  // the ODBC data source name
        s.connectOptions = QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=10");
    } else if (provider == QLatin1String("SQLOLEDB") || provider.startsWith(QLatin1String("SQLNCLI"))
               || provider.startsWith(QLatin1String("MSOLEDBSQL"))) {
        s.driver = QStringLiteral("QODBC");
        const bool trusted = values.value(QStringLiteral("integrated security")).compare(
                                 QLatin1String("SSPI"), Qt::CaseInsensitive) == 0;
        s.databaseName = QStringLiteral("DRIVER={FreeTDS};SERVER=%1;DATABASE=%2;%3")
                             .arg(source, catalog, trusted ? QStringLiteral("Trusted_Connection=yes;") : QString());
        s.connectOptions = QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=10");
    }
    return s;
}

}  // namespace ConnectionString
