// Two people, one folder: the lock beside an open document in the form other office programs
// write, the question when someone else has the document open, a read-only window that never
// saves over the file, a lock a crashed program of ours left, and a save that finds the file
// changed on disk since it was opened.
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "documents/opendocument.h"
#include "documents/lockfile.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>
#include <unistd.h>

using CommonDialog::Answer;

namespace {

const QByteArray Letter = "{\\rtf1\\ansi Dear Dr. Miller,\\par}";
// A lock as LibreOffice writes it for a colleague on another machine.
const QByteArray ColleaguesLock = "Jane Doe,jdoe,frontdesk2,06.12.2026 09:15,file:///home/jdoe/.config/libreoffice/4;";

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

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QString lockOf(const QString& path) { return LockFile::pathFor(path); }

int windows(MainWindow& main) { return int(main.mdiArea()->subWindowList().size()); }

// The number of a process that has ended.
qint64 endedProcess()
{
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForFinished();
    return process.processId() > 0 ? process.processId() : 999999;
}

DocumentWindow* openThroughMenu(TestWorkspace& ws, ScriptedDialogs& dialogs, const QString& path)
{
    dialogs.fileAnswers << path;
    ws.active()->action("mnuFile_Open")->trigger();
    return ws.active();
}

}  // namespace

class SharedFoldersTest : public QObject {
    Q_OBJECT
private slots:
    void openingWritesALockInTheOtherProgramsFormAndClosingRemovesIt();
    void someoneElsesLockIsAskedAbout_data();
    void someoneElsesLockIsAskedAbout();
    void readOnlyDocumentSavesOnlyUnderAnotherName();
    void commandLineDocumentInUseIsAskedAboutToo_data();
    void commandLineDocumentInUseIsAskedAboutToo();
    void crashedProgramsLockIsTakenOverSilently_data();
    void crashedProgramsLockIsTakenOverSilently();
    void folderThatRefusesTheLockStillOpens();
    void saveAfterSomeoneElseChangedTheFileAsksFirst_data();
    void saveAfterSomeoneElseChangedTheFileAsksFirst();
    void lockFormatSurvivesCommasInNames();
    void lockStaysWhileAnotherWindowHasTheFile();
};

void SharedFoldersTest::openingWritesALockInTheOtherProgramsFormAndClosingRemovesIt()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    const QString path = ws.writeFile("Documents/referral, Miller.rtf", Letter);
    DocumentWindow* window = openThroughMenu(ws, dialogs, path);
    QCOMPARE(window->filePath(), path);
    QVERIFY(dialogs.messages.isEmpty());

    const QByteArray lock = bytesOf(lockOf(path));
    QCOMPARE(QFileInfo(lockOf(path)).fileName(), QString(".~lock.referral, Miller.rtf#"));
    // full name, user, host, DD.MM.YYYY HH:MM, profile URL; no line end
    const QRegularExpression form(QStringLiteral("^[^,]*,[^,]+,%1,\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d,file://[^,;]*;$")
                                      .arg(QRegularExpression::escape(QSysInfo::machineHostName())));
    QVERIFY2(form.match(QString::fromUtf8(lock)).hasMatch(), lock.constData());
    QCOMPARE(LockFile::parse(lock)->pid, qint64(::getpid()));

    type(window, "Thank you for the referral. ");
    window->action("mnuFileSave")->trigger();
    QVERIFY(QFileInfo::exists(lockOf(path)));  // saving keeps the document locked
    window->subWindow()->close();
    QCOMPARE(windows(main), 1);
    QVERIFY(!QFileInfo::exists(lockOf(path)));
}

