// Opening, loading, saving and inserting files; the page-header file; the recent-file list.
#include "components/panels/panel.h"
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/convertfile.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/filepaths.h"
#include "documents/opendocument.h"
#include "documents/savedocument.h"
#include "layout/layoutstate.h"
#include "settings/apppaths.h"
#include "settings/settingsfile.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QDataStream>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

using CommonDialog::Answer;

namespace {

QByteArray pageHeader(qint32 kind, QList<qint32> values = {})
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << kind;
    for (qint32 v : values)
        out << v;
    if (!values.isEmpty())
        out << qint16(0);
    return bytes;
}

// A document in the control's own format, as a template would hold it.
QByteArray nativeDocument(const QString& text)
{
    TextControl control;
    control.setPlainText(text);
    QTemporaryDir dir;
    control.save(dir.filePath("doc.tx"), 0, TextControl::FormatNative);
    QFile file(dir.filePath("doc.tx"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QStringList recentCaptions(MainWindow& main)
{
    QStringList captions;
    for (int i = 1; i <= 4; ++i) {
        QAction* a = main.mainAction(QString("mnuRecentFile_%1").arg(i));
        if (a->isVisible())
            captions << a->text();
    }
    return captions;
}

int windows(MainWindow& main) { return int(main.mdiArea()->subWindowList().size()); }

}  // namespace

class DocumentFilesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { FilePaths::setIgnoresCaseOverride(-1); }
    void extensionTables_data();
    void extensionTables();
    void openDialogSetUp();
    void openRtfWithItsPage();
    void rtfWithoutPageKeepsTheDefault();
    void landscapeSetsPrintOrientation();
    void openThenCloseAsksNothing();
    void openThenTypeAsks();
    void alreadyOpen_data();
    void alreadyOpen();
    void pageHeaderKind20();
    void pageHeaderKind21IsRefused();
    void saveAsUnknownExtensionWritesPageHeader();
    void saveAsNameWithoutExtensionTakesTheChosenType_data();
    void saveAsNameWithoutExtensionTakesTheChosenType();
    void templateShowsTheMergePanel();
    void mergeFileIsUntitled();
    void mergedLettersOpenAsPages();
    void saveWritesWhereTheFileCameFrom();
    void saveOnUntitledAsks();
    void failedSaveKeepsTheOldFile();
    void recentFiles_data();
    void recentFiles();
    void recentFileThatVanished();
    void settingsKeepOtherContent();
    void insertTextFile_data();
    void insertTextFile();
    void convert_data();
    void convert();
};

void DocumentFilesTest::extensionTables_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("open");
    QTest::addColumn<int>("save");
    QTest::newRow(".txm") << "a.txm" << 3 << 3;
    QTest::newRow(".TXM any case") << "A.TxM" << 3 << 3;
    QTest::newRow(".tx") << "a.tx" << 0 << 0;
    QTest::newRow(".rtf") << "a.RTF" << 5 << 5;
    QTest::newRow(".htm") << "a.htm" << 4 << 4;
    QTest::newRow(".html") << "a.html" << 4 << 4;
    QTest::newRow(".doc") << "a.doc" << 9 << 9;
    QTest::newRow(".txt") << "a.txt" << 1 << 1;
    QTest::newRow(".xyz") << "a.xyz" << 1 << 3;
}

void DocumentFilesTest::extensionTables()
{
    QFETCH(QString, path);
    QFETCH(int, open);
    QFETCH(int, save);
    QCOMPARE(OpenDocuments::formatForPath(path), open);
    QCOMPARE(SaveDocuments::formatForPath(path), save);
}

void DocumentFilesTest::openDialogSetUp()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    ws.active()->action("mnuFile_Open")->trigger();  // cancelled: nothing happens
    QCOMPARE(dialogs.fileRequests.size(), 1);
    const CommonDialog::FileRequest& r = dialogs.fileRequests.first();
    QCOMPARE(r.title, QString("Open file"));
    QCOMPARE(r.filterIndex, 1);
    QCOMPARE(r.initialFolder, AppPaths::documentsFolder());
    QCOMPARE(CommonDialog::qtFilters(r.filter).value(2), QString("Hypertext Markup Language (*.htm)"));
    QCOMPARE(windows(main), 1);
    QVERIFY(dialogs.messages.isEmpty());
}

