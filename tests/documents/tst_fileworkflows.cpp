// Files as a user meets them: a document named on the command line that does not load, a
// close whose save fails, the reasons the messages give, the recent-file list, the question
// before a save as plain text or HTML, and the window an exit prompt is about.
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/opendocument.h"
#include "shell/mainwindow.h"
#include "support/fulldisk.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>
#include <unistd.h>

using CommonDialog::Answer;

namespace {

// Records which document window is in front whenever the program asks something.
class WatchingDialogs : public ScriptedDialogs {
public:
    explicit WatchingDialogs(QMdiArea* area = nullptr) : m_area(area) {}
    void watch(QMdiArea* area) { m_area = area; }
    QStringList frontWhenAsked;

    Answer message(QWidget* parent, const QString& title, const QString& text, CommonDialog::Buttons buttons,
                   CommonDialog::Icon icon) override
    {
        QMdiSubWindow* front = m_area ? m_area->activeSubWindow() : nullptr;
        frontWhenAsked << (front ? front->widget()->windowTitle() : QString());
        return ScriptedDialogs::message(parent, title, text, buttons, icon);
    }

private:
    QMdiArea* m_area;
};

void type(DocumentWindow* window, const QString& text)
{
    window->textControl()->setFocus();
    QTest::keyClicks(window->textControl()->pageView()->viewport(), text);
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList recentPaths(MainWindow& main)
{
    QStringList paths;
    for (int i = 1; i <= 4; ++i) {
        QAction* a = main.mainAction(QString("mnuRecentFile_%1").arg(i));
        if (a->isVisible())
            paths << a->text().mid(3);
    }
    return paths;
}

int windows(MainWindow& main) { return int(main.mdiArea()->subWindowList().size()); }

QString damagedWordFile()
{
    const QString path = QStringLiteral(SCRIVORA_SOURCE_DIR
                                        "/../shared/corpus/word/damaged/node-word-extractor-badfile-01-bad-header.doc");
    return QFileInfo::exists(path) ? path : QString();
}

}  // namespace

class FileWorkflowsTest : public QObject {
    Q_OBJECT
private slots:
    void commandLineFileNotLoadedStaysUntitled_data();
    void commandLineFileNotLoadedStaysUntitled();
    void openFailureSaysWhy_data();
    void openFailureSaysWhy();
    void closeYesWithFailedSaveKeepsTheText_data();
    void closeYesWithFailedSaveKeepsTheText();
    void closeYesProposesTheDocumentsPath();
    void saveAsProposesTheDocumentsFile_data();
    void saveAsProposesTheDocumentsFile();
    void saveOnAFullDiskKeepsTheOldFile_data();
    void saveOnAFullDiskKeepsTheOldFile();
    void recentListTakesOnlyFilesThatWorked();
    void saveAsPlainFormatsAsksOnce_data();
    void saveAsPlainFormatsAsksOnce();
    void saveToTextFileAsksWhenTheDocumentGainsATable();
    void exitPromptShowsTheWindowAskedAbout();
};

void FileWorkflowsTest::commandLineFileNotLoadedStaysUntitled_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("RTF that is not RTF") << "letter.rtf" << QByteArray("\x01\x02garbage\x00\xff", 11)
                                         << "It is not a Rich Text document";
    QTest::newRow("RTF that is missing") << "gone.rtf" << QByteArray() << "does not exist";
    QTest::newRow("Word file, not imported at start-up") << "report.doc" << QByteArray("\xD0\xCF\x11\xE0 old", 8)
                                                         << "imports .rtf and .txt files only";
}

// The window shows nothing of the file, so it does not bear its name: Save asks for one and
// the file keeps its bytes.
void FileWorkflowsTest::commandLineFileNotLoadedStaysUntitled()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    const QString path = bytes.isEmpty() ? ws.file(name) : ws.writeFile(name, bytes);
    MainWindow& main = ws.start(path);
    QCOMPARE(ws.active()->caption(), QString("Untitled:1"));
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages.first().text.startsWith("Can't import file: " + path + "\n"));
    QVERIFY2(dialogs.messages.first().text.contains(reason), qPrintable(dialogs.messages.first().text));
    type(ws.active(), "Dear Dr. Smith, thank you!");
    ws.active()->action("mnuFileSave")->trigger();  // the Save As dialog, cancelled
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(dialogs.fileRequests.first().title, QString("Save As"));
    QCOMPARE(bytesOf(path), bytes);
    QCOMPARE(ws.active()->textControl()->plainText(), QString("Dear Dr. Smith, thank you!"));
    QVERIFY(recentPaths(main).isEmpty());
}