void SharedFoldersTest::someoneElsesLockIsAskedAbout_data()
{
    QTest::addColumn<QByteArray>("lock");
    QTest::addColumn<QString>("who");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("caption");  // empty: no window opened
    const LockFile::Owner self = LockFile::ourselves();
    const QByteArray mineWithoutNumber = "," + self.user.toUtf8() + "," + self.host.toUtf8()
        + ",06.12.2026 09:15,file:///home/me/.config/libreoffice/4;";
    QTest::newRow("colleague: read-only") << ColleaguesLock << "Jane Doe (frontdesk2)" << int(Answer::Yes)
                                          << "%1 (read-only)";
    QTest::newRow("colleague: a copy") << ColleaguesLock << "Jane Doe (frontdesk2)" << int(Answer::No)
                                       << "Untitled:2";
    QTest::newRow("colleague: cancel") << ColleaguesLock << "Jane Doe (frontdesk2)" << int(Answer::Cancel)
                                       << QString();
    QTest::newRow("no full name: the user name") << QByteArray(",jdoe,frontdesk2,06.12.2026 09:15,file:///x;")
                                                 << "jdoe (frontdesk2)" << int(Answer::Yes) << "%1 (read-only)";
    // Another office program of this user on this machine: it may well be running.
    QTest::newRow("our other office program") << mineWithoutNumber << self.user + " (" + self.host + ")"
                                              << int(Answer::No) << "Untitled:2";
}

void SharedFoldersTest::someoneElsesLockIsAskedAbout()
{
    QFETCH(QByteArray, lock);
    QFETCH(QString, who);
    QFETCH(int, answer);
    QFETCH(QString, caption);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    MainWindow& main = ws.start();
    const QString path = ws.writeFile("Documents/Referral.rtf", Letter);
    writeBytes(lockOf(path), lock);
    dialogs.messageAnswers << Answer(answer);
    openThroughMenu(ws, dialogs, path);

    QCOMPARE(dialogs.messages.size(), 1);
    const ShownMessage& asked = dialogs.messages.first();
    QCOMPARE(asked.title, QString("Document in Use"));
    QCOMPARE(asked.buttons, CommonDialog::Buttons::YesNoCancel);
    QVERIFY2(asked.text.startsWith(path + " is open by " + who), qPrintable(asked.text));
    QVERIFY2(asked.text.contains(" since ") && asked.text.contains(" ago)"), qPrintable(asked.text));
    QCOMPARE(bytesOf(lockOf(path)), lock);  // their lock stays as it was
    if (caption.isEmpty()) {
        QCOMPARE(windows(main), 1);
        return;
    }
    QCOMPARE(windows(main), 2);
    QCOMPARE(ws.active()->caption(), caption.contains("%1") ? caption.arg(path) : caption);
    QCOMPARE(ws.active()->textControl()->plainText().trimmed(), QString("Dear Dr. Miller,"));
    ws.active()->subWindow()->close();
    QCOMPARE(bytesOf(lockOf(path)), lock);  // closing leaves their lock alone
}

// Save goes to Save As; Save As onto their file is refused by name, another name works.
void SharedFoldersTest::readOnlyDocumentSavesOnlyUnderAnotherName()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    const QString path = ws.writeFile("Documents/Referral.rtf", Letter);
    writeBytes(lockOf(path), ColleaguesLock);
    dialogs.messageAnswers << Answer::Yes;  // read-only
    DocumentWindow* window = openThroughMenu(ws, dialogs, path);
    type(window, "My note; ");

    dialogs.fileAnswers << path;
    window->action("mnuFileSave")->trigger();
    QCOMPARE(dialogs.fileRequests.last().title, QString("Save As"));
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.messages.last().text,
             path + " is open by Jane Doe (frontdesk2), so Scrivora does not save over it. Save your document "
                    "under another name with Save As, or save again once it is closed there.");
    QCOMPARE(bytesOf(path), Letter);

    const QString mine = ws.file("Documents/Referral (mine).rtf");
    dialogs.fileAnswers << mine;
    window->action("mnuFileSave")->trigger();
    QCOMPARE(window->caption(), mine);
    QVERIFY(bytesOf(mine).contains("My note;"));
    QCOMPARE(LockFile::read(mine)->pid, qint64(::getpid()));  // the new file is ours
    QCOMPARE(bytesOf(lockOf(path)), ColleaguesLock);
    // From now on Save writes the new file without asking.
    const int asked = int(dialogs.fileRequests.size());
    type(window, "more ");
    window->action("mnuFileSave")->trigger();
    QCOMPARE(int(dialogs.fileRequests.size()), asked);
    QVERIFY(bytesOf(mine).contains("more"));
}

