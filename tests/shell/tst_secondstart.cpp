// Starting the program while it runs, with the real program in two processes: a second start
// hands its files to the first, which opens them; options that need no window never hand
// over; --new-instance runs a program of its own; a program that crashed leaves a socket and
// locks that the next program takes over; and a lock of a running program is respected.
#include "components/textcontrol/textcontrol.h"
#include "documents/documentwindow.h"
#include "documents/lockfile.h"
#include "settings/apppaths.h"
#include "shell/mainwindow.h"
#include "shell/instancerequest.h"
#include "shell/singleinstance.h"
#include "shell/startup.h"
#include "support/scripteddialogs.h"
#include "support/testworkspace.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QtTest>
#include <csignal>

namespace {

constexpr int Patience = 60000;  // a loaded machine starts a program slowly
const QByteArray Letter = "{\\rtf1\\ansi Dear Dr. Miller,\\par}";

class Program {
public:
    Program(const TestWorkspace& ws, const QStringList& arguments, const QString& folder = QString())
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (!folder.isEmpty())
            m_process.setWorkingDirectory(folder);
        m_process.start(QStringLiteral(SCRIVORA_PROGRAM),
                        QStringList{"--app-path", ws.appPath(), "--temp-path", ws.tempPath()} + arguments);
        m_process.waitForStarted();
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    qint64 pid() const { return m_process.processId(); }
    // True when the program ended by itself with status 0.
    bool endsWithSuccess()
    {
        return m_process.waitForFinished(Patience) && m_process.exitStatus() == QProcess::NormalExit
            && m_process.exitCode() == 0;
    }
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    QByteArray output() { return m_process.readAllStandardOutput(); }
    void crash()
    {
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

// The process whose lock lies beside `path`; 0 when none does.
qint64 lockHolder(const QString& path)
{
    const std::optional<LockFile::Owner> owner = LockFile::read(path);
    return owner ? owner->pid : 0;
}

QString socketOf(const TestWorkspace& ws) { return SingleInstance::socketPath(ws.tempPath()); }

}  // namespace

class SecondStartTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void secondStartHandsItsFilesToTheFirst_data();
    void secondStartHandsItsFilesToTheFirst();
    void optionsWithoutAWindowNeverHandOver_data();
    void optionsWithoutAWindowNeverHandOver();
    void newInstanceRunsAProgramOfItsOwn();
    void crashedProgramsSocketAndLockAreTakenOver();
    void runningProgramsLockIsRespected();
    void handedRequestOpensAsFileOpenDoes_data();
    void handedRequestOpensAsFileOpenDoes();
};

void SecondStartTest::init()
{
    if (!QFileInfo::exists(QStringLiteral(SCRIVORA_PROGRAM)))
        QSKIP("the program is not built");
}

void SecondStartTest::secondStartHandsItsFilesToTheFirst_data()
{
    QTest::addColumn<QStringList>("arguments");  // FIRST and SECOND stand for the files' paths
    QTest::addColumn<bool>("relative");           // the second start runs in the files' folder
    QTest::newRow("a path, as the practice system starts it") << QStringList{"FIRST"} << false;
    QTest::newRow("--files, as the file manager starts it") << QStringList{"--files", "FIRST", "SECOND"} << false;
    QTest::newRow("--open") << QStringList{"--open", "FIRST", "--open", "SECOND"} << false;
    QTest::newRow("names relative to the second start's folder") << QStringList{"--files", "FIRST", "SECOND"} << true;
}

void SecondStartTest::secondStartHandsItsFilesToTheFirst()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, relative);
    TestWorkspace ws;
    const QString first = ws.writeFile("Documents/Referral, Miller.rtf", Letter);
    const QString second = ws.writeFile("Documents/notes.txt", "Call Mrs. O'Brien at 3 p.m.\n");
    Program running(ws, {});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketOf(ws)), Patience);

    arguments.replaceInStrings("FIRST", relative ? QFileInfo(first).fileName() : first);
    arguments.replaceInStrings("SECOND", relative ? QFileInfo(second).fileName() : second);
    Program secondStart(ws, arguments, relative ? ws.file("Documents") : QString());
    QVERIFY(secondStart.endsWithSuccess());
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(first), running.pid(), Patience);
    if (arguments.size() > 1)
        QTRY_COMPARE_WITH_TIMEOUT(lockHolder(second), running.pid(), Patience);
    QVERIFY(running.isRunning());
}

void SecondStartTest::optionsWithoutAWindowNeverHandOver_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says");
    QTest::newRow("--convert") << QStringList{"--convert", "IN", "OUT"} << QString();
    QTest::newRow("--version") << QStringList{"--version"} << "scrivora ";
    QTest::newRow("--help") << QStringList{"--help", "IN"} << "--new-instance";
    QTest::newRow("--paths") << QStringList{"--paths"} << "Temporary";
}

void SecondStartTest::optionsWithoutAWindowNeverHandOver()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    TestWorkspace ws;
    const QString in = ws.writeFile("Documents/Referral.rtf", Letter);
    const QString out = ws.file("Documents/Referral.txt");
    Program running(ws, {});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketOf(ws)), Patience);
    arguments.replaceInStrings("IN", in);
    arguments.replaceInStrings("OUT", out);
    Program headless(ws, arguments);
    QVERIFY(headless.endsWithSuccess());
    QVERIFY(QString::fromUtf8(headless.output()).contains(says, Qt::CaseInsensitive));
    if (arguments.first() == "--convert")
        QVERIFY(QFile(out).size() > 0);
    QCOMPARE(lockHolder(in), 0);  // the running program was handed nothing
}

