// The command line as a script runs it: the real program, its exit status and what it prints
// on standard error (nothing but its own lines, also without a runtime folder and for damaged
// Word files).
#include "components/textcontrol/textcontrol.h"
#include "merge/mergefields.h"
#include "support/fulldisk.h"
#include "support/practicedatabase.h"
#include "support/testworkspace.h"
#include "support/testfiles.h"

#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QByteArray out, err;
};

// The program as a script starts it: no display, no runtime folder, no platform chosen.
Run scrivora(const QStringList& arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SCRIVORA_PROGRAM), arguments);
    if (!process.waitForFinished(120000))
        process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A template of the patients table: "Dear [last_name]," in the control's own format.
QString letterTemplate(const QTemporaryDir& dir)
{
    TextControl control;
    control.setPlainText(QStringLiteral("Dear "));
    control.setSelStart(5);
    MergeFields::insertField(&control, QStringLiteral("patient_info.last_name"));
    const QString path = dir.filePath(QStringLiteral("letter.tx"));
    control.save(path, 0, TextControl::FormatNative);
    return path;
}

QStringList linesOf(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void wrongArguments_data();
    void wrongArguments();
    void convertWritesEveryFormat_data();
    void convertWritesEveryFormat();
    void failuresSayWhy_data();
    void failuresSayWhy();
    void damagedWordFilesPrintOnlyOurLine_data();
    void damagedWordFilesPrintOnlyOurLine();
    void mergeWithoutFields();
    void templateWithTabStopsOpensInAFreshProgram();
    void mergeWritesTheFormatOfItsName_data();
    void mergeWritesTheFormatOfItsName();
};

void CommandLineTest::wrongArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says");
    QTest::newRow("--convert without OUT") << QStringList{"--convert", "in.rtf"} << "Usage: scrivora --convert IN OUT";
    QTest::newRow("--convert with a third file")
        << QStringList{"--convert", "in.rtf", "out.txt", "more.txt"} << "Usage: scrivora --convert IN OUT";
    QTest::newRow("--convert followed by an option")
        << QStringList{"--convert", "in.rtf", "--today", "2026-01-01"} << "Usage: scrivora --convert IN OUT";
    QTest::newRow("--convert to an unknown extension")
        << QStringList{"--convert", "in.rtf", "out.xyz"} << ".rtf, .doc, .docx, .htm, .html, .txt, .tx, .txm, .pdf";
    QTest::newRow("--convert to a name without extension")
        << QStringList{"--convert", "in.rtf", "out"} << "cannot write this kind of file";
    QTest::newRow("--merge without OUT") << QStringList{"--merge", "letter.tx"} << "Usage: scrivora --merge TEMPLATE OUT";
    QTest::newRow("--merge with a third file")
        << QStringList{"--merge", "letter.tx", "out.rtf", "x"} << "Usage: scrivora --merge TEMPLATE OUT";
    QTest::newRow("--merge to an unknown extension")
        << QStringList{"--merge", "letter.tx", "out.odt"} << "cannot write this kind of file";
}

// Wrong arguments are refused before anything is read or written: status 2 and a usage line.
void CommandLineTest::wrongArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    TestFiles::write(dir, "in.rtf", "{\\rtf1 Hello}");
    const Run run = scrivora(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY2(QString::fromUtf8(run.err).contains(says), run.err.constData());
    QVERIFY(run.err.startsWith("scrivora: "));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"in.rtf"});  // nothing written
}

void CommandLineTest::convertWritesEveryFormat_data()
{
    QTest::addColumn<QString>("out");
    QTest::addColumn<QByteArray>("startsWith");
    QTest::newRow(".rtf") << "out.rtf" << QByteArray("{\\rtf1");
    QTest::newRow(".doc") << "out.doc" << QByteArray("\xD0\xCF\x11\xE0", 4);
    QTest::newRow(".docx") << "out.docx" << QByteArray("PK\x03\x04", 4);
    QTest::newRow(".htm") << "out.htm" << QByteArray("<!DOCTYPE");
    QTest::newRow(".txt") << "out.txt" << QByteArray("Hello");
    QTest::newRow(".tx") << "out.tx" << QByteArray("SCRVTX");
    QTest::newRow(".txm") << "out.txm" << QByteArray("\x17\0\0\0", 4);
    QTest::newRow(".pdf") << "out.PDF" << QByteArray("%PDF");
}

