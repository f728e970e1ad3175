// The connection string from the settings file, the stored password, the command line's merge.
#include "shell/headlessmerge.h"
#include "merge/mergeconnection.h"
#include "merge/mergestate.h"
#include "support/practicedatabase.h"
#include "support/testworkspace.h"

#include <QtTest>

class MergeConnectionTest : public QObject {
    Q_OBJECT
private slots:
    void connectionString_data();
    void connectionString();
    void passwordRoundTrip_data();
    void passwordRoundTrip();
    void headlessMerge_data();
    void headlessMerge();
    void whereArgument_data();
    void whereArgument();
};

void MergeConnectionTest::connectionString_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("expected");
    const QByteArray stored = MergeConnection::ScrambleSetting(MergeConnection::ScrambleKey, QStringLiteral("pa;ss"))->toUtf8();
    QTest::newRow("windows logon")
        << QByteArray("[SQLServer]\nAuthenticationMode=Windows\nProvider=SQLOLEDB\nDataSource=srv\n"
                      "InitialCatalog=practice\nUID=ignored\nPassword=ignored\n")
        << "Provider=SQLOLEDB;Data Source=srv;Initial Catalog=practice;Integrated Security=SSPI;";
    QTest::newRow("case differs: database logon")
        << QByteArray("[sqlserver]\nauthenticationmode=windows\nprovider=SQLNCLI11\nDataSource=srv\n"
                      "InitialCatalog=db\nUID=sa\nPassword=" + stored + "\n")
        << "Provider=SQLNCLI11;Data Source=srv;Initial Catalog=db;User Id=sa;Password=pa;ss; ";
    QTest::newRow("empty password")
        << QByteArray("[SQLServer]\nProvider=SQLite\nDataSource=/p.db\nInitialCatalog=x\nUID=u\nPassword=\n")
        << "Provider=SQLite;Data Source=/p.db;Initial Catalog=x;User Id=u;Password=; ";
    QTest::newRow("no settings file") << QByteArray()
                                      << "Provider=;Data Source=;Initial Catalog=;User Id=;Password=; ";
    QTest::newRow("one character") << QByteArray("[SQLServer]\nPassword=" + QByteArray(1, char(('a' + 1) ^ 9)) + "\n")
                                   << "Provider=;Data Source=;Initial Catalog=;User Id=;Password=a; ";
    QTest::newRow("invalid stored password") << QByteArray("[SQLServer]\nPassword=\xc4\xac\n")
                                             << "Provider=;Data Source=;Initial Catalog=;User Id=;Password=; ";
}

void MergeConnectionTest::connectionString()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, expected);
    TestWorkspace ws;
    if (!settings.isEmpty())
        ws.writeFile(QStringLiteral("clinora.ini"), settings);
    QCOMPARE(MergeConnection::buildConnectionString(), expected);
    QCOMPARE(MergeState::ConnectionString, expected);
}

void MergeConnectionTest::passwordRoundTrip_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("storable");
    QTest::newRow("letters and digits") << "Summer2026" << true;
    QTest::newRow("punctuation") << "p@ss-W0rd!#" << true;
    QTest::newRow("accented") << "café" << true;
    QTest::newRow("u at an odd position becomes DEL") << "u" << false;
    QTest::newRow("beyond Latin-1") << "€uro" << false;
    QTest::newRow("empty") << "" << true;
}

void MergeConnectionTest::passwordRoundTrip()
{
    QFETCH(QString, password);
    QFETCH(bool, storable);
    const auto stored = MergeConnection::ScrambleSetting(MergeConnection::ScrambleKey, password);
    QCOMPARE(stored.has_value(), storable);
    if (stored) {
        QCOMPARE(MergeConnection::UnscrambleSetting(MergeConnection::ScrambleKey, *stored).value(), password);
        if (!password.isEmpty())
            QVERIFY(*stored != password);
    }
}

void MergeConnectionTest::headlessMerge_data()
{
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("letters");  // -1: fails
    QTest::newRow("all") << "all.rtf" << "" << 120;
    QTest::newRow("like with an apostrophe") << "obrien.rtf" << "last_name Like O'B" << -2;
    QTest::newRow("injection is a literal") << "none.rtf" << "last_name = x' OR '1'='1" << -1;
    QTest::newRow("unknown comparison") << "bad.rtf" << "last_name ~ Smith" << -1;
    QTest::newRow("missing column") << "bad.rtf" << "no_such_column = 1" << -1;
    QTest::newRow("pdf") << "letters.pdf" << "" << 120;
}

void MergeConnectionTest::headlessMerge()
{
    QFETCH(QString, out);
    QFETCH(QString, where);
    QFETCH(int, letters);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 120);
    const QString letter = ws.writeFile(
        QStringLiteral("letter.rtf"),
        "{\\rtf1 Dear {\\field{\\*\\fldinst MERGEFIELD patient_info.last_name}{\\fldrslt x}},\\par Thanks.}");
    const QString path = ws.file(out);
    QString error;
    const bool done = HeadlessMerge::run(letter, path, where, &error);
    QCOMPARE(done, letters != -1);
    QCOMPARE(error.isEmpty(), done);
    if (!done) {
        QVERIFY(!QFile::exists(path));
        return;
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (out.endsWith(QLatin1String(".pdf"))) {
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page>")), letters);
        return;
    }
    const int count = int(bytes.count("{\\rtf1"));
    if (letters == -2) {  // as many as the practice has O'B... surnames, at least one
        QVERIFY(count >= 1);
        QCOMPARE(int(bytes.count("O'B")), count);
    } else {
        QCOMPARE(count, letters);
    }
    QCOMPARE(int(bytes.count("\\par \\page ")), count);
}

void MergeConnectionTest::whereArgument_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("compare");
    QTest::addColumn<QString>("value");
    QTest::newRow("equals") << "city = Austin" << "city" << 0 << "Austin";
    QTest::newRow("value with blanks") << "address Like 12 Main" << "address" << 5 << "12 Main";
    QTest::newRow("like in lower case") << "last_name like O'B" << "last_name" << 5 << "O'B";
    QTest::newRow("empty value") << "state >=" << "state" << 3 << "";
    QTest::newRow("unknown comparison") << "state != x" << "state" << -1 << "x";
}

void MergeConnectionTest::whereArgument()
{
    QFETCH(QString, where);
    const HeadlessMerge::Criterion c = HeadlessMerge::parseWhere(where);
    QTEST(c.column, "column");
    QTEST(c.compareIndex, "compare");
    QTEST(c.value, "value");
}

QTEST_MAIN(MergeConnectionTest)
#include "tst_mergeconnection.moc"