void SharedFoldersTest::commandLineDocumentInUseIsAskedAboutToo_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("read-only") << int(Answer::Yes) << "%1 (read-only)" << true;
    QTest::newRow("a copy") << int(Answer::No) << "Untitled:1" << true;
    QTest::newRow("cancel") << int(Answer::Cancel) << "Untitled:1" << false;
}

// The practice system starts Scrivora with a letter a colleague has open.
void SharedFoldersTest::commandLineDocumentInUseIsAskedAboutToo()
{
    QFETCH(int, answer);
    QFETCH(QString, caption);
    QFETCH(bool, loaded);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    const QString path = ws.writeFile("Documents/Referral.rtf", Letter);
    writeBytes(lockOf(path), ColleaguesLock);
    dialogs.messageAnswers << Answer(answer);
    ws.start(path);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().title, QString("Document in Use"));
    QCOMPARE(ws.active()->caption(), caption.contains("%1") ? caption.arg(path) : caption);
    QCOMPARE(ws.active()->textControl()->plainText().contains("Dr. Miller"), loaded);
    QCOMPARE(bytesOf(lockOf(path)), ColleaguesLock);
    type(ws.active(), "Note: ");
    dialogs.fileAnswers << QString();  // every save of this window asks for a name
    ws.active()->action("mnuFileSave")->trigger();
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(bytesOf(path), Letter);
}

void SharedFoldersTest::crashedProgramsLockIsTakenOverSilently_data()
{
    QTest::addColumn<bool>("sameHost");
    QTest::newRow("this machine: taken over") << true;
    QTest::newRow("another machine: asked") << false;
}

void SharedFoldersTest::crashedProgramsLockIsTakenOverSilently()
{
    QFETCH(bool, sameHost);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    const QString path = ws.writeFile("Documents/Referral.rtf", Letter);
    LockFile::Owner crashed = LockFile::ourselves();
    crashed.pid = endedProcess();
    crashed.since = QDateTime::currentDateTime().addSecs(-3 * 3600);
    if (!sameHost)
        crashed.host = QStringLiteral("frontdesk2");
    writeBytes(lockOf(path), LockFile::format(crashed));
    dialogs.messageAnswers << Answer::Yes;
    DocumentWindow* window = openThroughMenu(ws, dialogs, path);
    if (sameHost) {
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(window->caption(), path);
        QCOMPARE(LockFile::read(path)->pid, qint64(::getpid()));
    } else {
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages.first().text.contains("(3 hours ago)"), qPrintable(dialogs.messages.first().text));
        QCOMPARE(LockFile::read(path)->pid, crashed.pid);
    }
}

// A share mounted read-only, or a lock's name taken by something that is no file: the
// document opens all the same, without a lock and without a message.
void SharedFoldersTest::folderThatRefusesTheLockStillOpens()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    const QString path = ws.writeFile("Documents/Referral.rtf", Letter);
    QVERIFY(QDir().mkpath(lockOf(path)));
    DocumentWindow* window = openThroughMenu(ws, dialogs, path);
    QCOMPARE(window->caption(), path);
    QVERIFY(dialogs.messages.isEmpty());
    type(window, "Seen. ");
    window->action("mnuFileSave")->trigger();
    QVERIFY(bytesOf(path).contains("Seen."));
    window->subWindow()->close();
    QVERIFY(QFileInfo(lockOf(path)).isDir());
}

void SharedFoldersTest::saveAfterSomeoneElseChangedTheFileAsksFirst_data()
{
    QTest::addColumn<QByteArray>("theirs");  // empty: nobody changed it
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("overwritten");
    const QByteArray changed = "{\\rtf1\\ansi Dear Dr. Miller, see the enclosed results.\\par}";
    QTest::newRow("changed: keep theirs") << changed << int(Answer::No) << false;
    QTest::newRow("changed: replace") << changed << int(Answer::Yes) << true;
    QTest::newRow("same size, other bytes") << QByteArray("{\\rtf1\\ansi Dear Dr. Mullen,\\par}") << int(Answer::No)
                                            << false;
    QTest::newRow("unchanged: no question") << QByteArray() << int(Answer::No) << true;
}