void DocumentFilesTest::openRtfWithItsPage()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    const QString path = ws.writeFile("letter.rtf", "{\\rtf1\\paperw11906\\paperh16838\\margl1134 Hello}");
    dialogs.fileAnswers << '"' + path + '"';  // typed with quotes
    main.toolBar();
    ws.active()->action("mnuFile_Open")->trigger();
    QCOMPARE(windows(main), 2);
    DocumentWindow* window = ws.active();
    QCOMPARE(window->caption(), path);
    QCOMPARE(window->textControl()->plainText(), QString("Hello"));
    QCOMPARE(window->textControl()->pageWidth(), 11906);
    QCOMPARE(window->textControl()->pageMarginL(), 1134);
    QCOMPARE(window->textControl()->pageMarginT(), 1440);  // not in the file: kept
    QCOMPARE(LayoutState::PrintOrientation, 1);
}

void DocumentFilesTest::rtfWithoutPageKeepsTheDefault()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    OpenDocuments::OpenDocument(ws.writeFile("plain.rtf", "{\\rtf1 x}"));
    QCOMPARE(ws.active()->textControl()->pageWidth(), 12240);
    QCOMPARE(ws.active()->textControl()->pageHeight(), 15840);
}

void DocumentFilesTest::landscapeSetsPrintOrientation()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    OpenDocuments::OpenDocument(ws.writeFile("wide.rtf", "{\\rtf1\\paperw15840\\paperh12240 x}"));
    QCOMPARE(LayoutState::PrintOrientation, 2);
}

void DocumentFilesTest::openThenCloseAsksNothing()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    OpenDocuments::OpenDocument(ws.writeFile("a.txt", "text"));
    QCoreApplication::processEvents();  // the load's change notification
    ws.active()->subWindow()->close();
    QCOMPARE(windows(main), 1);
    QVERIFY(dialogs.messages.isEmpty());
}

void DocumentFilesTest::openThenTypeAsks()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    OpenDocuments::OpenDocument(ws.writeFile("a.txt", "text"));
    QCoreApplication::processEvents();
    ws.active()->textControl()->setFocus();
    QTest::keyClicks(ws.active()->textControl()->pageView()->viewport(), "x");
    dialogs.messageAnswers << Answer::Cancel;
    ws.active()->subWindow()->close();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages.first().text.contains("a.txt"));
}

void DocumentFilesTest::alreadyOpen_data()
{
    QTest::addColumn<int>("ignoresCase");
    QTest::addColumn<bool>("refused");
    QTest::newRow("case-insensitive file system") << 1 << true;
    QTest::newRow("case-sensitive file system") << 0 << false;
}

void DocumentFilesTest::alreadyOpen()
{
    QFETCH(int, ignoresCase);
    QFETCH(bool, refused);
    FilePaths::setIgnoresCaseOverride(ignoresCase);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    const QString path = ws.writeFile("Letter.txt", "x");
    if (!ignoresCase)
        ws.writeFile("LETTER.TXT", "y");
    OpenDocuments::OpenDocument(path);
    QCOMPARE(ws.active()->caption(), ignoresCase ? path.toUpper() : path);
    dialogs.fileAnswers << ws.file("LETTER.TXT");
    ws.active()->action("mnuFile_Open")->trigger();
    QCOMPARE(windows(main), refused ? 2 : 3);
    QCOMPARE(dialogs.messages.size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(dialogs.messages.first().text, QString("This file is already open."));
        QCOMPARE(dialogs.messages.first().title, QString("File Opened"));
    }
}

void DocumentFilesTest::pageHeaderKind20()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    OpenDocuments::OpenDocument(ws.writeFile("form.txm", pageHeader(20) + nativeDocument("Form")));
    TextControl* control = ws.active()->textControl();
    QCOMPARE(control->plainText(), QString("Form"));
    QCOMPARE(control->pageWidth(), 11906);
    QCOMPARE(control->pageHeight(), 16837);
    QCOMPARE(control->pageMarginL(), 1440);
    QVERIFY(dialogs.messages.isEmpty());
}

