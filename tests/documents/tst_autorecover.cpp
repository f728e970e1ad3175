// Autosave and recovery: copies of modified documents in the private directory, gone when the
// document is saved or closed and at a normal exit; after a program that did not end, the
// start-up offers them (Recover, Discard, Later), never those of a program still running.
#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "documents/autorecover.h"
#include "documents/documenttable.h"
#include "documents/documentwindow.h"
#include "documents/filepaths.h"
#include "documents/opendocument.h"
#include "documents/recoverydialog.h"
#include "documents/recoveryfiles.h"
#include "components/panels/latchbutton.h"
#include "components/panels/panel.h"
#include "merge/mergetoolbar.h"
#include "merge/windowmerge.h"
#include "support/practicedatabase.h"
#include "settings/apppaths.h"
#include "settings/settingsfile.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"
#include "texts/recoverytexts.h"

#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QTableWidget>
#include <QtTest>

#include <sys/stat.h>

using Answer = CommonDialog::Answer;

namespace {

void type(DocumentWindow* window, const QString& text)
{
    window->textControl()->setFocus();
    QTest::keyClicks(window->textControl()->pageView()->viewport(), text);
}

QStringList filesIn(const QString& folder, const QString& pattern = QStringLiteral("*"))
{
    return QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A document of the given text, saved as the format its name asks for.
QString writeDocument(TestWorkspace& ws, const QString& name, const QString& text)
{
    TextControl control;
    control.setPlainText(text);
    const QString path = ws.file(QStringLiteral("Documents/") + name);
    const int format = name.endsWith(QLatin1String(".tx")) ? TextControl::FormatNative : TextControl::FormatRtf;
    if (!control.save(path, 0, format))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString recoveredText(const QString& textFile)
{
    TextControl control;
    return control.load(textFile, 0, TextControl::FormatNative) ? control.plainText() : QStringLiteral("<unreadable>");
}

unsigned modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? unsigned(info.st_mode & 07777) : 0u;
}

bool dirty(DocumentWindow* window) { return DocumentTable::shared().stateForTag(window->tag())->Dirty; }

// Answers the recovery dialog: the action for each caption, in the order the rows show.
std::function<int(QDialog*)> answerRecovery(const QHash<QString, RecoveryDialog::Action>& actions,
                                            QStringList* shownPaths = nullptr)
{
    return [actions, shownPaths](QDialog* d) {
        auto* dialog = qobject_cast<RecoveryDialog*>(d);
        if (!dialog)
            return int(QDialog::Rejected);
        for (int row = 0; row < dialog->table()->rowCount(); ++row) {
            const QString caption = dialog->table()->item(row, 0)->text();
            if (shownPaths)
                *shownPaths << dialog->table()->item(row, 1)->text();
            dialog->actionBox(row)->setCurrentIndex(actions.value(caption, RecoveryDialog::Later));
        }
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        return d->result();
    };
}

// Copies as a program that ended without closing leaves them: under a run with no live lock.
RecoveryEntry leaveCopy(const QString& folder, const QString& run, int number, const QString& caption,
                        const QString& originalPath, const QString& text)
{
    TextControl control;
    control.setPlainText(text);
    RecoveryEntry entry;
    entry.textFile = QDir(folder).filePath(QStringLiteral("~Recover-%1-%2.tx").arg(run).arg(number));
    entry.indexFile = RecoveryFiles::indexFileFor(entry.textFile);
    entry.index = {caption, originalPath, TextControl::FormatRtf, QDateTime::currentDateTimeUtc()};
    if (!RecoveryFiles::write(entry.textFile, control.nativeForm(), entry.index))
        qFatal("cannot leave a copy");
    return entry;
}

}  // namespace

class AutoRecoverTest : public QObject {
    Q_OBJECT
private slots:
    void intervalComesFromTheSettingsFile_data();
    void intervalComesFromTheSettingsFile();
    void timerCopiesUnlessAModalWindowIsOpen_data();
    void timerCopiesUnlessAModalWindowIsOpen();
    void modifiedDocumentsAreCopiedPrivately();
    void failedCopyIsReportedOnce();
    void copyGoesWhenNoLongerNeeded_data();
    void copyGoesWhenNoLongerNeeded();
    void normalExitLeavesNothing();
    void startOffersCopiesOfEndedPrograms();
    void laterKeepsCopyForNextStart();
    void copiesOfRunningProgramsAreNotOffered_data();
    void copiesOfRunningProgramsAreNotOffered();
    void killedProgramIsRecovered();
    void mergedViewIsCopiedWithItsFields();
};

void AutoRecoverTest::intervalComesFromTheSettingsFile_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<qint64>("milliseconds");
    QTest::newRow("missing") << QString() << qint64(300000);
    QTest::newRow("off") << "0" << qint64(0);
    QTest::newRow("ten") << "10" << qint64(600000);
    QTest::newRow("fraction") << "0.5" << qint64(30000);
    QTest::newRow("not a number") << "often" << qint64(300000);
    QTest::newRow("negative") << "-3" << qint64(300000);
}