void FileWorkflowsTest::openFailureSaysWhy_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "moved.rtf" << QByteArray() << "The file does not exist.";
    QTest::newRow("a PDF named .doc") << "scan.doc" << QByteArray("%PDF-1.5\n")
                                      << "It is not a Word 97-2003 document (.doc): it looks like a PDF document.";
    QTest::newRow("a .docx named .doc") << "new.doc" << QByteArray("PK\x03\x04....[Content_Types].xml", 27)
                                        << "it looks like a Word 2007 document (.docx)";
    QTest::newRow("a picture named .rtf") << "photo.rtf" << QByteArray("\x89PNG\r\n\x1a\n", 8)
                                          << "It is not a Rich Text document: it looks like a picture.";
    QTest::newRow("an empty .docx") << "empty.docx" << QByteArray("empty") << "it looks like an empty file";
    QTest::newRow("a folder") << "folder.rtf" << QByteArray("folder") << "This is a folder, not a file.";
    QTest::newRow("a damaged .doc") << "damaged" << QByteArray() << "damaged or protected";
}

// File > Open of a file that does not load: the specified text first, then why; no window
// and no recent entry.
void FileWorkflowsTest::openFailureSaysWhy()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    QString path = ws.file(name);
    if (name == "damaged") {
        path = damagedWordFile();
        if (path.isEmpty())
            QSKIP("the shared corpus of damaged Word files is not here");
    } else if (bytes == "folder") {
        QDir().mkpath(path);
    } else if (bytes == "empty") {
        ws.writeFile(name, QByteArray());
    } else if (!bytes.isEmpty()) {
        ws.writeFile(name, bytes);
    }
    dialogs.fileAnswers << path;
    ws.active()->action("mnuFile_Open")->trigger();
    QCOMPARE(windows(main), 1);
    QCOMPARE(dialogs.messages.size(), 1);
    const QString text = dialogs.messages.first().text;
    QVERIFY2(text.startsWith("Can't load file: " + path + "\n\n"), qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY(recentPaths(main).isEmpty());
}

void FileWorkflowsTest::closeYesWithFailedSaveKeepsTheText_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder gone") << "gone" << "does not exist";
    QTest::newRow("name taken by a folder") << "folder" << "A folder of that name exists";
    QTest::newRow("disk full") << "full" << "The disk is full";
    QTest::newRow("read-only folder") << "readonly" << "no permission";
}

// Yes, a name, and the save fails: the window stays open, modified, with every word typed.
void FileWorkflowsTest::closeYesWithFailedSaveKeepsTheText()
{
    QFETCH(QString, where);
    QFETCH(QString, reason);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    FullDisk disk;
    QTemporaryDir readOnly;
    QString target;
    if (where == "gone") {
        target = ws.file("Letters/referral.rtf");
    } else if (where == "folder") {
        target = ws.file("referral.rtf");
        QDir().mkpath(target);
    } else if (where == "full") {
        if (disk.path().isEmpty())
            QSKIP("no small file system can be made here to fill");
        target = disk.path() + "/referral.rtf";
    } else {
        if (geteuid() == 0)
            QSKIP("the superuser writes into read-only folders");
        QFile::setPermissions(readOnly.path(), QFile::ReadOwner | QFile::ExeOwner);
        target = readOnly.filePath("referral.rtf");
    }
    type(ws.active(), "Re: Mrs. O'Neil (DOB 1950-03-02) - 50% better; see p. 2.");
    dialogs.messageAnswers << Answer::Yes;
    dialogs.fileAnswers << target;
    ws.active()->action("mnuFClose")->trigger();
    QCOMPARE(windows(main), 1);
    QCOMPARE(dialogs.messages.size(), 2);  // the question, then the failure
    const QString failure = dialogs.messages.at(1).text;
    QVERIFY2(failure.startsWith("Can't save file: " + target + "\n\n"), qPrintable(failure));
    QVERIFY2(failure.contains(reason), qPrintable(failure));
    QCOMPARE(ws.active()->textControl()->plainText(),
             QString("Re: Mrs. O'Neil (DOB 1950-03-02) - 50% better; see p. 2."));
    QCOMPARE(ws.active()->caption(), QString("Untitled:1"));
    QVERIFY(DocumentTable::shared().state(1).Dirty);
    QFile::setPermissions(readOnly.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A document with a file: the close prompt's Save As starts at that file; when its folder has
// gone meanwhile, the save fails and the window stays.
void FileWorkflowsTest::closeYesProposesTheDocumentsPath()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    QDir().mkpath(ws.file("Letters"));
    const QString path = ws.writeFile("Letters/referral.rtf", "{\\rtf1 Dear colleague,}");
    OpenDocuments::OpenDocument(path);
    QCoreApplication::processEvents();
    type(ws.active(), "Hello ");
    QDir(ws.file("Letters")).removeRecursively();
    dialogs.messageAnswers << Answer::Yes;
    dialogs.fileAnswers << path;  // the user takes what the dialog proposes
    ws.active()->action("mnuFClose")->trigger();
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(dialogs.fileRequests.first().fileName, path);
    QCOMPARE(windows(main), 2);
    QCOMPARE(ws.active()->caption(), path);
    QCOMPARE(ws.active()->textControl()->plainText(), QString("Hello Dear colleague,"));
    // The folder is back: Yes now saves and closes.
    QDir().mkpath(ws.file("Letters"));
    dialogs.messageAnswers << Answer::Yes;
    dialogs.fileAnswers << path;
    ws.active()->action("mnuFClose")->trigger();
    QCOMPARE(windows(main), 1);
    QVERIFY(bytesOf(path).contains("Hello Dear colleague,"));
}

void FileWorkflowsTest::saveAsProposesTheDocumentsFile_data()
{
    QTest::addColumn<QString>("name");  // empty: a new document
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("type");  // the entry of the type list shown; 0: the last one used
    QTest::newRow("Rich Text") << "Letters/referral.rtf" << QByteArray("{\\rtf1 Dear colleague,}") << 1;
    QTest::newRow("text") << "Letters/notes.txt" << QByteArray("Dear colleague,") << 3;
    QTest::newRow("new document") << QString() << QByteArray() << 0;
}

// Save As starts from the document's own file and type: a copy beside it or the same letter
// in another format needs only a change, not the whole path typed again.
void FileWorkflowsTest::saveAsProposesTheDocumentsFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, type);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    QString path;
    if (!name.isEmpty()) {
        QDir().mkpath(ws.file("Letters"));
        path = ws.writeFile(name, bytes);
        OpenDocuments::OpenDocument(path);
        QCoreApplication::processEvents();
    }
    ws.active()->action("mnuFile_SaveAs")->trigger();  // the dialog is cancelled
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(dialogs.fileRequests.first().fileName, path);
    QCOMPARE(dialogs.fileRequests.first().filterIndex, type);
}