void DocumentFilesTest::pageHeaderKind21IsRefused()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    const QString path = ws.writeFile("bad.txm", pageHeader(21) + nativeDocument("x"));
    OpenDocuments::OpenDocument(path);
    QCOMPARE(windows(main), 1);
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages.first().text.startsWith("Wrong file type: " + path + "\n\n"));
    QCOMPARE(DocumentTable::shared().openWindows().size(), 1);
    // The freed slot is used by the next window.
    OpenDocuments::OpenDocument(ws.writeFile("ok.txm", pageHeader(20) + nativeDocument("y")));
    QCOMPARE(ws.active()->tag(), QString("2"));
}

void DocumentFilesTest::saveAsUnknownExtensionWritesPageHeader()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    ws.active()->textControl()->setPlainText("Header test");
    ws.active()->textControl()->setPageMarginL(720);
    const QString path = ws.file("out.xyz");
    dialogs.fileAnswers << path;
    ws.active()->action("mnuFile_SaveAs")->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    qint32 kind, left, top, right, bottom, height, width;
    in >> kind >> left >> top >> right >> bottom >> height >> width;
    QCOMPARE(kind, 23);
    QCOMPARE(left, 720);
    QCOMPARE(width, 12240);
    QCOMPARE(height, 15840);
    QVERIFY(bytes.mid(30).startsWith("SCRVTX"));
    QCOMPARE(ws.active()->caption(), path);
    QVERIFY(!DocumentTable::shared().state(1).Dirty);
    // And it opens again as .xyz is not .txm: under its own name as a page-header file.
    QFile::copy(path, ws.file("again.txm"));
    OpenDocuments::OpenDocument(ws.file("again.txm"));
    QCOMPARE(ws.active()->textControl()->plainText(), QString("Header test"));
    QCOMPARE(ws.active()->textControl()->pageMarginL(), 720);
}

void DocumentFilesTest::saveAsNameWithoutExtensionTakesTheChosenType_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("type");  // 0: the dialog's own choice
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("words with a full stop, Word 2007") << "Letter to Dr. Lee" << 6 << "Letter to Dr. Lee.docx" << QByteArray("PK");
    QTest::newRow("words with a full stop, RTF") << "Letter to Dr. Lee" << 1 << "Letter to Dr. Lee.rtf" << QByteArray("{\\rtf");
    QTest::newRow("a number after the stop") << "Report v2.1" << 0 << "Report v2.1.rtf" << QByteArray("{\\rtf");
    QTest::newRow("an extension of its own") << "Letter.xyz" << 6 << "Letter.xyz" << QByteArray("\x17\0\0\0", 4);
}

// A name typed without an extension of its own is saved in the format of the file type chosen,
// under that type's extension, where Open lists it again.
void DocumentFilesTest::saveAsNameWithoutExtensionTakesTheChosenType()
{
    QFETCH(QString, typed);
    QFETCH(int, type);
    QFETCH(QString, saved);
    QFETCH(QByteArray, start);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    ws.active()->textControl()->setPlainText("Dear Dr. Lee,");
    dialogs.fileAnswers << ws.file(typed);
    dialogs.fileTypeAnswers << type;
    ws.active()->action("mnuFile_SaveAs")->trigger();
    QFile file(ws.file(saved));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(saved));
    QVERIFY(file.readAll().startsWith(start));
    QCOMPARE(ws.active()->caption(), ws.file(saved));
}

void DocumentFilesTest::templateShowsTheMergePanel()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    OpenDocuments::OpenDocument(ws.writeFile("letter.tx", nativeDocument("Dear")));
    QVERIFY(ws.active()->mergePanel()->isVisible());
    OpenDocuments::OpenDocument(ws.writeFile("letter.rtf", "{\\rtf1 Dear}"));
    QVERIFY(!ws.active()->mergePanel()->isVisible());
    // Save As from a template window proposes the template entry.
    ws.window(2)->subWindow()->widget();
    ws.main().mdiArea()->setActiveSubWindow(ws.window(2)->subWindow());
    SaveDocuments::AskSaveFileName();
    QCOMPARE(dialogs.fileRequests.last().filterIndex, 5);
    QCOMPARE(dialogs.fileRequests.last().defaultExtension, QString("tx"));
}

void DocumentFilesTest::mergeFileIsUntitled()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    const QString path = ws.writeFile("~mmerge.rtf", "{\\rtf1 merged}");
    OpenDocuments::OpenDocument(path);
    QCOMPARE(ws.active()->caption(), QString("Untitled:2"));
    QCOMPARE(recentCaptions(main), QStringList{"&1 " + path});
}

