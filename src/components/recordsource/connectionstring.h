#pragma once
// What a connection string of the practice's settings says, and which Qt driver serves it.
//
// Provider= value                      driver    what is used
// SQLOLEDB, SQLNCLI*, MSOLEDBSQL*       QODBC     SQL Server through FreeTDS or the vendor's
//                                                 ODBC driver: Data Source, Initial Catalog
// SQLite                                QSQLITE   the database file named by Data Source
// PostgreSQL                            QPSQL     host (or socket folder) Data Source, with
//                                                 ",port" when not 5432; database Initial Catalog
// MSDASQL                               QODBC     the ODBC data source named by Data Source
// anything else                         none      the connection fails
#include <QHash>
#include <QString>

struct ConnectionSettings {
    QString driver;  // Qt driver name; empty when the provider is unknown
    QString databaseName;
    QString hostName;
    int port = -1;
    QString userName;
    QString password;
    QString connectOptions;
};

namespace ConnectionString {

// "Key=Value;Key=Value" with keys compared without regard to case.
QHash<QString, QString> parse(const QString& text);
ConnectionSettings settingsFor(const QString& text);

}  // namespace ConnectionString