void FileWorkflowsTest::saveOnAFullDiskKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"letter.rtf", "letter.doc", "letter.docx", "letter.htm", "letter.txt", "letter.tx",
                             "letter.txm", "letter.xyz"})
        QTest::newRow(name) << QString(name);
}

// Ctrl+S on a document whose disk has filled up: the message says so, and the file on disk
// is still the one that was there, in every format.
void FileWorkflowsTest::saveOnAFullDiskKeepsTheOldFile()
{
    QFETCH(QString, name);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    const QByteArray old = "the letter as it was saved yesterday";
    FullDisk disk({{name, old}});
    if (disk.path().isEmpty())
        QSKIP("no small file system can be made here to fill");
    const QString path = disk.path() + "/" + name;
    dialogs.fileAnswers << path;
    type(ws.active(), "Today's letter.");
    ws.active()->action("mnuFile_SaveAs")->trigger();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY2(dialogs.messages.first().text.contains("The disk is full"), qPrintable(dialogs.messages.first().text));
    QCOMPARE(bytesOf(path), old);
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no part left behind
    QVERIFY(DocumentTable::shared().state(1).Dirty);
}

void FileWorkflowsTest::recentListTakesOnlyFilesThatWorked()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    type(ws.active(), "Follow-up in 2 weeks.");
    const QString failing = ws.file("missing folder/a.rtf");
    dialogs.fileAnswers << failing;
    ws.active()->action("mnuFile_SaveAs")->trigger();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(recentPaths(main).isEmpty());
    const QString damaged = ws.writeFile("damaged.rtf", QByteArray("\x01\x02\x03", 3));
    dialogs.fileAnswers << damaged;
    ws.active()->action("mnuFile_Open")->trigger();
    QVERIFY(recentPaths(main).isEmpty());
    const QString saved = ws.file("Documents/follow-up.rtf");
    dialogs.fileAnswers << saved;
    ws.active()->action("mnuFile_SaveAs")->trigger();
    QCOMPARE(recentPaths(main), QStringList{saved});
    QCOMPARE(ws.active()->action("mnuRecentFile_1")->text(), "&1 " + saved);
}

void FileWorkflowsTest::saveAsPlainFormatsAsksOnce_data()
{
    QTest::addColumn<QString>("content");  // what the user puts in: table, header, plain
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lost");     // empty: no question
    QTest::addColumn<bool>("yes");
    QTest::newRow("table as .txt, No, then .rtf") << "table" << "letter.txt" << "tables" << false;
    QTest::newRow("table as .txt, Yes") << "table" << "letter.txt" << "tables" << true;
    QTest::newRow("header as .htm, Yes") << "header" << "letter.htm" << "header and footer" << true;
    QTest::newRow("header as .htm, No, then .rtf") << "header" << "letter.htm" << "header and footer" << false;
    QTest::newRow("plain text as .txt") << "plain" << "letter.txt" << "" << true;
    QTest::newRow("table as .rtf") << "table" << "letter.rtf" << "" << true;
    QTest::newRow("table as .htm") << "table" << "letter.htm" << "" << true;
}

