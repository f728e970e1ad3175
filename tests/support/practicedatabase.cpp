#include "practicedatabase.h"

#include "components/recordsource/connectionstring.h"
#include "demodata.h"
#include "merge/mergeconnection.h"
#include "settings/settingsfile.h"
#include "testworkspace.h"

#include <QSqlDatabase>
#include <QSqlError>

namespace PracticeDatabase {
namespace {

// Set by scripts/with-postgres: the server's socket folder and port, its database, the DSN.
QString env(const char* name) { return qEnvironmentVariable(name); }

void write(const TestWorkspace& ws, const char* key, const QString& value)
{
    SettingsFile::WriteSetting(ws.file(QStringLiteral("clinora.ini")), QStringLiteral("SQLServer"),
                               QLatin1String(key), value);
}

}  // namespace

QStringList backends() { return {QStringLiteral("sqlite"), QStringLiteral("postgresql"), QStringLiteral("odbc")}; }

QString unavailable(const QString& backend)
{
    if (backend == QLatin1String("sqlite"))
        return {};
    if (env("SCRIVORA_TEST_PG_SOURCE").isEmpty())
        return QStringLiteral("no PostgreSQL server (run the tests with make test)");
    if (backend == QLatin1String("odbc") && env("SCRIVORA_TEST_ODBC_DSN").isEmpty())
        return QStringLiteral("no ODBC data source (run the tests with make test)");
    return {};
}

bool prepare(const TestWorkspace& ws, const QString& backend, int patients, QString* error)
{
    if (backend == QLatin1String("sqlite")) {
        const QString path = ws.file(QStringLiteral("practice.db"));
        DemoData::writeSettings(ws.file(QStringLiteral("clinora.ini")), path);
        return DemoData::createSqliteDatabase(path, patients, error);
    }
    // Database logon with a stored password: the server trusts local users, so any will do.
    write(ws, "AuthenticationMode", QStringLiteral("Database"));
    write(ws, "UID", env("SCRIVORA_TEST_PG_USER"));
    write(ws, "Password", *MergeConnection::ScrambleSetting(MergeConnection::ScrambleKey, QStringLiteral("s3cret")));
    write(ws, "InitialCatalog", env("SCRIVORA_TEST_PG_DATABASE"));
    if (backend == QLatin1String("odbc")) {
        write(ws, "Provider", QStringLiteral("MSDASQL"));
        write(ws, "DataSource", env("SCRIVORA_TEST_ODBC_DSN"));
    } else {
        write(ws, "Provider", QStringLiteral("PostgreSQL"));
        write(ws, "DataSource", env("SCRIVORA_TEST_PG_SOURCE"));
    }
    // The tables are made through the PostgreSQL driver in both cases: ODBC reads the same ones.
    const ConnectionSettings s = ConnectionString::settingsFor(
        QStringLiteral("Provider=PostgreSQL;Data Source=%1;Initial Catalog=%2;User Id=%3;")
            .arg(env("SCRIVORA_TEST_PG_SOURCE"), env("SCRIVORA_TEST_PG_DATABASE"), env("SCRIVORA_TEST_PG_USER")));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(s.driver, QStringLiteral("practice-setup"));
        db.setHostName(s.hostName);
        db.setPort(s.port);
        db.setDatabaseName(s.databaseName);
        db.setUserName(s.userName);
        if (!db.open())
            *error = db.lastError().text();
        else
            ok = DemoData::createTables(db, patients, error);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("practice-setup"));
    return ok;
}

}  // namespace PracticeDatabase