void AutoRecoverTest::intervalComesFromTheSettingsFile()
{
    QFETCH(QString, value);
    QFETCH(qint64, milliseconds);
    TestWorkspace ws;
    if (!value.isNull())
        SettingsFile::WriteSetting(AppPaths::settingsFile(), "Word Processor", "AutoRecoverMinutes", value);
    ws.start();
    AutoRecover* recover = AutoRecover::instance();
    QVERIFY(recover);
    QCOMPARE(recover->timer()->isActive(), milliseconds > 0);
    if (milliseconds > 0)
        QCOMPARE(qint64(recover->timer()->interval()), milliseconds);
}

void AutoRecoverTest::timerCopiesUnlessAModalWindowIsOpen_data()
{
    QTest::addColumn<bool>("modal");
    QTest::newRow("nothing modal") << false;
    QTest::newRow("modal window open") << true;
}

void AutoRecoverTest::timerCopiesUnlessAModalWindowIsOpen()
{
    QFETCH(bool, modal);
    TestWorkspace ws;
    ws.start();
    type(ws.active(), "Typed");
    QDialog dialog(&ws.main());
    if (modal) {
        dialog.setModal(true);
        dialog.show();
        QVERIFY(QApplication::activeModalWidget());
    }
    // What the timer does when its interval is over.
    QVERIFY(QMetaObject::invokeMethod(AutoRecover::instance()->timer(), "timeout", Qt::DirectConnection));
    AutoRecover::instance()->waitForWrites();
    QCOMPARE(filesIn(ws.tempPath(), "~Recover-*.tx").size(), modal ? 0 : 1);
}

void AutoRecoverTest::modifiedDocumentsAreCopiedPrivately()
{
    TestWorkspace ws;
    const QString path = writeDocument(ws, "Referral.rtf", "Dear Dr. Smith,");
    const QByteArray original = contents(path);
    ScriptedDialogs dialogs;
    ws.start();
    OpenDocuments::OpenDocument(path);
    DocumentWindow* letter = ws.active();
    type(letter, "Re: Mrs. O'Brien (DOB 01/02/1950) - 2 tablets, 500 mg!");
    OpenDocuments::OpenDocument(writeDocument(ws, "Unchanged.rtf", "Nothing typed here."));

    AutoRecover::instance()->saveNow();  // what the timer runs
    AutoRecover::instance()->waitForWrites();
    QCoreApplication::processEvents();

    // Only the modified document has a copy; the untouched Untitled:1 and Unchanged.rtf none.
    const QStringList copies = filesIn(ws.tempPath(), "~Recover-*.tx");
    QCOMPARE(copies.size(), 1);
    const QString textFile = QDir(ws.tempPath()).filePath(copies.first());
    QCOMPARE(recoveredText(textFile), letter->textControl()->plainText());
    QCOMPARE(modeOf(textFile), 0600u);
    const QString indexFile = RecoveryFiles::indexFileFor(textFile);
    QCOMPARE(modeOf(indexFile), 0600u);
    const QStringList locks = filesIn(ws.tempPath(), "~Recover-*.lock");
    QCOMPARE(locks.size(), 1);
    QCOMPARE(modeOf(QDir(ws.tempPath()).filePath(locks.first())), 0600u);
    const QJsonObject index = QJsonDocument::fromJson(contents(indexFile)).object();
    QCOMPARE(index.value("caption").toString(), letter->caption());
    QCOMPARE(index.value("path").toString(), path);
    QCOMPARE(index.value("format").toInt(), int(TextControl::FormatRtf));
    QVERIFY(qAbs(QDateTime::fromString(index.value("saved").toString(), Qt::ISODateWithMs)
                     .secsTo(QDateTime::currentDateTimeUtc())) < 60);
    QCOMPARE(contents(path), original);  // never the user's own file
    const QStringList everything = filesIn(ws.tempPath());
    for (const QString& name : everything)
        QVERIFY2(name.startsWith("~Recover-"), qPrintable(name));

    // Typing on: the next autosave replaces the copy.
    type(letter, " More.");
    AutoRecover::instance()->saveNow();
    AutoRecover::instance()->waitForWrites();
    QCOMPARE(filesIn(ws.tempPath(), "~Recover-*.tx"), copies);
    QVERIFY(recoveredText(textFile).startsWith(letter->textControl()->plainText().left(20)));
    QCOMPARE(recoveredText(textFile), letter->textControl()->plainText());
}

