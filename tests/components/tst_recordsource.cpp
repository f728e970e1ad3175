// The record source on an SQLite practice database: statement, moves, Null, Find, bookmarks.
#include "components/recordsource/connectionstring.h"
#include "components/recordsource/recordsource.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString makeDatabase(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("practice.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "setup");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec("CREATE TABLE patient_info (patient_id INTEGER, last_name TEXT, first_name TEXT, city TEXT)");
        q.exec("INSERT INTO patient_info VALUES (1, 'Smith', 'Anna', 'Leeds'), (2, 'O''Brien', 'Sean', NULL),"
               " (3, 'Smythe', 'Joan', 'York'), (4, 'Baker', 'Tom', 'Hull'), (5, 'smithers', 'Lee', 'Ely')");
        db.close();
    }
    QSqlDatabase::removeDatabase("setup");
    return path;
}

}  // namespace

class RecordSourceTest : public QObject {
    Q_OBJECT
private slots:
    void providers_data();
    void providers();
    void navigation();
    void nullIsEmpty();
    void find_data();
    void find();
    void failuresLeaveNoRows_data();
    void failuresLeaveNoRows();
};

void RecordSourceTest::providers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("driver");
    QTest::newRow("SQL Server OLE DB") << "Provider=SQLOLEDB;Data Source=srv;Initial Catalog=clinic" << "QODBC";
    QTest::newRow("native client") << "Provider=SQLNCLI11;Data Source=srv" << "QODBC";
    QTest::newRow("MSOLEDBSQL") << "Provider=MSOLEDBSQL19;Data Source=srv" << "QODBC";
    QTest::newRow("SQLite") << "provider=sqlite;data source=/x/practice.sqlite" << "QSQLITE";
    QTest::newRow("PostgreSQL") << "Provider=PostgreSQL;Data Source=localhost;Initial Catalog=p" << "QPSQL";
    QTest::newRow("unknown") << "Provider=Jet;Data Source=x" << "";
}

void RecordSourceTest::providers()
{
    QFETCH(QString, text);
    QFETCH(QString, driver);
    QCOMPARE(ConnectionString::settingsFor(text).driver, driver);
    if (driver == "QODBC")
        QVERIFY(ConnectionString::settingsFor(text).databaseName.contains("SERVER=srv"));
    if (driver == "QSQLITE")
        QCOMPARE(ConnectionString::settingsFor(text).databaseName, QString("/x/practice.sqlite"));
}

// Five records: first, next twice, last and past it, back to the start and before it.
void RecordSourceTest::navigation()
{
    QTemporaryDir dir;
    RecordSource source("Provider=SQLite;Data Source=" + makeDatabase(dir));
    source.setSourceStatement("SELECT * FROM patient_info ORDER BY patient_id");
    QVERIFY2(source.Requery(), qPrintable(source.lastError()));
    Recordset& rs = source.recordset();
    QCOMPARE(rs.RecordCount(), 5);
    QCOMPARE(rs.fieldCount(), 4);
    QCOMPARE(rs.fieldName(1), QString("last_name"));
    QCOMPARE(rs.AbsolutePosition(), 1);
    rs.MoveNext();
    rs.MoveNext();
    QCOMPARE(rs.AbsolutePosition(), 3);
    QCOMPARE(rs.value("last_name").toString(), QString("Smythe"));
    rs.MoveLast();
    QCOMPARE(rs.AbsolutePosition(), 5);
    rs.MoveNext();
    QVERIFY(rs.atEOF());
    rs.MoveFirst();
    QVERIFY(!rs.atBOF());
    rs.MovePrevious();
    QVERIFY(rs.atBOF());
}

void RecordSourceTest::nullIsEmpty()
{
    QTemporaryDir dir;
    RecordSource source("Provider=SQLite;Data Source=" + makeDatabase(dir));
    source.setSourceStatement("SELECT city FROM patient_info WHERE patient_id = 2");
    QVERIFY(source.Requery());
    QVERIFY(!source.recordset().value(0).isValid());
    QCOMPARE(source.recordset().value("city").toString(), QString());
}

void RecordSourceTest::find_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QStringList>("found");  // every match, Find then Find Next
    QTest::newRow("Sm") << "last_name Like 'Sm*'" << QStringList{"Smith", "Smythe", "smithers"};
    QTest::newRow("O'B doubled") << "last_name Like 'O''B*'" << QStringList{"O'Brien"};
    QTest::newRow("nothing") << "last_name Like 'Zz*'" << QStringList{};
    QTest::newRow("unknown column") << "surname Like 'S*'" << QStringList{};
}

void RecordSourceTest::find()
{
    QFETCH(QString, criterion);
    QFETCH(QStringList, found);
    QTemporaryDir dir;
    RecordSource source("Provider=SQLite;Data Source=" + makeDatabase(dir));
    source.setSourceStatement("SELECT * FROM patient_info ORDER BY patient_id");
    QVERIFY(source.Requery());
    Recordset& rs = source.recordset();
    QStringList seen;
    bool hit = rs.Find(criterion, 0);
    while (hit) {
        seen << rs.value("last_name").toString();
        hit = rs.Find(criterion, 1, rs.Bookmark());
    }
    QCOMPARE(seen, found);
    QVERIFY(rs.atEOF());  // Find Next ran to the end
}

void RecordSourceTest::failuresLeaveNoRows_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QString>("statement");
    QTest::newRow("missing database") << "Provider=SQLite;Data Source=/no/such/file.sqlite" << "SELECT 1";
    QTest::newRow("missing table") << "" << "SELECT * FROM nowhere";
    QTest::newRow("refused statement") << "" << "SELEKT *";
    QTest::newRow("unknown provider") << "Provider=Jet;Data Source=x" << "SELECT 1";
}

void RecordSourceTest::failuresLeaveNoRows()
{
    QFETCH(QString, connection);
    QFETCH(QString, statement);
    QTemporaryDir dir;
    const QString practice = "Provider=SQLite;Data Source=" + makeDatabase(dir);
    RecordSource source(connection.isEmpty() ? practice : connection);
    source.setSourceStatement(statement);
    QVERIFY(!source.Requery());
    QVERIFY(!source.lastError().isEmpty());
    QCOMPARE(source.recordset().RecordCount(), 0);
    QVERIFY(source.recordset().atEOF() && source.recordset().atBOF());
}

QTEST_MAIN(RecordSourceTest)
#include "tst_recordsource.moc"