void CommandLineTest::convertWritesEveryFormat()
{
    QFETCH(QString, out);
    QFETCH(QByteArray, startsWith);
    QTemporaryDir dir;
    const QString in = TestFiles::write(dir, "in.rtf", "{\\rtf1 Hello {\\b world}}");
    const Run run = scrivora({"--convert", in, dir.filePath(out)});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.status, 0);
    QVERIFY(bytesOf(dir.filePath(out)).startsWith(startsWith));
}

void CommandLineTest::failuresSayWhy_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("reason");
    QTest::newRow("input missing") << "missing.rtf" << QByteArray() << "out.txt"
                                   << "Can't load file: %in" << "does not exist";
    QTest::newRow("a PDF named .doc") << "scan.doc" << QByteArray("%PDF-1.4\n%...") << "out.rtf"
                                      << "Can't load file: %in"
                                      << "It is not a Word 97-2003 document (.doc): it looks like a PDF document";
    QTest::newRow("a web page named .rtf") << "page.rtf" << QByteArray("<html><body>Hi</body></html>") << "out.txt"
                                           << "Can't load file: %in" << "it looks like a web page (HTML)";
    QTest::newRow("output folder missing") << "in.rtf" << QByteArray("{\\rtf1 x}") << "no/such/out.rtf"
                                           << "Can't save file: %out" << "folder";
    QTest::newRow("disk full") << "in.rtf" << QByteArray("{\\rtf1 x}") << "FULL/out.rtf"
                               << "Can't save file: %out" << "The disk is full";
    QTest::newRow("output name taken by a folder") << "in.rtf" << QByteArray("{\\rtf1 x}") << "taken.docx"
                                                   << "Can't save file: %out" << "A folder of that name exists";
}

// A failure: status 1 and one line, the message the window would show first, then the reason.
void CommandLineTest::failuresSayWhy()
{
    QFETCH(QString, in);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, out);
    QFETCH(QString, message);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("taken.docx");
    const QString inPath = bytes.isEmpty() ? dir.filePath(in) : TestFiles::write(dir, in, bytes);
    QString outPath = dir.filePath(out);
    std::optional<FullDisk> disk;
    if (out.startsWith("FULL/")) {
        disk.emplace();
        if (disk->path().isEmpty())
            QSKIP("no small file system can be made here to fill");
        outPath = disk->path() + out.mid(4);
    }
    const Run run = scrivora({"--convert", inPath, outPath});
    QCOMPARE(run.status, 1);
    const QStringList lines = linesOf(run.err);
    QCOMPARE(lines.size(), 1);
    message.replace("%in", inPath).replace("%out", outPath);
    QVERIFY2(lines.first().startsWith(message + ": "), qPrintable(lines.first()));
    QVERIFY2(lines.first().contains(reason), qPrintable(lines.first()));
    QVERIFY(!QFileInfo(outPath).isFile());  // nothing half-written left behind
}

void CommandLineTest::damagedWordFilesPrintOnlyOurLine_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("named");  // what the reason must say of the file
    const QDir dir(QStringLiteral(SCRIVORA_SOURCE_DIR "/../shared/corpus/word/damaged"));
    const QStringList files = dir.entryList({"*.doc", "*.docx"}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        QSKIP("the shared corpus of damaged Word files is not here");
    const QHash<QString, QString> named = {{"poi-password_tika_binaryrc4.doc", "protected with a password"},
                                           {"poi-protected_agile.docx", "protected with a password"},
                                           {"poi-Bug49933.doc", "Word 6 or Word 95"},
                                           {"poi-word2.doc", "Word 6 or Word 95"}};
    for (const QString& f : files)
        QTest::newRow(qPrintable(f)) << dir.filePath(f) << named.value(f);
}