void AutoRecoverTest::failedCopyIsReportedOnce()
{
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    ws.start();
    type(ws.active(), "Typed");
    // Where the copy should go stands a folder: the write fails as on a full disk.
    QVERIFY(QDir(ws.tempPath()).mkdir(QFileInfo(AutoRecover::instance()->session().textFile(1)).fileName()));
    for (int tick = 0; tick < 2; ++tick) {
        AutoRecover::instance()->saveNow();
        AutoRecover::instance()->waitForWrites();
        QCoreApplication::processEvents();
    }
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().text, Texts::cantAutosave("Untitled:1", ws.tempPath()));
    QVERIFY(ws.active()->textControl()->plainText().startsWith("Typed"));
}

void AutoRecoverTest::copyGoesWhenNoLongerNeeded_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("save") << "save";
    QTest::newRow("save as") << "save as";
    QTest::newRow("close without saving") << "close no";
    QTest::newRow("close saving") << "close yes";
}

void AutoRecoverTest::copyGoesWhenNoLongerNeeded()
{
    QFETCH(QString, how);
    TestWorkspace ws;
    const QString path = writeDocument(ws, "Note.rtf", "Note");
    ScriptedDialogs dialogs;
    ws.start();
    OpenDocuments::OpenDocument(path);
    DocumentWindow* window = ws.active();
    type(window, "Seen today. ");
    AutoRecover::instance()->saveNow();
    AutoRecover::instance()->waitForWrites();
    QCOMPARE(filesIn(ws.tempPath(), "~Recover-*-*").size(), 2);

    const QString other = ws.file("Documents/Other.rtf");
    if (how == "save") {
        window->action("mnuFileSave")->trigger();
    } else if (how == "save as") {
        dialogs.fileAnswers << other;
        window->action("mnuFile_SaveAs")->trigger();
    } else {
        dialogs.messageAnswers << (how == "close no" ? Answer::No : Answer::Yes);
        dialogs.fileAnswers << other;
        window->action("mnuFClose")->trigger();
        QTRY_VERIFY(!DocumentTable::shared().openWindows().contains(window));
    }
    QCoreApplication::processEvents();
    QCOMPARE(filesIn(ws.tempPath(), "~Recover-*-*"), QStringList());
    QVERIFY(dialogs.messages.size() <= 1);
    if (how == "save")
        QVERIFY(contents(path).contains("Seen today."));
    else if (how != "close no")
        QVERIFY(contents(other).contains("Seen today."));
}

void AutoRecoverTest::normalExitLeavesNothing()
{
    TestWorkspace ws;
    ScriptedDialogs dialogs;
    auto main = std::make_unique<MainWindow>();
    Startup::run(*main, QString());
    type(main->activeDocumentWindow(), "Unsaved letter");
    AutoRecover::instance()->saveNow();
    AutoRecover::instance()->waitForWrites();
    QVERIFY(!filesIn(ws.tempPath(), "~Recover-*.tx").isEmpty());
    QCOMPARE(filesIn(ws.tempPath(), "~Recover-*.lock").size(), 1);
    dialogs.messageAnswers << Answer::No;
    main->activeDocumentWindow()->action("mnuFile_Exit")->trigger();
    QCOMPARE(dialogs.messages.size(), 1);
    main.reset();  // what the end of main() does
    QVERIFY(!AutoRecover::instance());
    QCOMPARE(filesIn(ws.tempPath()), QStringList());
}