void SharedFoldersTest::saveAfterSomeoneElseChangedTheFileAsksFirst()
{
    QFETCH(QByteArray, theirs);
    QFETCH(int, answer);
    QFETCH(bool, overwritten);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    ws.start();
    const QString path = ws.writeFile("Documents/Referral.rtf", Letter);
    DocumentWindow* window = openThroughMenu(ws, dialogs, path);
    // A first save of ours is no one else's change.
    type(window, "Re: ");
    window->action("mnuFileSave")->trigger();
    QVERIFY(dialogs.messages.isEmpty());
    type(window, "Mrs. O'Brien, born 1/2/1950. ");
    if (!theirs.isEmpty())
        writeBytes(path, theirs);
    dialogs.messageAnswers << Answer(answer);
    window->action("mnuFileSave")->trigger();

    QCOMPARE(dialogs.messages.size(), theirs.isEmpty() ? 0 : 1);
    if (!theirs.isEmpty()) {
        QCOMPARE(dialogs.messages.first().title, QString("File Changed on Disk"));
        QCOMPARE(dialogs.messages.first().buttons, CommonDialog::Buttons::YesNo);
        QVERIFY(dialogs.messages.first().text.startsWith(path + " was changed on disk since you opened"));
    }
    QCOMPARE(bytesOf(path).contains("O'Brien"), overwritten);
    if (!overwritten) {
        QCOMPARE(bytesOf(path), theirs);
        QVERIFY(ws.active()->textControl()->plainText().contains("O'Brien"));  // nothing of ours lost
    }
}

void SharedFoldersTest::lockFormatSurvivesCommasInNames()
{
    LockFile::Owner owner;
    owner.fullName = QStringLiteral("Doe, Jane; MD\\");
    owner.user = QStringLiteral("jdoe");
    owner.host = QStringLiteral("frontdesk2");
    owner.since = QDateTime(QDate(2026, 12, 6), QTime(9, 15));
    owner.profile = QStringLiteral("file:///home/jdoe/.config/clinora");
    owner.pid = 4242;
    const QByteArray bytes = LockFile::format(owner);
    QCOMPARE(bytes, QByteArray("Doe\\, Jane\\; MD\\\\,jdoe,frontdesk2,06.12.2026 09:15,"
                               "file:///home/jdoe/.config/clinora#pid=4242;"));
    const std::optional<LockFile::Owner> back = LockFile::parse(bytes);
    QVERIFY(back);
    QCOMPARE(back->fullName, owner.fullName);
    QCOMPARE(back->since, owner.since);
    QCOMPARE(back->profile, owner.profile);
    QCOMPARE(back->pid, owner.pid);
    QVERIFY(!LockFile::parse("no end,of,fields"));
    QVERIFY(!LockFile::parse(",too,few;"));
}

// The routine that opens a named file without asking whether it is open already (the command
// line's --open, a merge's letters) can give one file two windows: the lock stays until the last
// window with the file closes.
void SharedFoldersTest::lockStaysWhileAnotherWindowHasTheFile()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    const QString path = ws.writeFile("Documents/letter.rtf", Letter);
    MainWindow& main = ws.start();
    OpenDocuments::OpenDocument(path);
    OpenDocuments::OpenDocument(path);
    QList<QMdiSubWindow*> withFile;
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
        if (static_cast<DocumentWindow*>(sub->widget())->filePath() == path)
            withFile << sub;
    QCOMPARE(withFile.size(), 2);
    QVERIFY(QFileInfo::exists(lockOf(path)));
    withFile.first()->close();
    QVERIFY(QFileInfo::exists(lockOf(path)));
    withFile.last()->close();
    QVERIFY(!QFileInfo::exists(lockOf(path)));
}

QTEST_MAIN(SharedFoldersTest)
#include "tst_sharedfolders.moc"