void DocumentFilesTest::mergedLettersOpenAsPages()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    QByteArray rtf;
    for (int i = 0; i < 3; ++i)
        rtf += "{\\rtf1{\\fonttbl{\\f0 Arial;}} Letter " + QByteArray::number(i) + "\\par}\\par \\page ";
    OpenDocuments::OpenDocument(ws.writeFile("three.rtf", rtf));
    QCOMPARE(ws.active()->textControl()->currentPages(), 3);
}

void DocumentFilesTest::saveWritesWhereTheFileCameFrom()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    const QString path = ws.writeFile("note.rtf", "{\\rtf1 old}");
    OpenDocuments::OpenDocument(path);
    ws.active()->textControl()->setPlainText("new text");
    ws.active()->action("mnuFileSave")->trigger();
    QVERIFY(dialogs.fileRequests.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("{\\rtf1"));
    QVERIFY(bytes.contains("new text"));
}

void DocumentFilesTest::saveOnUntitledAsks()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    ws.active()->textControl()->setPlainText("<b>x</b>");
    const QString path = ws.file("page.html");
    dialogs.fileAnswers << path;
    ws.active()->action("mnuFileSave")->trigger();
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(dialogs.fileRequests.first().title, QString("Save As"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("@page"));
    QVERIFY(recentCaptions(main).isEmpty());  // Save does not add to the list; Save As does
}

// A save that cannot write (here the name is taken by a folder, which even root cannot
// overwrite with a file) says so once and destroys nothing.
void DocumentFilesTest::failedSaveKeepsTheOldFile()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    const QString path = ws.file("report.doc");
    QVERIFY(QDir().mkpath(path));
    const QString inside = ws.writeFile("report.doc/original.txt", "original bytes");
    dialogs.fileAnswers << path;
    ws.active()->textControl()->setPlainText("changed");
    ws.active()->action("mnuFile_SaveAs")->trigger();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages.first().text.startsWith("Can't save file: " + path + "\n\n"));
    QFile file(inside);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("original bytes"));
    QCOMPARE(ws.active()->caption(), QString("Untitled:1"));
    QVERIFY(DocumentTable::shared().state(1).Dirty);
}

void DocumentFilesTest::recentFiles_data()
{
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("A to E keeps the last four")
        << QStringList{"A", "B", "C", "D", "E"} << QStringList{"E", "D", "C", "B"};
    QTest::newRow("A, B, A keeps the order") << QStringList{"A", "B", "A"} << QStringList{"B", "A"};
    QTest::newRow("case-sensitive duplicates") << QStringList{"a", "A"} << QStringList{"A", "a"};
}

void DocumentFilesTest::recentFiles()
{
    QFETCH(QStringList, opened);
    QFETCH(QStringList, shown);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    QVERIFY(recentCaptions(main).isEmpty());  // no key yet: nothing shown
    QVERIFY(!main.mainAction("mnuRecentFile_0")->isVisible());
    QStringList expected;
    for (const QString& name : opened) {
        const QString path = ws.writeFile(name + ".txt", name.toUtf8());
        OpenDocuments::OpenDocument(path);
        ws.active()->subWindow()->close();
    }
    for (int i = 0; i < shown.size(); ++i)
        expected << QString("&%1 %2").arg(i + 1).arg(ws.file(shown.at(i) + ".txt"));
    QCOMPARE(recentCaptions(main), expected);
    // Document windows show the same list.
    main.mainAction("mnuFile_New")->trigger();
    QCOMPARE(ws.active()->action("mnuRecentFile_1")->text(), expected.first());
    QVERIFY(ws.active()->action("mnuRecentFile_0")->isVisible());
}

void DocumentFilesTest::recentFileThatVanished()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    const QString path = ws.writeFile("gone.txt", "x");
    OpenDocuments::OpenDocument(path);
    ws.active()->subWindow()->close();
    QFile::remove(path);
    main.mainAction("mnuRecentFile_1")->trigger();
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().text, QString("File not found. It may have been deleted or moved."));
    QCOMPARE(recentCaptions(main).size(), 1);
}