void AutoRecoverTest::startOffersCopiesOfEndedPrograms()
{
    TestWorkspace ws;
    const QString path = writeDocument(ws, "Referral.rtf", "Old text");
    const QByteArray original = contents(path);
    const RecoveryEntry kept = leaveCopy(ws.tempPath(), "dead1", 1, FilePaths::captionFor(path), path,
                                         "Recovered referral: BP 120/80, pulse 72.");
    const RecoveryEntry untitled = leaveCopy(ws.tempPath(), "dead1", 2, "Untitled:3", {}, "A note never saved");
    const RecoveryEntry dropped = leaveCopy(ws.tempPath(), "dead2", 1, "Untitled:1", {}, "Throw away");
    ScriptedDialogs dialogs;
    QStringList shownPaths;
    dialogs.dialogScripts << answerRecovery({{FilePaths::captionFor(path), RecoveryDialog::Recover},
                                             {"Untitled:3", RecoveryDialog::Recover},
                                             {"Untitled:1", RecoveryDialog::Discard}},
                                            &shownPaths);
    ws.start();
    QCOMPARE(dialogs.dialogsShown, QStringList{"frmRecover"});
    QCOMPARE(shownPaths.size(), 3);
    QVERIFY(shownPaths.contains(path));
    QVERIFY(shownPaths.contains(Texts::RecoverNeverSaved));

    // Recovered: modified windows, the first captioned with its file; the empty first window stays.
    const QList<DocumentWindow*> windows = DocumentTable::shared().openWindows();
    QCOMPARE(windows.size(), 3);
    DocumentWindow* referral = windows.at(1);
    QCOMPARE(referral->caption(), FilePaths::captionFor(path));
    QCOMPARE(referral->textControl()->plainText(), QStringLiteral("Recovered referral: BP 120/80, pulse 72."));
    QVERIFY(dirty(referral));
    QCOMPARE(windows.at(2)->caption(), QStringLiteral("Untitled:3"));
    QCOMPARE(windows.at(2)->textControl()->plainText(), QStringLiteral("A note never saved"));
    QVERIFY(dirty(windows.at(2)));
    QCOMPARE(contents(path), original);
    QVERIFY(!QFile::exists(dropped.textFile) && !QFile::exists(dropped.indexFile));
    // The recovered copies are this program's own now, the old runs' locks and names gone.
    QVERIFY(!QFile::exists(kept.textFile) && !QFile::exists(untitled.textFile));
    const QString own = AutoRecover::instance()->session().id();
    QCOMPARE(filesIn(ws.tempPath(), "~Recover-*.tx").size(), 2);
    for (const QString& name : filesIn(ws.tempPath()))
        QVERIFY2(name.startsWith("~Recover-" + own), qPrintable(name));
    // Not in the recent-file list.
    QVERIFY(!ws.main().mainAction("mnuRecentFile_1")->text().contains(ws.tempPath()));

    // Saving writes the user's file and retires the copy; closing the other drops its copy.
    ws.main().mdiArea()->setActiveSubWindow(referral->subWindow());
    referral->action("mnuFileSave")->trigger();
    QVERIFY(contents(path).contains("Recovered referral"));
    QVERIFY(!dirty(referral));
    dialogs.messageAnswers << Answer::No;
    windows.at(2)->action("mnuFClose")->trigger();
    QCOMPARE(dialogs.messages.size(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(filesIn(ws.tempPath(), "~Recover-*-*"), QStringList());
}

void AutoRecoverTest::laterKeepsCopyForNextStart()
{
    TestWorkspace ws;
    const RecoveryEntry later = leaveCopy(ws.tempPath(), "dead", 1, "Untitled:2", {}, "Decide tomorrow");
    {
        ScriptedDialogs dialogs;
        dialogs.dialogScripts << answerRecovery({});  // every row Later
        ws.start();
        QCOMPARE(dialogs.dialogsShown.size(), 1);
        QCOMPARE(DocumentTable::shared().openWindows().size(), 1);
        QVERIFY(QFile::exists(later.textFile) && QFile::exists(later.indexFile));
        // A dialog closed without an answer is Later too.
        dialogs.dialogScripts << [](QDialog*) { return int(QDialog::Rejected); };
        ws.start();
        QCOMPARE(dialogs.dialogsShown.size(), 2);
        QVERIFY(QFile::exists(later.textFile));
    }
    ScriptedDialogs dialogs;
    dialogs.dialogScripts << answerRecovery({{"Untitled:2", RecoveryDialog::Recover}});
    ws.start();
    QCOMPARE(DocumentTable::shared().openWindows().size(), 2);
    QCOMPARE(ws.active()->textControl()->plainText(), QStringLiteral("Decide tomorrow"));
}

void AutoRecoverTest::copiesOfRunningProgramsAreNotOffered_data()
{
    QTest::addColumn<QString>("lock");
    QTest::addColumn<bool>("offered");
    QTest::newRow("no lock") << "none" << true;
    QTest::newRow("lock of a dead process") << "dead" << true;
    QTest::newRow("lock of a running program") << "live" << false;
}

void AutoRecoverTest::copiesOfRunningProgramsAreNotOffered()
{
    QFETCH(QString, lock);
    QFETCH(bool, offered);
    QTemporaryDir folder;
    std::unique_ptr<RecoverySession> running;
    QString run = QStringLiteral("gone");
    if (lock == "live") {
        running = std::make_unique<RecoverySession>(folder.path());
        QVERIFY(running->isLocked());
        run = running->id();
    } else if (lock == "dead") {
        // What QLockFile leaves when its process is killed: the id of a process that is no more.
        QFile file(QDir(folder.path()).filePath("~Recover-gone.lock"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("2147480000\n" + QCoreApplication::applicationName().toUtf8() + "\n"
                   + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    leaveCopy(folder.path(), run, 1, "Untitled:1", {}, "text");
    // What a kill in the middle of a write leaves: a document without index, a temporary file.
    const QStringList stray{QStringLiteral("~Recover-%1-2.tx").arg(run), QStringLiteral("~Recover-%1-1.tx.Xy12ab").arg(run)};
    for (const QString& name : stray) {
        QFile file(QDir(folder.path()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    RecoverySession starting(folder.path());
    QVERIFY(starting.isLocked());
    QCOMPARE(starting.adoptOrphans().size(), offered ? 1 : 0);
    for (const QString& name : stray)
        QCOMPARE(QFile::exists(QDir(folder.path()).filePath(name)), !offered);
    // A third program starting meanwhile does not get them a second time.
    RecoverySession third(folder.path());
    QCOMPARE(third.adoptOrphans().size(), 0);
}

// The real program, killed after an autosave of two modified documents, started again.
void AutoRecoverTest::killedProgramIsRecovered()
{
    TestWorkspace ws;
    const QString first = writeDocument(ws, "First.rtf", "First letter.");
    const QString second = writeDocument(ws, "Second.rtf", "Second letter.");
    const QByteArray firstOriginal = contents(first), secondOriginal = contents(second);
    SettingsFile::WriteSetting(AppPaths::settingsFile(), "Word Processor", "AutoRecoverMinutes", "0.005");

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QCoreApplication::applicationDirPath() + "/../scrivora",
                  {"--app-path", ws.appPath(), "--temp-path", ws.tempPath(), "--open", first, "--type",
                   "Typed into one, 3 > 2; ", "--open", second, "--type", "Typed into two! "});
    QVERIFY(program.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(filesIn(ws.tempPath(), "~Recover-*.json").size(), 2, 30000);
    // Wait for a complete write of both, then kill the program where it stands.
    QTRY_VERIFY_WITH_TIMEOUT(recoveredText(QDir(ws.tempPath()).filePath(filesIn(ws.tempPath(), "~Recover-*-1.tx").value(0))) != "<unreadable>"
                                 && recoveredText(QDir(ws.tempPath()).filePath(filesIn(ws.tempPath(), "~Recover-*-2.tx").value(0))) != "<unreadable>",
                             30000);
    program.kill();  // SIGKILL: no clean-up runs
    QVERIFY(program.waitForFinished());
    QCOMPARE(program.exitStatus(), QProcess::CrashExit);
    QCOMPARE(filesIn(ws.tempPath(), "~Recover-*.lock").size(), 1);

    ScriptedDialogs dialogs;
    dialogs.dialogScripts << answerRecovery({{FilePaths::captionFor(first), RecoveryDialog::Recover},
                                             {FilePaths::captionFor(second), RecoveryDialog::Discard}});
    ws.start();
    QCOMPARE(dialogs.dialogsShown, QStringList{"frmRecover"});
    const QList<DocumentWindow*> windows = DocumentTable::shared().openWindows();
    QCOMPARE(windows.size(), 2);
    DocumentWindow* recovered = windows.at(1);
    QCOMPARE(recovered->caption(), FilePaths::captionFor(first));
    QCOMPARE(recovered->filePath(), first);
    QCOMPARE(recovered->textControl()->plainText(), QStringLiteral("Typed into one, 3 > 2; First letter."));
    QVERIFY(dirty(recovered));
    // The discarded copy is gone; the recovered one is this program's; the user's files untouched.
    const QStringList left = filesIn(ws.tempPath());
    QCOMPARE(filesIn(ws.tempPath(), "~Recover-*.tx").size(), 1);
    QCOMPARE(filesIn(ws.tempPath(), "~Recover-*.lock").size(), 1);
    for (const QString& name : left)
        QVERIFY2(name.startsWith("~Recover-" + AutoRecover::instance()->session().id()), qPrintable(name));
    QCOMPARE(contents(first), firstOriginal);
    QCOMPARE(contents(second), secondOriginal);
}

// A template shown merged with a patient is copied with its fields; recovered, it opens as a
// template does, with its table.
void AutoRecoverTest::mergedViewIsCopiedWithItsFields()
{
    TestWorkspace ws;
    PREPARE_PRACTICE(ws, QStringLiteral("sqlite"), 5);
    ScriptedDialogs dialogs;
    ws.start();
    DocumentWindow* window = ws.active();
    dialogs.dialogScripts << [](QDialog* d) {
        d->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(0);
        d->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        return int(QDialog::Accepted);
    };
    window->action("mnuFMailMerge")->trigger();
    type(window, "Dear ");
    window->merge()->insertField(1);  // last_name
    dialogs.fileAnswers << ws.file("Documents/Template.tx");
    window->action("mnuFile_SaveAs")->trigger();
    type(window, ", thank you.");
    window->merge()->toolbar().cmdmmerge->click();
    const QString merged = window->textControl()->plainText();
    QVERIFY(!merged.contains("[patient_info.last_name]"));

    AutoRecover::instance()->saveNow();
    AutoRecover::instance()->waitForWrites();
    QCOMPARE(window->textControl()->plainText(), merged);  // still merged for the user
    const QStringList copies = filesIn(ws.tempPath(), "~Recover-*.tx");
    QCOMPARE(copies.size(), 1);
    const QString copied = recoveredText(QDir(ws.tempPath()).filePath(copies.first()));
    QVERIFY2(copied.contains("[patient_info.last_name], thank you."), qPrintable(copied));

    // The program ends without closing; the next start recovers the template.
    for (const QString& name : filesIn(ws.tempPath(), "~Recover-*-1.*"))
        QFile::rename(QDir(ws.tempPath()).filePath(name), QDir(ws.tempPath()).filePath(QString(name).replace(AutoRecover::instance()->session().id(), "ended")));
    dialogs.dialogScripts << answerRecovery({{FilePaths::captionFor(ws.file("Documents/Template.tx")), RecoveryDialog::Recover}});
    ws.start();
    DocumentWindow* recovered = ws.active();
    QCOMPARE(recovered->filePath(), ws.file("Documents/Template.tx"));
    QVERIFY(recovered->mergePanel()->isVisible());
    QCOMPARE(recovered->merge()->recordLabel(), QStringLiteral("1"));
}

QTEST_MAIN(AutoRecoverTest)
#include "tst_autorecover.moc"