// Whatever the libraries make of a damaged file, standard error holds at most our one line.
void CommandLineTest::damagedWordFilesPrintOnlyOurLine()
{
    QFETCH(QString, path);
    QFETCH(QString, named);
    QTemporaryDir dir;
    const Run run = scrivora({"--convert", path, dir.filePath("out.rtf")});
    const QStringList lines = linesOf(run.err);
    if (run.status == 0) {
        QCOMPARE(run.err, QByteArray());
        return;
    }
    QCOMPARE(run.status, 1);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith("Can't load file: " + path + ": "), qPrintable(lines.first()));
    QVERIFY2(lines.first().contains(named), qPrintable(lines.first()));
    QVERIFY(!QFile::exists(dir.filePath("out.rtf")));
}

void CommandLineTest::mergeWithoutFields()
{
    QTemporaryDir dir;
    const QString letter = TestFiles::write(dir, "letter.rtf", "{\\rtf1 Dear patient,}");
    const Run run = scrivora({"--merge", letter, dir.filePath("out.rtf")});
    QCOMPARE(run.status, 1);
    QCOMPARE(linesOf(run.err).size(), 1);
    QVERIFY2(run.err.contains("holds no merge fields"), run.err.constData());
    QVERIFY(!run.err.contains("syntax error"));
    QVERIFY(!QFile::exists(dir.filePath("out.rtf")));
}

void CommandLineTest::mergeWritesTheFormatOfItsName_data()
{
    QTest::addColumn<QString>("out");
    QTest::addColumn<QByteArray>("startsWith");
    QTest::newRow(".rtf") << "letters.rtf" << QByteArray("{\\rtf1");
    QTest::newRow(".docx") << "letters.docx" << QByteArray("PK\x03\x04", 4);
    QTest::newRow(".doc") << "letters.doc" << QByteArray("\xD0\xCF\x11\xE0", 4);
    QTest::newRow(".htm") << "letters.htm" << QByteArray("<!DOCTYPE");
    QTest::newRow(".txt") << "letters.txt" << QByteArray("Dear ");
    QTest::newRow(".pdf") << "letters.pdf" << QByteArray("%PDF");
}

// The merge writes the format its output's name asks for, and every letter is in it.
void CommandLineTest::mergeWritesTheFormatOfItsName()
{
    QFETCH(QString, out);
    QFETCH(QByteArray, startsWith);
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, "sqlite", 3);
    QTemporaryDir dir;
    const QString letter = letterTemplate(dir);
    const QString outPath = dir.filePath(out);
    const Run run = scrivora({"--app-path", ws.appPath(), "--merge", letter, outPath});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.status, 0);
    QVERIFY(bytesOf(outPath).startsWith(startsWith));
    if (out.endsWith(".pdf"))
        return;
    // Read back through the program's own conversion: three letters, no field left.
    const Run back = scrivora({"--convert", outPath, dir.filePath("back.txt")});
    QCOMPARE(back.status, 0);
    const QString text = QString::fromUtf8(bytesOf(dir.filePath("back.txt")));
    QCOMPARE(text.count("Dear "), 3);
    QVERIFY(!text.contains("[last_name]") && !text.contains("patient_info"));
}

// A template whose paragraphs have tab stops, written here, is read by a program that has not
// laid out a tab stop before reading it.
void CommandLineTest::templateWithTabStopsOpensInAFreshProgram()
{
    QTemporaryDir dir;
    TextControl control;
    control.setPlainText(QStringLiteral("Aspirin\t75 mg"));
    QTextCursor cursor(control.document());
    QTextBlockFormat format = cursor.blockFormat();
    format.setTabPositions({QTextOption::Tab(200, QTextOption::RightTab)});
    cursor.setBlockFormat(format);
    const QString path = dir.filePath(QStringLiteral("medicines.tx"));
    QVERIFY(control.save(path, 0, TextControl::FormatNative));
    const Run run = scrivora({QStringLiteral("--convert"), path, dir.filePath(QStringLiteral("out.txt"))});
    QVERIFY2(run.status == 0, run.err.constData());
    QCOMPARE(bytesOf(dir.filePath(QStringLiteral("out.txt"))).trimmed(), QByteArray("Aspirin\t75 mg"));
}

QTEST_MAIN(CommandLineTest)
#include "tst_commandline.moc"