// One question before the save names what the format drops; No shows the dialog again.
void FileWorkflowsTest::saveAsPlainFormatsAsksOnce()
{
    QFETCH(QString, content);
    QFETCH(QString, name);
    QFETCH(QString, lost);
    QFETCH(bool, yes);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    DocumentWindow* window = ws.active();
    type(window, "Results: normal.");
    if (content == "table") {
        dialogs.dialogScripts << [](QDialog* dialog) {
            dialog->findChild<QPushButton*>("btnOK")->click();
            return dialog->result();
        };
        emit window->menu("mnuInsert")->aboutToShow();
        window->action("mnuInsert_Table")->trigger();
    } else if (content == "header") {
        emit window->menu("mnuInsert")->aboutToShow();
        window->action("mnuIHeader")->trigger();
    }
    const QString path = ws.file("Documents/" + name);
    const QString other = ws.file("Documents/letter.rtf");
    dialogs.fileAnswers << path;
    if (!lost.isEmpty()) {
        dialogs.messageAnswers << (yes ? Answer::Yes : Answer::No);
        if (!yes)
            dialogs.fileAnswers << other;
    }
    window->action("mnuFile_SaveAs")->trigger();
    if (lost.isEmpty()) {
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(QFile::exists(path));
        return;
    }
    QCOMPARE(dialogs.messages.size(), 1);
    const ShownMessage question = dialogs.messages.first();
    QVERIFY(question.buttons == CommonDialog::Buttons::YesNo);
    QVERIFY2(question.text.contains("does not keep the " + lost + " of this document"), qPrintable(question.text));
    QCOMPARE(QFile::exists(path), yes);
    QCOMPARE(window->caption(), yes ? path : other);
    if (!yes) {
        QCOMPARE(dialogs.fileRequests.size(), 2);
        QCOMPARE(dialogs.fileRequests.at(1).fileName, path);  // the dialog again, at the name given
        QVERIFY(bytesOf(other).startsWith("{\\rtf1"));
    }
    // Saving again to the same file asks nothing more.
    type(window, " More.");
    window->action("mnuFileSave")->trigger();
    QCOMPARE(dialogs.messages.size(), 1);
}

// A plain text file that gains a table: the next Save says what .txt will not keep.
void FileWorkflowsTest::saveToTextFileAsksWhenTheDocumentGainsATable()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    const QString path = ws.writeFile("Documents/notes.txt", "Blood pressure:");
    OpenDocuments::OpenDocument(path);
    QCoreApplication::processEvents();
    DocumentWindow* window = ws.active();
    dialogs.dialogScripts << [](QDialog* dialog) {
        dialog->findChild<QPushButton*>("btnOK")->click();
        return dialog->result();
    };
    window->action("mnuInsert_Table")->trigger();
    dialogs.messageAnswers << Answer::No;  // and then the dialog, cancelled
    window->action("mnuFileSave")->trigger();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages.first().text.contains("tables"));
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(dialogs.fileRequests.first().fileName, path);
    QCOMPARE(bytesOf(path), QByteArray("Blood pressure:"));
    QVERIFY(DocumentTable::shared().stateForTag(window->tag())->Dirty);
}

// Exit with modified windows: each question shows its own window in front.
void FileWorkflowsTest::exitPromptShowsTheWindowAskedAbout()
{
    WatchingDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    dialogs.watch(main.mdiArea());
    type(ws.active(), "First letter.");
    ws.active()->action("mnuFile_New")->trigger();
    type(ws.active(), "Second letter.");
    ws.active()->action("mnuFile_New")->trigger();  // Untitled:3, unchanged, in front
    QCOMPARE(ws.active()->caption(), QString("Untitled:3"));
    dialogs.messageAnswers << Answer::No << Answer::Cancel;
    ws.active()->action("mnuFile_Exit")->trigger();
    QCOMPARE(dialogs.messages.size(), 2);
    QVERIFY(dialogs.messages.at(0).text.contains("[Untitled:1]"));
    QVERIFY(dialogs.messages.at(1).text.contains("[Untitled:2]"));
    QCOMPARE(dialogs.frontWhenAsked, (QStringList{"Untitled:1", "Untitled:2"}));
    QCOMPARE(windows(main), 3);  // Cancel kept them all
}

QTEST_MAIN(FileWorkflowsTest)
#include "tst_fileworkflows.moc"