void SecondStartTest::newInstanceRunsAProgramOfItsOwn()
{
    TestWorkspace ws;
    const QString path = ws.writeFile("Documents/Referral.rtf", Letter);
    Program running(ws, {});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketOf(ws)), Patience);
    Program own(ws, {"--new-instance", "--open", path});
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(path), own.pid(), Patience);
    QVERIFY(own.isRunning());
}

// The first program dies with a document open. The next program finds a socket nobody answers
// on and becomes the first; the file handed to it opens without a question, the dead program's
// lock taken over.
void SecondStartTest::crashedProgramsSocketAndLockAreTakenOver()
{
    TestWorkspace ws;
    const QString path = ws.writeFile("Documents/Referral.rtf", Letter);
    const QString other = ws.writeFile("Documents/Other.rtf", Letter);
    auto crashed = std::make_unique<Program>(ws, QStringList{"--open", path});
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(path), crashed->pid(), Patience);
    QVERIFY(QFileInfo::exists(socketOf(ws)));
    const qint64 deadPid = crashed->pid();
    crashed->crash();
    QVERIFY(QFileInfo::exists(socketOf(ws)));  // left behind
    QCOMPARE(lockHolder(path), deadPid);

    Program next(ws, {"--open", other});
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(other), next.pid(), Patience);
    QVERIFY(next.isRunning());
    Program handing(ws, {path});
    QVERIFY(handing.endsWithSuccess());
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(path), next.pid(), Patience);
}

// Another running program of this user has the document open: this one asks before opening it.
void SecondStartTest::runningProgramsLockIsRespected()
{
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    const QString path = ws.writeFile("Documents/Referral.rtf", Letter);
    Program holder(ws, {"--new-instance", "--open", path});
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(path), holder.pid(), Patience);

    MainWindow& main = ws.start();
    dialogs.messageAnswers << CommonDialog::Answer::Yes;
    dialogs.fileAnswers << path;
    ws.active()->action("mnuFile_Open")->trigger();
    QCOMPARE(dialogs.messages.size(), 1);
    const QString text = dialogs.messages.first().text;
    const LockFile::Owner self = LockFile::ourselves();
    QVERIFY2(text.startsWith(path + " is open by " + self.who() + " since "), qPrintable(text));
    QVERIFY2(text.contains("(just now)") || text.contains("minute"), qPrintable(text));
    QCOMPARE(main.mdiArea()->subWindowList().size(), 2);
    QCOMPARE(ws.active()->caption(), path + " (read-only)");
    QCOMPARE(lockHolder(path), holder.pid());
}

void SecondStartTest::handedRequestOpensAsFileOpenDoes_data()
{
    QTest::addColumn<QString>("document");  // the second start's command-line document
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("captions");  // of the windows, in slot order
    QTest::addColumn<QString>("message");       // the start of the one message shown, or empty
    QTest::newRow("files, relative to the second start's folder")
        << QString() << QStringList{"Referral.rtf", "notes.txt"}
        << QStringList{"Untitled:1", "DOCS/Referral.rtf", "DOCS/notes.txt"} << QString();
    QTest::newRow("the practice system's path") << "DOCS/Referral.rtf" << QStringList()
                                                << QStringList{"Untitled:1", "DOCS/Referral.rtf"} << QString();
    QTest::newRow("a file that is not there: the Open message")
        << QString() << QStringList{"gone.rtf"} << QStringList{"Untitled:1"} << "Can't load file: DOCS/gone.rtf";
    QTest::newRow("already open: no second window") << QString() << QStringList{"Referral.rtf", "Referral.rtf"}
                                                    << QStringList{"Untitled:1", "DOCS/Referral.rtf"} << QString();
    QTest::newRow("a report: imported, marked changed, deleted")
        << "DOCS/~tmprpt01.rtf" << QStringList() << QStringList{"Untitled:1", "Untitled:2"} << QString();
    QTest::newRow("nothing: only to the front") << QString() << QStringList() << QStringList{"Untitled:1"}
                                                << QString();
}

// What the first program does with a request, watched in the window.
void SecondStartTest::handedRequestOpensAsFileOpenDoes()
{
    QFETCH(QString, document);
    QFETCH(QStringList, files);
    QFETCH(QStringList, captions);
    QFETCH(QString, message);
    ScriptedDialogs dialogs;
    TestWorkspace ws;
    const QString docs = ws.file("Documents");
    ws.writeFile("Documents/Referral.rtf", Letter);
    ws.writeFile("Documents/notes.txt", "Call Mrs. O'Brien at 3 p.m.\n");
    const QString report = ws.writeFile("Documents/~tmprpt01.rtf", "{\\rtf1\\ansi Lab report: CBC normal.\\par}");
    MainWindow& main = ws.start();
    main.showMinimized();
    Startup::takeRequest(main, InstanceRequest{docs, document.replace("DOCS", docs), files});

    QStringList shown;
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
        shown << sub->widget()->windowTitle();
    QCOMPARE(shown, captions.replaceInStrings("DOCS", docs));
    QVERIFY(!(main.windowState() & Qt::WindowMinimized));
    QCOMPARE(dialogs.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(dialogs.messages.first().text.startsWith(message.replace("DOCS", docs)),
                 qPrintable(dialogs.messages.first().text));
    if (document.contains("~tmprpt")) {
        QVERIFY(!QFileInfo::exists(report));
        QVERIFY(ws.active()->textControl()->plainText().contains("Lab report: CBC normal."));
    }
}

QTEST_MAIN(SecondStartTest)
#include "tst_secondstart.moc"