void DocumentFilesTest::settingsKeepOtherContent()
{
    TestWorkspace ws;
    const QString ini = ws.writeFile("clinora.ini", "; practice settings\n[SQLServer]\nProvider=SQLite\n");
    SettingsFile::WriteSetting(ini, "Word Processor", "RecentFile1", "C:\\a.rtf");
    QCOMPARE(SettingsFile::ReadSetting(ini, "word processor", "recentfile1"), QString("C:\\a.rtf"));
    QCOMPARE(SettingsFile::ReadSetting(ini, "SQLSERVER", "provider"), QString("SQLite"));
    QCOMPARE(SettingsFile::ReadSetting(ini, "Missing", "Key"), QString());
    QFile file(ini);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("; practice settings"));
    SettingsFile::WriteSetting(ws.file("new.ini"), "S", "K", QString(600, 'x'));
    QCOMPARE(SettingsFile::ReadSetting(ws.file("new.ini"), "S", "K").size(), 499);
}

void DocumentFilesTest::insertTextFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("messages");
    QTest::newRow("cancelled") << "" << QByteArray() << "ab" << 0;
    QTest::newRow("RTF any case") << "part.RTF" << QByteArray("{\\rtf1 {\\b bold}}") << "abold" << 0;
    QTest::newRow("other extension as text") << "notes.log" << QByteArray("{\\rtf1 raw}") << "a{\\rtf1 raw}" << 0;
    QTest::newRow("unreadable") << "missing.txt" << QByteArray() << "ab" << 1;
}

void DocumentFilesTest::insertTextFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, text);
    QFETCH(int, messages);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    TextControl* control = ws.active()->textControl();
    control->setPlainText("ab");
    control->setSelStart(1);
    control->setSelLength(1);
    QString path;
    if (!name.isEmpty())
        path = content.isEmpty() ? ws.file(name) : ws.writeFile(name, content);
    dialogs.fileAnswers << path;
    ws.active()->action("mnuInsert_Text")->trigger();
    QCOMPARE(dialogs.fileRequests.first().title, QString("Insert Text"));
    QCOMPARE(control->plainText(), text);
    QCOMPARE(dialogs.messages.size(), messages);
    if (messages)
        QVERIFY(dialogs.messages.first().text.startsWith("Can't import file: " + path + "\n\n"));
}

void DocumentFilesTest::convert_data()
{
    QTest::addColumn<QString>("out");
    QTest::addColumn<QByteArray>("startsWith");
    QTest::newRow("to text") << "a.txt" << QByteArray("Hello world");
    QTest::newRow("to HTML") << "a.html" << QByteArray("<!DOCTYPE");
    QTest::newRow("to a template") << "a.tx" << QByteArray("SCRVTX");
    QTest::newRow("to a page-header file") << "a.txm" << QByteArray("\x17\0\0\0", 4);
}

void DocumentFilesTest::convert()
{
    QFETCH(QString, out);
    QFETCH(QByteArray, startsWith);
    QTemporaryDir dir;
    QFile in(dir.filePath("in.rtf"));
    QVERIFY(in.open(QIODevice::WriteOnly));
    in.write("{\\rtf1\\paperw11906\\paperh16838 Hello {\\b world}}");
    in.close();
    QString error;
    QVERIFY2(ConvertFile::convert(in.fileName(), dir.filePath(out), &error), qPrintable(error));
    QFile result(dir.filePath(out));
    QVERIFY(result.open(QIODevice::ReadOnly));
    QVERIFY(result.readAll().startsWith(startsWith));
    // And back: the page survives every format that keeps one.
    QVERIFY(ConvertFile::convert(dir.filePath(out), dir.filePath("back.rtf"), &error));
    QFile back(dir.filePath("back.rtf"));
    QVERIFY(back.open(QIODevice::ReadOnly));
    const QByteArray rtf = back.readAll();
    QVERIFY(rtf.contains("Hello") && rtf.contains("world"));
    if (!out.endsWith(".txt"))
        QVERIFY(rtf.contains("\\paperw11906"));
    QVERIFY(!ConvertFile::convert(dir.filePath("missing.rtf"), dir.filePath("x.txt"), &error));
    QVERIFY(error.startsWith("Can't load file: " + dir.filePath("missing.rtf") + ": "));
}

QTEST_MAIN(DocumentFilesTest)
#include "tst_documentfiles.moc"
